#include "DBGridModel.h"

#include "Glyphs.h"
#include "ShownText.h"
#include "core/Errors.h"
#include "core/Guard.h"
#include "engine/Field.h"
#include "engine/Table.h"

#include <QIcon>
#include <QScopedValueRollback>

namespace dbctrls {

using engine::DataSetState;

TDBGridModel::TDBGridModel(QObject* parent) : QAbstractTableModel(parent)
{
    link_.onActiveChanged = [this] { resetView(); };
    link_.onDataSetChanged = [this] { sync(true); };
    link_.onScrolled = [this] { sync(false); };
    link_.onEditingChanged = [this] { recordChanged(nullptr); };
    link_.onRecordChanged = [this](engine::Field* field) { recordChanged(field); };
    link_.onUpdateData = [this] {
        if (onUpdateData)
            onUpdateData();
    };
}

TDBGridModel::~TDBGridModel() = default;

void TDBGridModel::setDataSource(engine::DataSource* source)
{
    link_.setDataSource(source);
    resetView();
}

void TDBGridModel::setColumns(const std::vector<TDBGridColumn>& columns)
{
    designed_ = columns;
    resetView();
}

void TDBGridModel::setReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    if (rows_ > 0 && !columns_.empty())
        emit dataChanged(index(0, 0), index(rows_ - 1, int(columns_.size()) - 1), {});
}

QStringList TDBGridModel::titles() const
{
    QStringList result;
    for (int column = 0; column < int(columns_.size()); ++column)
        result << headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    return result;
}

void TDBGridModel::setTitles(const QStringList& titles)
{
    const int count = qMin(int(titles.size()), int(columns_.size()));
    for (int column = 0; column < count; ++column) {
        columns_[size_t(column)].title = titles.at(column);
        if (size_t(column) < designed_.size())
            designed_[size_t(column)].title = titles.at(column);
    }
    if (count > 0)
        emit headerDataChanged(Qt::Horizontal, 0, count - 1);
}

void TDBGridModel::buildColumns()
{
    const engine::Table* shown = table();
    if (!designed_.empty() || !shown) {
        if (!designed_.empty())
            columns_ = designed_;
    } else {
        // One column per field; titles given earlier stay with their field.
        std::vector<TDBGridColumn> automatic;
        for (int i = 0; i < shown->FieldCount(); ++i) {
            TDBGridColumn column;
            column.fieldName = shown->Fields(i).FieldName();
            for (const TDBGridColumn& old : columns_)
                if (old.fieldName == column.fieldName)
                    column.title = old.title;
            automatic.push_back(column);
        }
        columns_ = automatic;
    }
    fieldIndexes_.assign(columns_.size(), -1);
    for (size_t i = 0; i < columns_.size(); ++i)
        if (const engine::Field* field = shown ? shown->FindField(columns_[i].fieldName) : nullptr)
            fieldIndexes_[i] = field->Index();
}

void TDBGridModel::resetView()
{
    QScopedValueRollback<int> reshaping(reshaping_, reshaping_ + 1);
    beginResetModel();
    buildColumns();
    const engine::Table* shown = table();
    rows_ = shown ? shown->RowCount() : 0;
    state_ = shown ? shown->State() : DataSetState::Inactive;
    insertRow_ = state_ == DataSetState::Insert ? shown->CurrentRow() : -1;
    indicatorRow_ = shown ? shown->CurrentRow() : -1;
    errorShown_ = false;
    endResetModel();
    emit currentRowMoved();
}

bool TDBGridModel::insertedAtCursor(int count, DataSetState state)
{
    if (state != DataSetState::Insert || state_ == DataSetState::Insert || count != rows_ + 1)
        return false;
    const int row = table()->CurrentRow();
    if (row < 0 || row > rows_)
        return false;
    // Until the insertion is announced the rows below the new one are read one further down.
    QScopedValueRollback<int> reshaping(reshaping_, reshaping_ + 1);
    pendingInsert_ = row;
    beginInsertRows(QModelIndex(), row, row);
    pendingInsert_ = -1;
    rows_ = count;
    endInsertRows();
    return true;
}

bool TDBGridModel::droppedInsert(int count, DataSetState state)
{
    if (state_ != DataSetState::Insert || state == DataSetState::Insert || count != rows_ - 1)
        return false;
    if (insertRow_ < 0 || insertRow_ >= rows_)
        return false;
    const int row = insertRow_;
    QScopedValueRollback<int> reshaping(reshaping_, reshaping_ + 1);
    pendingRemove_ = row;
    beginRemoveRows(QModelIndex(), row, row);
    pendingRemove_ = -1;
    rows_ = count;
    endRemoveRows();
    return true;
}

void TDBGridModel::sync(bool viewChanged)
{
    const engine::Table* shown = table();
    if (!shown) {
        if (rows_ != 0 || state_ != DataSetState::Inactive)
            resetView();
        return;
    }
    const int count = shown->RowCount();
    const DataSetState state = shown->State();
    const bool incremental = insertedAtCursor(count, state) || droppedInsert(count, state);
    if (!incremental && (viewChanged || count != rows_)) {
        resetView();
        return;
    }
    state_ = state;
    insertRow_ = state == DataSetState::Insert ? shown->CurrentRow() : -1;
    updateIndicator();
    emit currentRowMoved();
}

void TDBGridModel::recordChanged(engine::Field* field)
{
    const engine::Table* shown = table();
    const int before = rows_;
    sync(false);
    if (!shown || rows_ != before || columns_.empty())
        return;
    const int row = shown->CurrentRow();
    if (row < 0 || row >= rows_)
        return;
    for (int column = 0; column < int(columns_.size()); ++column)
        if (field == nullptr || fieldIndexes_[size_t(column)] == field->Index())
            emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole, Qt::EditRole});
}

void TDBGridModel::updateIndicator()
{
    const int row = currentRow();
    const int old = indicatorRow_;
    indicatorRow_ = row;
    if (old >= 0 && old < rows_)
        emit headerDataChanged(Qt::Vertical, old, old);
    if (row >= 0 && row < rows_)
        emit headerDataChanged(Qt::Vertical, row, row);
}

int TDBGridModel::currentRow() const
{
    const engine::Table* shown = table();
    const int row = shown ? shown->CurrentRow() : -1;
    return row < rows_ ? row : -1;
}

void TDBGridModel::beginEdit(int row)
{
    engine::Table* shown = table();
    if (!shown || readOnly_)
        throw core::EAbort();
    if (shown->CurrentRow() != row)
        shown->MoveToRow(row);
    if (!shown->Editing())
        shown->Edit();
}

QIcon TDBGridModel::indicator() const
{
    const int which = state_ == DataSetState::Edit ? 1 : state_ == DataSetState::Insert ? 2 : 0;
    if (indicators_[which].isNull()) {
        static const Glyph glyphs[] = {Glyph::Current, Glyph::Editing, Glyph::Inserting};
        indicators_[which] = glyphIcon(glyphs[which], 12);
    }
    return indicators_[which];
}

int TDBGridModel::tableRow(int row) const
{
    if (pendingInsert_ >= 0 && row >= pendingInsert_)
        return row + 1;
    if (pendingRemove_ >= 0 && row >= pendingRemove_)
        return row == pendingRemove_ ? -1 : row - 1;
    return row;
}

int TDBGridModel::fieldIndex(int column) const
{
    return column >= 0 && size_t(column) < fieldIndexes_.size() ? fieldIndexes_[size_t(column)] : -1;
}

int TDBGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int TDBGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QString TDBGridModel::cellText(int row, int column) const
{
    const engine::Table* shown = table();
    const int source = tableRow(row);
    const int field = fieldIndex(column);
    if (!shown || source < 0 || field < 0)
        return QString();
    QString text;
    try {
        if (source < shown->RowCount()) {
            ++cellsRead_;
            text = shown->DisplayText(source, field);
        }
    } catch (...) {
        // Reported once per view, after the paint that asked: a painting grid would ask again
        // and again, and a modal box must not open inside a paint.
        if (!errorShown_) {
            errorShown_ = true;
            core::reportLater(const_cast<TDBGridModel*>(this), std::current_exception());
        }
    }
    return text;
}

QVariant TDBGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();
    const QString text = cellText(index.row(), index.column());
    return role == Qt::DisplayRole ? cutForDisplay(text) : text;
}

QVariant TDBGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role != Qt::DecorationRole || section != indicatorRow_ || section >= rows_)
            return QVariant();
        return indicator();
    }
    if (section < 0 || size_t(section) >= columns_.size())
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    const TDBGridColumn& column = columns_[size_t(section)];
    if (!column.title.isEmpty())
        return column.title;
    const engine::Table* shown = table();
    if (const engine::Field* field = shown ? shown->FindField(column.fieldName) : nullptr)
        return field->DisplayLabel();
    return column.fieldName;
}

Qt::ItemFlags TDBGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (!readOnly_ && fieldIndex(index.column()) >= 0)
        result |= Qt::ItemIsEditable;
    return result;
}

void TDBGridModel::writeCell(const QModelIndex& index, const QString& text)
{
    beginEdit(index.row());
    engine::Table* shown = table();
    engine::Field& field = shown->Fields(fieldIndex(index.column()));
    const auto& normalize = columns_[size_t(index.column())].normalize;
    const QString value = normalize ? normalize(text) : text;
    if (value != field.AsString())
        field.SetAsString(value);
}

bool TDBGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    if (role != Qt::EditRole || readOnly_ || fieldIndex(index.column()) < 0)
        return false;
    lastWriteFailed_ = !core::guarded([&] { writeCell(index, value.toString()); });
    return !lastWriteFailed_;
}

} // namespace dbctrls
