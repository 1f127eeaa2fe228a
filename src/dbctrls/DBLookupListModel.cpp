#include "DBLookupListModel.h"

#include "ShownText.h"

#include "core/Guard.h"
#include "engine/Field.h"
#include "engine/Table.h"

namespace dbctrls {

TDBLookupListModel::TDBLookupListModel(QObject* parent) : QAbstractListModel(parent)
{
    link_.onActiveChanged = [this] { reread(); };
    link_.onDataSetChanged = [this] { reread(); };
    link_.onEditingChanged = [this] { recordChanged(nullptr); };
    link_.onRecordChanged = [this](engine::Field* field) { recordChanged(field); };
}

void TDBLookupListModel::setListSource(engine::DataSource* source)
{
    link_.setDataSource(source);
    reread();
}

void TDBLookupListModel::setListField(const QString& name)
{
    listField_ = name;
    reread();
}

void TDBLookupListModel::setKeyField(const QString& name)
{
    keyField_ = name;
}

void TDBLookupListModel::reread()
{
    beginResetModel();
    engine::Table* list = table();
    rows_ = list ? list->RowCount() : 0;
    errorShown_ = false;
    endResetModel();
}

void TDBLookupListModel::recordChanged(engine::Field* field)
{
    engine::Table* list = table();
    if (!list || list->RowCount() != rows_) {
        reread();
        return;
    }
    const int row = list->CurrentRow();
    if (row >= 0 && row < rows_ && (field == nullptr || field->FieldName().compare(listField_, Qt::CaseInsensitive) == 0))
        emit dataChanged(index(row), index(row), {Qt::DisplayRole});
}

QString TDBLookupListModel::read(int row, const QString& fieldName) const
{
    engine::Table* list = table();
    if (!list || row < 0 || row >= rows_ || row >= list->RowCount())
        return QString();
    QString text;
    try {
        const engine::Field* field = list->FindField(fieldName);
        if (field) {
            ++cellsRead_;
            text = list->DisplayText(row, field->Index());
        }
    } catch (...) {
        // Shown once until the list is read again (a painting view would ask over and over),
        // after the paint that asked.
        if (!errorShown_) {
            errorShown_ = true;
            core::reportLater(const_cast<TDBLookupListModel*>(this), std::current_exception());
        }
    }
    return text;
}

QString TDBLookupListModel::keyAt(int row) const
{
    return read(row, keyField());
}

QString TDBLookupListModel::textAt(int row) const
{
    return read(row, listField_);
}

int TDBLookupListModel::rowOfKey(const QString& key, int searchLimit) const
{
    engine::Table* list = table();
    if (!list || key.isEmpty())
        return -1;
    const int current = list->CurrentRow();
    if (current >= 0 && keyAt(current) == key)
        return current;
    const int limit = qMin(rows_, searchLimit);
    for (int row = 0; row < limit; ++row)
        if (keyAt(row) == key)
            return row;
    return -1;
}

int TDBLookupListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

QVariant TDBLookupListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();
    return role == Qt::DisplayRole ? cutForDisplay(textAt(index.row())) : textAt(index.row());
}

} // namespace dbctrls
