#pragma once
#include <QDate>
#include <QString>
#include <QVariant>

namespace engine {

class Table;

/// Kinds of field, from the declared column type: TEXT, INTEGER, DATE (ISO text), MEMO.
enum class FieldKind { String, Integer, Date, Memo };

/// The value a field of this kind stores for a text: null for an empty text, a number, an
/// ISO date, or the text. Throws EConvertError for a text the kind cannot read.
QVariant storageValueOf(FieldKind kind, const QString& text);

/// One field of a table's current record. Owned by its Table; reads and writes the
/// table's record buffer.
class Field {
public:
    /// The field at position index of table's columns.
    Field(Table& table, int index, const QString& name, FieldKind kind);

    /// The column's name as the table file has it.
    const QString& FieldName() const { return name_; }
    /// The label shown in grid titles and used by the text search; the field name here.
    const QString& DisplayLabel() const { return name_; }
    /// The kind, from the column's declared type.
    FieldKind DataType() const { return kind_; }
    /// True for a memo field.
    bool IsBlob() const { return kind_ == FieldKind::Memo; }
    /// Position among the table's fields.
    int Index() const { return index_; }
    /// The owning table.
    Table& DataSet() const { return table_; }

    /// True when the current record holds no value (NULL or, for texts, nothing stored).
    bool IsNull() const;
    /// Text of the value; empty when null. Dates in the system's short date format.
    QString AsString() const;
    /// Writes a text; puts the table into edit state if it is browsing. An empty text stores
    /// null. Integer and date fields throw EConvertError for text they cannot read.
    void SetAsString(const QString& text);
    /// Integer value; empty reads as 0; text that is no integer throws EConvertError.
    qint64 AsInteger() const;
    /// Writes a number (its text into a string field); a date field throws EConvertError.
    void SetAsInteger(qint64 value);
    /// Raw stored value (QString, qint64 or null QVariant).
    QVariant Value() const;
    /// Writes a raw value (as Value gives them); puts the table into edit state if browsing.
    void SetValue(const QVariant& value);
    /// Writes null.
    void Clear() { SetValue(QVariant()); }

    /// The text a stored value of this field shows (AsString of a record that holds it).
    QString displayText(const QVariant& stored) const;
    /// True when a stored value of this field counts as no value (IsNull of a record that holds it).
    bool isNullValue(const QVariant& stored) const;
    /// The value SetAsString would store for a text; throws EConvertError as it would.
    QVariant storageValue(const QString& text) const { return storageValueOf(kind_, text); }

private:
    Table& table_;
    int index_;
    QString name_;
    FieldKind kind_;
};

/// A date as date fields show it: the system's short form with a four-digit year.
QString shortDate(const QDate& date);

} // namespace engine
