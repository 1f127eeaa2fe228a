#pragma once
// Base of the export components: the data set, the columns built from its fields, the
// record loop and the value formats. Writers derive from it.
#include "ExportFormats.h"

#include <QObject>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace engine {
class Field;
class Table;
class ViewRecords;
}

namespace output {

enum class ExportSource { esDataSet };
enum class ColumnKind { Text, Integer, LargeInteger, Float, Currency, Date, Time, DateTime, Boolean, Other };

struct ExportColumn {
    QString name;
    QString caption;
    ColumnKind kind;
    QString format;
    int fieldIndex = -1; ///< position of the field in the data set
};

struct ExportCell {
    QString text;
    QVariant value; ///< the field's stored value where its format reads it (dates: ISO text); null for texts
    bool isNull = false;
    /// True when the value is a text in plain ASCII, given as its stored bytes (trimmed) in
    /// plain instead of text, so that a writer can copy them; valid until the next record.
    bool isPlain = false;
    QByteArrayView plain;
    /// The cell's text, also when it is given as plain bytes.
    QString shownText() const { return isPlain ? QString::fromLatin1(plain) : text; }
};

class TQExport3 : public QObject {
    Q_OBJECT
public:
    explicit TQExport3(QObject* owner = nullptr);

    ExportSource Source = ExportSource::esDataSet;
    engine::Table* DataSet = nullptr;
    QStringList ExportedFields;      ///< empty: every field is a candidate
    bool OnlyVisibleFields = false;
    bool GoToFirstRecord = true;
    bool CurrentRecordOnly = false;
    int ExportRecCount = 0;          ///< 0: no limit
    int SkipRecCount = 0;
    bool ExportEmpty = true;
    TQExportFormats Formats;

    /// Writes the whole export; errors are thrown as EExportError / EInOutError.
    void Execute();

protected:
    virtual void BeginExport() {}
    virtual void WriteCaptions(const std::vector<ExportColumn>& columns) { (void)columns; }
    virtual void WriteRow(const std::vector<ExportColumn>& columns, const std::vector<ExportCell>& cells) = 0;
    /// Runs after the record loop, also when it failed (close files here).
    virtual void EndExport(bool succeeded) { (void)succeeded; }
    virtual void AfterExport() {}

    const std::vector<ExportColumn>& columns() const { return columns_; }

private:
    void checkDataSet() const;
    void buildColumns();
    /// A cell from a value the field holds, as the field shows it.
    void fillCell(const ExportColumn& column, const engine::Field& field, const QVariant& stored, ExportCell& cell) const;
    void readRow(std::vector<ExportCell>& cells) const;
    void readRow(const engine::ViewRecords& records, std::vector<ExportCell>& cells) const;
    /// True when the records go out as the view reads them, from the first to the last.
    bool exportsWholeView() const;
    void exportRecords();
    void walkRecords();
    void exportView();

    std::vector<ExportColumn> columns_;
};

} // namespace output
