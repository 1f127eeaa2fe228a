#pragma once
// The rows of a lookup list: one field of a list table, row by row in the table's view,
// read on demand through the table's grid reading (never by moving its cursor). Follows the
// table: a new view, a changed record, opening or closing re-read the list.
#include "NotifyLink.h"

#include <QAbstractListModel>

namespace engine {
class DataSource;
class Table;
}

namespace dbctrls {

class TDBLookupListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit TDBLookupListModel(QObject* parent = nullptr);

    void setListSource(engine::DataSource* source);
    engine::DataSource* listSource() const { return link_.dataSource(); }
    /// The shown field (ListField) and the key field (KeyField); the key defaults to it.
    void setListField(const QString& name);
    void setKeyField(const QString& name);
    const QString& listField() const { return listField_; }
    const QString& keyField() const { return keyField_.isEmpty() ? listField_ : keyField_; }

    /// Key value and shown text of a row; empty when out of range or unreadable.
    QString keyAt(int row) const;
    QString textAt(int row) const;
    /// Row of a key value: the list table's current row when it holds the key, else a search
    /// of at most searchLimit rows from the top; -1 when not found.
    int rowOfKey(const QString& key, int searchLimit = 2000) const;
    /// The list table when open.
    engine::Table* table() const { return link_.activeTable(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    /// Cells read through data() since the model was made (tests: reading stays on demand).
    qint64 cellsRead() const { return cellsRead_; }

private:
    void reread();
    void recordChanged(engine::Field* field);
    QString read(int row, const QString& field) const;

    TNotifyLink link_;
    QString listField_;
    QString keyField_;
    int rows_ = 0;
    mutable qint64 cellsRead_ = 0;
    mutable bool errorShown_ = false;
};

} // namespace dbctrls
