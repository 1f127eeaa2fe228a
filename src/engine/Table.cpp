#include "Table.h"

#include "DataSource.h"
#include "Database.h"
#include "Filter.h"
#include "RowCache.h"
#include "Statement.h"
#include "TableMeta.h"
#include "core/Errors.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <sqlite3.h>
#include <unordered_set>

namespace engine {

namespace {
const QString kClosedMessage = QStringLiteral("Cannot perform this operation on a closed dataset");
const QString kEmptyMessage = QStringLiteral("Cannot perform this operation on an empty dataset");
const QString kDeletedMessage = QStringLiteral("Record/key deleted.");

/// Conditions of a query with their parameters, in order.
struct Where {
    QStringList terms;
    std::vector<QVariant> params;
    bool none = false; ///< the master link selects no record
};

bool isEmptyValue(const QVariant& value)
{
    return value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty());
}

void bindAll(Statement& statement, const std::vector<QVariant>& params)
{
    for (size_t i = 0; i < params.size(); ++i)
        statement.bind(int(i) + 1, params[i]);
}

int clampPosition(int position, size_t size)
{
    return size == 0 ? -1 : std::clamp(position, 0, int(size) - 1);
}

QStringList fieldList(const QString& names)
{
    QStringList result;
    for (const QString& name : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!name.trimmed().isEmpty())
            result << name.trimmed();
    return result;
}

template <typename T>
bool contains(const std::vector<T>& list, const T& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}
} // namespace

struct Table::Impl {
    QString path;
    QString qualified; ///< "schema"."table"
    TableMeta meta;
    QStringList order; ///< ORDER BY terms, rowid last
    std::vector<qint64> view;
    int cur = -1;       ///< position of the current record in the view
    int insertPos = -1; ///< in insert state: the row the new record occupies
    // The current record: as stored, and the values assigned since its edit began.
    RowPtr stored;
    std::vector<QVariant> values;
    std::vector<bool> assigned;
    bool anyAssigned = false;
    qint64 bufferRowid = 0;
    RowCache cache;
    // The walk's queries for the field searched last, by batch size (built once each).
    QString searchColumn;
    QHash<int, QString> searchQueries;

    QVariant value(size_t field) const
    {
        if (assigned[field])
            return values[field];
        return stored ? stored->value(int(field)) : QVariant();
    }

    void assign(size_t field, const QVariant& value)
    {
        values.at(field) = value;
        assigned[field] = true;
        anyAssigned = true;
    }

    int position(qint64 rowid) const
    {
        const auto it = std::find(view.begin(), view.end(), rowid);
        return it == view.end() ? -1 : int(it - view.begin());
    }

    /// The view position shown at a grid row; -1 for the inserted record.
    int viewIndex(int row, bool inserting) const
    {
        if (!inserting || row < insertPos)
            return row;
        return row == insertPos ? -1 : row - 1;
    }

    void addEquality(Where& where, const QString& column, const QVariant& value) const
    {
        const QString quoted = quoteId(column);
        if (isEmptyValue(value)) {
            where.terms << QStringLiteral("(%1 IS NULL OR %1 = '')").arg(quoted);
            return;
        }
        if (value.typeId() == QMetaType::QString && meta.hasSortKeyIndex(column)) {
            // Equal values have equal sort keys; naming the key lets the order's index find them.
            where.terms << quoteId(danishSortKey(column)) + QStringLiteral(" = ?");
            where.params.push_back(danishFold(value.toString()));
        }
        where.terms << quoted + QStringLiteral(" = ?");
        where.params.push_back(value);
    }

    QString select(const Where& where, const QString& what) const
    {
        QString sql = QStringLiteral("SELECT %1 FROM %2").arg(what, qualified);
        if (!where.terms.isEmpty())
            sql += QStringLiteral(" WHERE ") + where.terms.join(QStringLiteral(" AND "));
        return sql + QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    }

    Where where(const Table& table) const
    {
        Where result;
        if (table.filtered_ && !table.filter_.isEmpty()) {
            const FilterExpression filter = parseFilter(table.filter_);
            const Field& field = table.FieldByName(filter.field);
            QVariant value = filter.value;
            try {
                value = field.storageValue(filter.value);
            } catch (const core::EConvertError&) {
                // Compared as typed: no stored value equals it.
            }
            addEquality(result, field.FieldName(), value);
        }
        addLink(table, result);
        return result;
    }

    static Table* master(const Table& table)
    {
        return table.masterSource_ ? table.masterSource_->DataSet() : nullptr;
    }

    static bool masterHasRecord(const Table& master)
    {
        return master.Active() && (master.Editing() || master.RecordCount() > 0);
    }

    /// Pairs of (detail field, master field) of the master link; empty when there is none.
    static std::vector<std::pair<Field*, Field*>> linkFields(const Table& table)
    {
        std::vector<std::pair<Field*, Field*>> pairs;
        Table* masterTable = master(table);
        const QStringList masterNames = fieldList(table.masterFields_);
        if (!masterTable || masterNames.isEmpty())
            return pairs;
        QStringList detailNames = fieldList(table.indexFieldNames_);
        if (detailNames.size() < masterNames.size())
            detailNames = masterNames;
        const bool masterOpen = masterTable->Active();
        for (int i = 0; i < masterNames.size(); ++i)
            pairs.emplace_back(&table.FieldByName(detailNames.at(i)),
                               masterOpen ? &masterTable->FieldByName(masterNames.at(i)) : nullptr);
        return pairs;
    }

    void addLink(const Table& table, Where& where) const
    {
        const auto pairs = linkFields(table);
        if (pairs.empty())
            return;
        if (!masterHasRecord(*master(table))) {
            where.none = true;
            return;
        }
        for (const auto& [detailField, masterField] : pairs) {
            const QVariant value = masterField->Value();
            if (isEmptyValue(value))
                where.none = true;
            else
                addEquality(where, detailField->FieldName(), value);
        }
    }

    void presetLink(const Table& table)
    {
        const auto pairs = linkFields(table);
        if (pairs.empty() || !masterHasRecord(*master(table)))
            return;
        for (const auto& [detailField, masterField] : pairs)
            assign(size_t(detailField->Index()), masterField->Value());
    }

    void clearBuffer()
    {
        stored.reset();
        if (anyAssigned) {
            values.assign(values.size(), QVariant());
            assigned.assign(assigned.size(), false);
            anyAssigned = false;
        }
        bufferRowid = 0;
    }
};

Table::Table(Database& db, const QString& fileName, QObject* parent)
    : QObject(parent), db_(db), fileName_(fileName), sqlName_(QFileInfo(fileName).completeBaseName()),
      d_(std::make_unique<Impl>())
{
    db_.registerTable(this);
}

Table::~Table()
{
    if (masterSource_)
        masterSource_->removeDetail(this);
    // Sources lose their table without refreshing details: the program may be ending.
    const auto sources = sources_;
    for (DataSource* source : sources) {
        source->table_ = nullptr;
        for (DataLink* link : source->orderedLinks())
            link->activeChanged();
    }
    db_.unregisterTable(this);
}

// ---- opening ----------------------------------------------------------------------------

void Table::Open()
{
    if (Active())
        return;
    Impl& d = *d_;
    const QString schema = db_.attach(fileName_);
    d.path = db_.filePath(schema);
    d.qualified = quoteId(schema) + QLatin1Char('.') + quoteId(sqlName_);
    d.searchQueries.clear();
    d.meta.read(db_, schema, d.path);
    loadFields();
    QStringList columns;
    for (const auto& field : fields_)
        columns << quoteId(field->FieldName());
    d.cache.configure(columns.join(QStringLiteral(", ")), d.qualified, FieldCount(), d.path);
    d.values.assign(fields_.size(), QVariant());
    d.assigned.assign(fields_.size(), false);
    d.order = indexFieldNames_.isEmpty() ? d.meta.indexOrder(indexName_) : fieldOrder(indexFieldNames_);
    state_ = DataSetState::Browse;
    try {
        readView();
        d.cur = d.view.empty() ? -1 : 0;
        loadBuffer();
    } catch (...) {
        state_ = DataSetState::Inactive;
        throw;
    }
    bof_ = true;
    eof_ = d.view.empty();
    modified_ = false;
    sendActive();
}

void Table::loadFields()
{
    // Fields keep their identity across Close/Open: bound controls hold them.
    const auto& columns = d_->meta.columns();
    bool same = fields_.size() == columns.size();
    for (size_t i = 0; same && i < columns.size(); ++i)
        same = fields_[i]->FieldName() == columns[i].name && fields_[i]->DataType() == columns[i].kind;
    if (same)
        return;
    fields_.clear();
    for (size_t i = 0; i < columns.size(); ++i)
        fields_.push_back(std::make_unique<Field>(*this, int(i), columns[i].name, columns[i].kind));
}

void Table::Close()
{
    if (!Active())
        return;
    state_ = DataSetState::Inactive;
    modified_ = false;
    d_->view.clear();
    d_->cache.clear();
    d_->clearBuffer();
    d_->cur = -1;
    d_->insertPos = -1;
    bof_ = eof_ = true;
    sendActive();
}

void Table::checkActive() const
{
    if (!Active())
        throw core::EDatabaseError(kClosedMessage);
}

// ---- the view -----------------------------------------------------------------------------

void Table::readView()
{
    const Where where = d_->where(*this);
    std::vector<qint64> view;
    if (!where.none) {
        view.reserve(d_->view.size());
        Statement select(db_, d_->select(where, QStringLiteral("rowid")), d_->path);
        bindAll(select, where.params);
        while (select.step())
            view.push_back(select.int64(0));
    }
    d_->view.swap(view);
}

QString Table::viewSql() const
{
    if (!Active())
        return QString();
    const Where where = d_->where(*this);
    return where.none ? QString() : d_->select(where, QStringLiteral("rowid"));
}

QStringList Table::fieldOrder(const QString& names) const
{
    const QStringList fields = fieldList(names);
    if (fields.isEmpty())
        return d_->meta.indexOrder(QString());
    QStringList terms;
    for (const QString& name : fields)
        terms << quoteId(FieldByName(name).FieldName());
    return terms << QStringLiteral("rowid");
}

void Table::positionAt(qint64 rowid, int fallback)
{
    const int position = d_->position(rowid);
    d_->cur = position >= 0 ? position : clampPosition(fallback, d_->view.size());
}

int Table::nearestPosition(qint64 rowid, int fallback) const
{
    // The view with the one record added: its place there is the place of the record after it.
    Where where = d_->where(*this);
    if (where.none || where.terms.isEmpty())
        return fallback;
    where.terms = QStringList{QStringLiteral("(%1) OR rowid = ?").arg(where.terms.join(QStringLiteral(" AND ")))};
    where.params.push_back(rowid);
    Statement select(db_, d_->select(where, QStringLiteral("rowid")), d_->path);
    bindAll(select, where.params);
    for (int index = 0; select.step(); ++index)
        if (select.int64(0) == rowid)
            return index;
    return fallback;
}

void Table::loadBuffer()
{
    Impl& d = *d_;
    d.clearBuffer();
    if (d.cur < 0 || d.cur >= int(d.view.size()))
        return;
    d.bufferRowid = d.view[size_t(d.cur)];
    d.stored = d.cache.row(db_, d.view, d.cur);
}

void Table::afterViewChange()
{
    d_->cur = d_->view.empty() ? -1 : 0;
    bof_ = true;
    eof_ = d_->view.empty();
    loadBuffer();
    sendChanged();
}

void Table::reorder(const QStringList& terms)
{
    const qint64 keep = d_->bufferRowid;
    const QStringList old = d_->order;
    d_->order = terms;
    try {
        readView();
    } catch (...) {
        d_->order = old;
        throw;
    }
    positionAt(keep, 0);
    bof_ = eof_ = d_->view.empty();
    loadBuffer();
    sendChanged();
}

void Table::SetIndexName(const QString& name)
{
    if (name == indexName_ && indexFieldNames_.isEmpty())
        return;
    if (Active()) {
        checkBrowseMode();
        reorder(d_->meta.indexOrder(name));
    }
    indexName_ = name;
    indexFieldNames_.clear();
}

void Table::SetIndexFieldNames(const QString& names)
{
    if (names == indexFieldNames_ && indexName_.isEmpty())
        return;
    const QString oldNames = indexFieldNames_;
    indexFieldNames_ = names; // the link reads its detail fields from here
    indexName_.clear();
    if (!Active())
        return;
    try {
        checkBrowseMode();
        reorder(fieldOrder(names));
    } catch (...) {
        indexFieldNames_ = oldNames;
        throw;
    }
}

void Table::SetFilter(const QString& expression)
{
    if (expression == filter_)
        return;
    if (!Active() || !filtered_) {
        filter_ = expression;
        return;
    }
    checkBrowseMode();
    const QString old = filter_;
    filter_ = expression;
    try {
        readView();
    } catch (...) {
        filter_ = old;
        throw;
    }
    afterViewChange();
}

void Table::SetFiltered(bool on)
{
    if (on == filtered_)
        return;
    if (!Active()) {
        filtered_ = on;
        return;
    }
    checkBrowseMode();
    filtered_ = on;
    try {
        readView();
    } catch (...) {
        filtered_ = !on;
        throw;
    }
    afterViewChange();
}

void Table::SetMasterSource(DataSource* source)
{
    if (source == masterSource_)
        return;
    if (Active())
        checkBrowseMode();
    if (masterSource_)
        masterSource_->removeDetail(this);
    masterSource_ = source;
    if (masterSource_)
        masterSource_->addDetail(this);
    if (Active()) {
        readView();
        afterViewChange();
    }
}

void Table::SetMasterFields(const QString& names)
{
    if (names == masterFields_)
        return;
    if (Active())
        checkBrowseMode();
    masterFields_ = names;
    if (Active()) {
        readView();
        afterViewChange();
    }
}

void Table::masterChanged()
{
    if (!Active())
        return;
    checkBrowseMode();
    readView();
    afterViewChange();
}

void Table::masterFieldChanged(Field* field)
{
    if (!Active() || !masterSource_)
        return;
    if (field) {
        const QStringList names = fieldList(masterFields_);
        const bool linked = std::any_of(names.begin(), names.end(), [field](const QString& name) {
            return name.compare(field->FieldName(), Qt::CaseInsensitive) == 0;
        });
        if (!linked)
            return;
    }
    masterChanged();
}

void Table::Refresh()
{
    checkActive();
    checkBrowseMode();
    d_->cache.clear();
    const qint64 keep = d_->bufferRowid;
    readView();
    positionAt(keep, d_->cur);
    bof_ = eof_ = d_->view.empty();
    loadBuffer();
    sendChanged();
}

void Table::afterRollback()
{
    if (!Active())
        return;
    Impl& d = *d_;
    d.cache.clear();
    invalidateSiblings();
    readView();
    if (state_ == DataSetState::Insert) {
        d.insertPos = std::clamp(d.insertPos, 0, int(d.view.size()));
        d.cur = clampPosition(d.insertPos, d.view.size());
    } else {
        positionAt(d.bufferRowid, d.cur);
        bof_ = eof_ = d.view.empty();
    }
    if (!Editing())
        loadBuffer();
    sendChanged();
}

void Table::invalidateSiblings()
{
    for (Table* table : db_.tablesOn(sqlName_)) {
        if (table == this || !table->Active())
            continue;
        table->d_->cache.clear();
        if (table->Editing())
            continue;
        try {
            table->loadBuffer();
        } catch (const core::EError&) {
            // It reads the record again on its next move.
        }
    }
}

// ---- moves --------------------------------------------------------------------------------

void Table::moveTo(int position, bool bof, bool eof)
{
    const bool moved = position != d_->cur;
    d_->cur = position;
    bof_ = bof;
    eof_ = eof;
    if (!moved)
        return;
    loadBuffer();
    sendScrolled();
    if (AfterScroll)
        AfterScroll(*this);
}

void Table::First()
{
    checkActive();
    checkBrowseMode();
    if (d_->view.empty())
        bof_ = eof_ = true;
    else
        moveTo(0, true, false);
}

void Table::Last()
{
    checkActive();
    checkBrowseMode();
    if (d_->view.empty())
        bof_ = eof_ = true;
    else
        moveTo(int(d_->view.size()) - 1, false, true);
}

void Table::Next()
{
    checkActive();
    checkBrowseMode();
    if (eof_)
        return;
    if (d_->cur + 1 < int(d_->view.size())) {
        moveTo(d_->cur + 1, false, false);
    } else {
        bof_ = d_->view.empty();
        eof_ = true;
    }
}

void Table::Prior()
{
    checkActive();
    checkBrowseMode();
    if (bof_)
        return;
    if (d_->cur > 0) {
        moveTo(d_->cur - 1, false, false);
    } else {
        eof_ = d_->view.empty();
        bof_ = true;
    }
}

int Table::RecordCount() const
{
    return Active() ? int(d_->view.size()) : 0;
}

int Table::RowCount() const
{
    if (!Active())
        return 0;
    return int(d_->view.size()) + (state_ == DataSetState::Insert ? 1 : 0);
}

int Table::CurrentRow() const
{
    if (!Active())
        return -1;
    return state_ == DataSetState::Insert ? d_->insertPos : d_->cur;
}

void Table::MoveToRow(int row)
{
    checkActive();
    if (row == CurrentRow())
        return;
    const int index = d_->viewIndex(row, state_ == DataSetState::Insert);
    const bool valid = index >= 0 && index < int(d_->view.size());
    const qint64 target = valid ? d_->view[size_t(index)] : 0;
    checkBrowseMode();
    // The view may have changed with the post: go to the record that was at that row.
    int position = d_->position(target);
    if (position < 0)
        position = clampPosition(row, d_->view.size());
    if (position >= 0)
        moveTo(position, false, false);
}

QString Table::DisplayText(int row, int fieldIndex) const
{
    if (!Active() || fieldIndex < 0 || fieldIndex >= FieldCount())
        return QString();
    const Field& field = *fields_[size_t(fieldIndex)];
    if (row == CurrentRow())
        return field.AsString();
    const int index = d_->viewIndex(row, state_ == DataSetState::Insert);
    if (index < 0 || index >= int(d_->view.size()))
        return QString();
    const RowPtr record = d_->cache.row(db_, d_->view, index);
    return record ? field.displayText(record->value(fieldIndex)) : QString();
}

bool Table::Locate(const QString& fieldName, const QString& value)
{
    checkActive();
    const Field& field = FieldByName(fieldName);
    checkBrowseMode();
    QVariant stored;
    try {
        stored = field.storageValue(value);
    } catch (const core::EConvertError&) {
        return false; // no stored value can equal it
    }
    Where where;
    d_->addEquality(where, field.FieldName(), stored);
    Statement select(db_,
                     QStringLiteral("SELECT rowid FROM %1 WHERE %2")
                         .arg(d_->qualified, where.terms.join(QStringLiteral(" AND "))),
                     d_->path);
    bindAll(select, where.params);
    std::unordered_set<qint64> matches;
    while (select.step())
        matches.insert(select.int64(0));
    // The first match in the view's order, within its filter and link.
    const auto& view = d_->view;
    const auto it = std::find_if(view.begin(), view.end(), [&matches](qint64 rowid) { return matches.count(rowid) > 0; });
    if (it == view.end())
        return false;
    moveTo(int(it - view.begin()), false, false);
    return true;
}

// ---- bookmarks and controls ---------------------------------------------------------------

Table::Bookmark Table::GetBookmark() const
{
    if (!Active() || state_ == DataSetState::Insert || d_->cur < 0)
        return 0;
    return d_->view[size_t(d_->cur)];
}

bool Table::BookmarkValid(Bookmark bookmark) const
{
    if (bookmark == 0 || !Active() || d_->position(bookmark) < 0)
        return false;
    Statement exists(db_, QStringLiteral("SELECT 1 FROM %1 WHERE rowid = ?1").arg(d_->qualified), d_->path);
    exists.bindInt(1, bookmark);
    return exists.step();
}

void Table::GotoBookmark(Bookmark bookmark)
{
    checkActive();
    if (!BookmarkValid(bookmark))
        return;
    checkBrowseMode();
    const int position = d_->position(bookmark);
    if (position >= 0)
        moveTo(position, false, false);
}

void Table::DisableControls()
{
    ++disableCount_;
}

void Table::EnableControls()
{
    if (disableCount_ == 0)
        return;
    if (--disableCount_ == 0)
        sendChanged();
}

// ---- fields -------------------------------------------------------------------------------

Field* Table::FindField(const QString& name) const
{
    for (const auto& field : fields_)
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return field.get();
    return nullptr;
}

Field& Table::FieldByName(const QString& name) const
{
    if (Field* field = FindField(name))
        return *field;
    throw core::EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
}

QVariant Table::bufferValue(int fieldIndex) const
{
    if (!Active() || fieldIndex < 0 || size_t(fieldIndex) >= d_->values.size())
        return QVariant();
    return d_->value(size_t(fieldIndex));
}

void Table::setBufferValue(int fieldIndex, const QVariant& value)
{
    checkActive();
    if (!Editing())
        Edit();
    d_->assign(size_t(fieldIndex), value);
    modified_ = true;
    sendRecord(fields_[size_t(fieldIndex)].get());
}

// ---- editing ------------------------------------------------------------------------------

void Table::checkBrowseMode()
{
    if (!Editing())
        return;
    sendUpdateData();
    if (modified_)
        post(false);
    else
        Cancel();
}

void Table::Insert()
{
    checkActive();
    checkBrowseMode();
    if (BeforeInsert)
        BeforeInsert(*this);
    d_->insertPos = d_->view.empty() ? 0 : std::max(d_->cur, 0);
    state_ = DataSetState::Insert;
    d_->clearBuffer();
    d_->presetLink(*this);
    modified_ = false;
    bof_ = eof_ = false;
    sendEditing();
    sendChanged();
    if (AfterInsert)
        AfterInsert(*this);
}

void Table::Edit()
{
    checkActive();
    if (Editing())
        return;
    if (d_->view.empty()) {
        Insert();
        return;
    }
    if (BeforeEdit)
        BeforeEdit(*this);
    // An edit starts from the record as stored now.
    d_->cache.forget(d_->bufferRowid);
    loadBuffer();
    state_ = DataSetState::Edit;
    modified_ = false;
    sendEditing();
}

void Table::Post()
{
    post(true);
}

qint64 Table::writeRecord(bool inserting)
{
    const Impl& d = *d_;
    QStringList columns;
    std::vector<QVariant> values;
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (!inserting && !d.assigned[i])
            continue;
        columns << quoteId(fields_[i]->FieldName());
        values.push_back(d.value(i));
    }
    if (!inserting && columns.isEmpty())
        return d.bufferRowid;
    QString sql;
    if (inserting) {
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(d.qualified, columns.join(QStringLiteral(", ")),
                       QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    } else {
        sql = QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")
                  .arg(d.qualified, columns.join(QStringLiteral(" = ?, ")));
        values.push_back(d.bufferRowid);
    }
    Statement write(db_, sql, d.path);
    bindAll(write, values);
    write.run();
    if (inserting)
        return sqlite3_last_insert_rowid(db_.handle());
    if (write.changes() == 0)
        throw core::EDatabaseError(kDeletedMessage);
    return d.bufferRowid;
}

bool Table::changesAffectView() const
{
    // Order, filter and link columns; any other change leaves the view as it is.
    const Where where = d_->where(*this);
    const QString used = d_->order.join(QLatin1Char(' ')) + QLatin1Char(' ') + where.terms.join(QLatin1Char(' '));
    for (size_t i = 0; i < fields_.size(); ++i)
        if (d_->assigned[i] && used.contains(quoteId(fields_[i]->FieldName())))
            return true;
    return false;
}

void Table::post(bool askControls)
{
    checkActive();
    if (!Editing())
        return;
    if (askControls)
        sendUpdateData();
    if (!Editing())
        return;
    const bool inserting = state_ == DataSetState::Insert;
    qint64 rowid = 0;
    {
        Transaction scope(db_);
        if (BeforePost)
            BeforePost(*this);
        rowid = writeRecord(inserting);
        db_.touch(this);
        scope.commit();
    }
    const bool viewChanges = inserting || changesAffectView();
    const int fallback = inserting ? d_->insertPos : d_->cur;
    state_ = DataSetState::Browse;
    modified_ = false;
    d_->insertPos = -1;
    d_->cache.forget(rowid);
    invalidateSiblings();
    if (viewChanges) {
        readView();
        int position = d_->position(rowid);
        if (position < 0)
            position = nearestPosition(rowid, fallback);
        d_->cur = clampPosition(position, d_->view.size());
    }
    bof_ = eof_ = d_->view.empty();
    loadBuffer();
    sendEditing();
    sendChanged();
    if (AfterPost)
        AfterPost(*this);
}

void Table::Cancel()
{
    if (!Editing())
        return;
    if (BeforeCancel)
        BeforeCancel(*this);
    const bool wasInsert = state_ == DataSetState::Insert;
    state_ = DataSetState::Browse;
    modified_ = false;
    if (wasInsert) {
        d_->cur = clampPosition(d_->insertPos, d_->view.size());
        d_->insertPos = -1;
        bof_ = eof_ = d_->view.empty();
    }
    loadBuffer();
    sendEditing();
    if (wasInsert)
        sendChanged();
    else
        sendRecord(nullptr);
}

void Table::Delete()
{
    checkActive();
    if (state_ == DataSetState::Insert) {
        Cancel();
        return;
    }
    if (d_->view.empty())
        throw core::EDatabaseError(kEmptyMessage);
    const qint64 rowid = d_->view[size_t(d_->cur)];
    const int position = d_->cur;
    {
        Transaction scope(db_);
        if (BeforeDelete)
            BeforeDelete(*this);
        Statement remove(db_, QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(d_->qualified), d_->path);
        remove.bindInt(1, rowid).run();
        db_.touch(this);
        scope.commit();
    }
    const bool wasEditing = Editing();
    state_ = DataSetState::Browse;
    modified_ = false;
    d_->cache.forget(rowid);
    invalidateSiblings();
    readView();
    d_->cur = clampPosition(position, d_->view.size());
    bof_ = eof_ = d_->view.empty();
    loadBuffer();
    if (wasEditing)
        sendEditing();
    sendChanged();
    if (AfterDelete)
        AfterDelete(*this);
}

// ---- notifications ------------------------------------------------------------------------

void Table::addDataSource(DataSource* source)
{
    if (!contains(sources_, source))
        sources_.push_back(source);
}

void Table::removeDataSource(DataSource* source)
{
    sources_.erase(std::remove(sources_.begin(), sources_.end(), source), sources_.end());
}

template <typename Call>
void Table::forEachSource(Call call)
{
    if (disableCount_ > 0)
        return;
    const auto sources = sources_;
    for (DataSource* source : sources)
        if (contains(sources_, source))
            call(source);
}

void Table::sendActive()
{
    forEachSource([](DataSource* source) { source->notifyActiveChanged(); });
}

void Table::sendChanged()
{
    forEachSource([](DataSource* source) { source->notifyDataSetChanged(); });
}

void Table::sendScrolled()
{
    forEachSource([](DataSource* source) { source->notifyScrolled(); });
}

void Table::sendRecord(Field* field)
{
    forEachSource([field](DataSource* source) { source->notifyRecordChanged(field); });
}

void Table::sendEditing()
{
    forEachSource([](DataSource* source) { source->notifyEditingChanged(); });
}

void Table::sendUpdateData()
{
    forEachSource([](DataSource* source) { source->notifyUpdateData(); });
}

namespace {
// Rows tested per query when a search walks the view: few at first, since a hit is often
// near (find-next over a word that many records hold), then twice as many each time.
constexpr int kSearchBatch = 256;
constexpr int kFirstSearchBatch = 8;

QString searchSql(const QString& column, const QString& qualified, int count)
{
    QStringList parameters;
    for (int i = 1; i <= count; ++i)
        parameters << QStringLiteral("?%1").arg(i);
    return QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid IN (%3)")
        .arg(quoteId(column), qualified, parameters.join(QLatin1Char(',')));
}

// The text a stored value of the field shows, read straight from the statement: texts and
// memos are their own text, other kinds go through the field's formatting.
QString searchedText(const Field& field, const Statement& select)
{
    if (field.DataType() == FieldKind::String || field.IsBlob())
        return select.text(1);
    return field.displayText(select.value(1));
}

bool isTextKind(const Field& field)
{
    return field.DataType() == FieldKind::String || field.IsBlob();
}

// A row of the walk, tested on its stored bytes where the test can decide on them.
bool testStored(const Field& field, const Statement& select, const Table::TextTest& test)
{
    if (test.utf8 && isTextKind(field) && select.columnType(1) == SQLITE_TEXT) {
        sqlite3_value* value = select.columnValue(1);
        const auto* data = reinterpret_cast<const char*>(sqlite3_value_text(value));
        if (const std::optional<bool> verdict = test.utf8(data, sqlite3_value_bytes(value)))
            return *verdict;
    }
    return test.text(searchedText(field, select));
}
} // namespace

bool Table::testCurrent(const Field& field, const TextTest& test) const
{
    const size_t index = size_t(field.Index());
    const char* data = nullptr;
    qsizetype size = 0;
    // The buffer holds the stored value unless the field was assigned since the edit began.
    if (test.utf8 && isTextKind(field) && !d_->assigned[index] && d_->stored
        && d_->stored->utf8(field.Index(), data, size))
        if (const std::optional<bool> verdict = test.utf8(data, size))
            return *verdict;
    return test.text(field.AsString());
}

int Table::FindRow(int fromRow, int fieldIndex, const std::function<bool(const QString&)>& test) const
{
    return FindRow(fromRow, fieldIndex, TextTest{test, {}});
}

int Table::FindRow(int fromRow, int fieldIndex, const TextTest& test) const
{
    if (!Active() || fieldIndex < 0 || fieldIndex >= FieldCount())
        return -1;
    const Field& field = *fields_[size_t(fieldIndex)];
    const bool inserting = state_ == DataSetState::Insert;
    const int rows = RowCount();
    const int current = CurrentRow();
    int begin = std::max(0, fromRow);
    // The current record shows its buffer, which may hold changes not yet posted; a walk
    // that starts on it needs no query when it matches.
    if (begin == current && begin < rows) {
        if (testCurrent(field, test))
            return current;
        ++begin;
    }
    if (begin >= rows)
        return -1;
    if (d_->searchColumn != field.FieldName()) {
        d_->searchColumn = field.FieldName();
        d_->searchQueries.clear();
    }
    std::vector<std::pair<qint64, int>> batch; // rowid and row, ordered by rowid
    for (int size = kFirstSearchBatch; begin < rows; begin += size, size = std::min(2 * size, kSearchBatch)) {
        const int end = std::min(rows, begin + size);
        batch.clear();
        for (int row = begin; row < end; ++row) {
            const int index = d_->viewIndex(row, inserting);
            if (row != current && index >= 0 && index < int(d_->view.size()))
                batch.emplace_back(d_->view[size_t(index)], row);
        }
        std::sort(batch.begin(), batch.end());
        // Rows come back in the store's order: each is tested as it comes, and the first in
        // the view's order wins.
        int found = (current >= begin && current < end && testCurrent(field, test)) ? current : end;
        QString& sql = d_->searchQueries[size];
        if (sql.isEmpty())
            sql = searchSql(field.FieldName(), d_->qualified, size);
        Statement select(db_, sql, d_->path);
        for (int i = 0; i < size; ++i) {
            if (i < int(batch.size()))
                select.bindInt(i + 1, batch[size_t(i)].first);
            else
                select.bindNull(i + 1);
        }
        while (select.step()) {
            const auto it = std::lower_bound(batch.begin(), batch.end(), std::make_pair(select.int64(0), -1));
            if (it != batch.end() && it->first == select.int64(0) && it->second < found
                && testStored(field, select, test))
                found = it->second;
        }
        if (found < end)
            return found;
    }
    return -1;
}

} // namespace engine
