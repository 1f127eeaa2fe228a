#include "Table.h"
#include "TableImpl.h"

#include "DataSource.h"
#include "Database.h"
#include "RecordBuffer.h"
#include "RowCache.h"
#include "Statement.h"
#include "TableMeta.h"
#include "ViewQuery.h"
#include "core/Errors.h"

#include <algorithm>
#include <tuple>
#include <sqlite3.h>

namespace engine {

namespace {
const QString kClosedMessage = QStringLiteral("Cannot perform this operation on a closed dataset");
const QString kEmptyMessage = QStringLiteral("Cannot perform this operation on an empty dataset");
const QString kDeletedMessage = QStringLiteral("Record/key deleted.");

int clampPosition(int position, size_t size)
{
    return size == 0 ? -1 : std::clamp(position, 0, int(size) - 1);
}

template <typename T>
bool contains(const std::vector<T>& list, const T& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

Table* masterOf(const Table& table)
{
    return table.MasterSource() ? table.MasterSource()->DataSet() : nullptr;
}
} // namespace

Table::Table(Database& db, const QString& fileName, QObject* parent)
    : QObject(parent), db_(db), fileName_(fileName), sqlName_(schemaOfFile(fileName)),
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

void Table::Open()
{
    if (Active())
        return;
    Impl& d = *d_;
    const QString schema = db_.attach(fileName_);
    attachConditionFiles();
    d.path = db_.filePath(schema);
    d.qualified = quoteId(schema) + QLatin1Char('.') + quoteId(sqlName_);
    d.meta.read(db_, schema, d.path);
    loadFields();
    QStringList columns;
    for (const auto& field : fields_)
        columns << quoteId(field->FieldName());
    d.cache.configure(columns.join(QStringLiteral(", ")), d.qualified, FieldCount(), d.path);
    d.record.resize(fields_.size());
    d.query.configure(schema, d.qualified, d.path, d.meta);
    d.query.setShape(ViewShape::resolve(d.meta, viewSettings()));
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
    send(&DataSource::notifyActiveChanged);
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
    d_->record.clear();
    d_->cur = -1;
    d_->insertPos = -1;
    bof_ = eof_ = true;
    send(&DataSource::notifyActiveChanged);
}

void Table::checkActive() const
{
    if (!Active())
        throw core::EDatabaseError(kClosedMessage);
}

void Table::readView()
{
    d_->view = d_->query.read(db_, d_->linkValues(masterOf(*this)));
}

QString Table::viewSql() const
{
    return viewFieldsSql({}).first;
}

std::pair<QString, std::vector<QVariant>> Table::viewFieldsSql(const std::vector<int>& fieldIndexes) const
{
    if (!Active())
        return {};
    QStringList columns;
    for (int index : fieldIndexes)
        columns << quoteId(Fields(index).FieldName());
    ViewQuery::BoundSql query = d_->query.select(d_->linkValues(masterOf(*this)), columns);
    return {std::move(query.sql), std::move(query.params)};
}

void Table::keepPosition(qint64 rowid, int fallback)
{
    const int position = d_->position(rowid);
    d_->cur = position >= 0 ? position : clampPosition(fallback, d_->view.size());
}

void Table::loadBuffer()
{
    Impl& d = *d_;
    if (d.cur < 0 || d.cur >= int(d.view.size()))
        d.record.clear();
    else
        d.record.load(d.view[size_t(d.cur)], d.cache.row(db_, d.view, d.cur));
}

ViewSettings Table::viewSettings() const
{
    return {indexName_, indexFieldNames_, filter_, filtered_, masterFields_, masterOf(*this) != nullptr, condition_};
}

void Table::changeView(const std::function<void()>& apply, bool keepRecord)
{
    if (!Active()) {
        apply();
        return;
    }
    checkBrowseMode();
    const auto saved = std::make_tuple(indexName_, indexFieldNames_, filter_, filtered_, masterFields_, condition_);
    ViewShape shape = d_->query.shape();
    apply();
    try {
        // An unknown index or field, or a malformed filter, fails here. A master's move
        // changes no setting: its values are read with each query.
        const ViewSettings settings = viewSettings();
        if (settings != shape.settings)
            d_->query.setShape(ViewShape::resolve(d_->meta, settings));
        readView();
    } catch (...) {
        std::tie(indexName_, indexFieldNames_, filter_, filtered_, masterFields_, condition_) = saved;
        d_->query.setShape(std::move(shape));
        throw;
    }
    // A new order keeps the current record; a new selection starts at its first record.
    if (keepRecord)
        keepPosition(d_->record.rowid(), 0);
    else
        d_->cur = d_->view.empty() ? -1 : 0;
    bof_ = !keepRecord || d_->view.empty();
    eof_ = d_->view.empty();
    loadBuffer();
    send(&DataSource::notifyDataSetChanged);
}

void Table::SetIndexName(const QString& name)
{
    if (name != indexName_ || !indexFieldNames_.isEmpty())
        changeView(
            [&] {
                indexName_ = name;
                indexFieldNames_.clear();
            },
            true);
}

void Table::ReadOrderAhead(const QString& name)
{
    if (!Active() || masterOf(*this))
        return;
    ViewSettings settings = viewSettings();
    if (settings.indexName == name && settings.indexFieldNames.isEmpty())
        return;
    settings.indexName = name;
    settings.indexFieldNames.clear();
    d_->query.readAhead(db_, ViewShape::resolve(d_->meta, settings));
}

void Table::SetIndexFieldNames(const QString& names)
{
    // The master link reads its detail fields from here.
    if (names != indexFieldNames_ || !indexName_.isEmpty())
        changeView(
            [&] {
                indexFieldNames_ = names;
                indexName_.clear();
            },
            true);
}

void Table::SetFilter(const QString& expression)
{
    if (expression == filter_)
        return;
    if (filtered_)
        changeView([&] { filter_ = expression; }, false);
    else
        filter_ = expression;
}

void Table::SetFiltered(bool on)
{
    if (on != filtered_)
        changeView([&] { filtered_ = on; }, false);
}

void Table::SetCondition(const NamedCondition& condition)
{
    if (condition.sameAs(condition_))
        return;
    if (Active())
        for (const QString& file : condition.dependsOn)
            db_.attach(file);
    changeView([&] { condition_ = condition; }, true);
}

void Table::attachConditionFiles()
{
    for (const QString& file : condition_.dependsOn)
        db_.attach(file);
}

bool Table::dependsOnFile(const QString& schema) const
{
    return std::any_of(condition_.dependsOn.begin(), condition_.dependsOn.end(), [&](const QString& file) {
        return schemaOfFile(file).compare(schema, Qt::CaseInsensitive) == 0;
    });
}

void Table::refreshDependents()
{
    for (Table* table : db_.tablesDependingOn(sqlName_))
        if (table != this && table->Active())
            table->rereadView();
}

void Table::SetMasterSource(DataSource* source)
{
    if (source == masterSource_)
        return;
    changeView(
        [&] {
            if (masterSource_)
                masterSource_->removeDetail(this);
            masterSource_ = source;
            if (masterSource_)
                masterSource_->addDetail(this);
        },
        false);
}

void Table::SetMasterFields(const QString& names)
{
    if (names != masterFields_)
        changeView([&] { masterFields_ = names; }, false);
}

void Table::masterChanged()
{
    if (Active())
        changeView([] {}, false);
}

void Table::masterFieldChanged(Field* field)
{
    if (!Active() || !masterSource_)
        return;
    if (field) {
        const std::vector<LinkPair>& pairs = d_->query.shape().link;
        const bool linked = std::any_of(pairs.begin(), pairs.end(), [field](const LinkPair& pair) {
            return pair.masterField.compare(field->FieldName(), Qt::CaseInsensitive) == 0;
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
    readView();
    keepPosition(d_->record.rowid(), d_->cur);
    bof_ = eof_ = d_->view.empty();
    loadBuffer();
    send(&DataSource::notifyDataSetChanged);
}

void Table::ReadRecordsAgain()
{
    if (!Active())
        return;
    d_->cache.clear();
    if (!Editing() && d_->cur >= 0)
        loadBuffer();
    send(&DataSource::notifyDataSetChanged);
}

void Table::afterRollback()
{
    if (!Active())
        return;
    invalidateSiblings();
    rereadView();
    refreshDependents();
}

void Table::rereadView()
{
    Impl& d = *d_;
    d.cache.clear();
    readView();
    if (state_ == DataSetState::Insert) {
        d.insertPos = std::clamp(d.insertPos, 0, int(d.view.size()));
        d.cur = clampPosition(d.insertPos, d.view.size());
    } else {
        keepPosition(d.record.rowid(), d.cur);
        bof_ = eof_ = d.view.empty();
    }
    if (!Editing())
        loadBuffer();
    send(&DataSource::notifyDataSetChanged);
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

void Table::moveTo(int position, bool bof, bool eof)
{
    const bool moved = position != d_->cur;
    d_->cur = position;
    bof_ = bof;
    eof_ = eof;
    if (!moved)
        return;
    loadBuffer();
    send(&DataSource::notifyScrolled);
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

bool Table::RecordVanished() const
{
    return Active() && d_->cur >= 0 && d_->record.vanished();
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
    const qint64 target = d_->rowidAt(row, state_ == DataSetState::Insert);
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
    const auto matches = d_->query.matches(db_, field.FieldName(), stored);
    // The first match in the view's order, within its filter and link.
    const auto& view = d_->view;
    const auto it = std::find_if(view.begin(), view.end(), [&matches](qint64 rowid) { return matches.count(rowid) > 0; });
    if (it == view.end())
        return false;
    moveTo(int(it - view.begin()), false, false);
    return true;
}

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
    // Controls are deaf from here on, so a move made while they are off could not ask them for
    // what they still hold: text typed into a control would be dropped with the edit. They write
    // it now, while they still show the record it belongs to.
    if (disableCount_ == 0 && Editing())
        send(&DataSource::notifyUpdateData);
    ++disableCount_;
}

void Table::EnableControls()
{
    if (disableCount_ == 0)
        return;
    if (--disableCount_ == 0)
        send(&DataSource::notifyDataSetChanged);
}

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
    throw core::EDatabaseError(fieldNotFoundMessage(name));
}

QVariant Table::bufferValue(int fieldIndex) const
{
    if (!Active() || fieldIndex < 0 || fieldIndex >= FieldCount())
        return QVariant();
    return d_->record.value(size_t(fieldIndex));
}

void Table::setBufferValue(int fieldIndex, const QVariant& value)
{
    checkActive();
    if (!Editing())
        Edit();
    d_->record.assign(size_t(fieldIndex), value);
    modified_ = true;
    sendRecord(fields_[size_t(fieldIndex)].get());
}

void Table::checkBrowseMode()
{
    if (!Editing())
        return;
    send(&DataSource::notifyUpdateData);
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
    d_->record.clear();
    if (const ViewQuery::LinkValues link = d_->linkValues(masterOf(*this)))
        for (const Equality& value : *link)
            d_->record.assign(size_t(d_->meta.columnIndex(value.column)), value.value);
    modified_ = false;
    bof_ = eof_ = false;
    send(&DataSource::notifyEditingChanged);
    send(&DataSource::notifyDataSetChanged);
    if (AfterInsert)
        AfterInsert(*this);
    // What the insert events fill in is the new record's default, not a change: a record
    // left with only those is dropped by the next move, never stored empty.
    modified_ = false;
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
    d_->cache.forget(d_->record.rowid());
    loadBuffer();
    state_ = DataSetState::Edit;
    modified_ = false;
    send(&DataSource::notifyEditingChanged);
}

void Table::Post()
{
    post(true);
}

qint64 Table::writeRecord(bool inserting)
{
    const RecordBuffer& record = d_->record;
    QStringList columns;
    std::vector<QVariant> values;
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (!inserting && !record.isAssigned(i))
            continue;
        columns << quoteId(fields_[i]->FieldName());
        values.push_back(record.value(i));
    }
    if (!inserting && columns.isEmpty())
        return record.rowid();
    QString sql;
    if (inserting) {
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(d_->qualified, columns.join(QStringLiteral(", ")),
                       QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    } else {
        sql = QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?").arg(d_->qualified, columns.join(QStringLiteral(" = ?, ")));
        values.push_back(record.rowid());
    }
    db_.prepareWrite();
    qint64 rowid = record.rowid();
    int changes = 0;
    db_.writeMendingDamage(sqlName_, [&] {
        Statement write(db_, sql, d_->path);
        for (size_t i = 0; i < values.size(); ++i)
            write.bind(int(i) + 1, values[i]);
        write.run();
        changes = write.changes();
        if (inserting)
            rowid = write.lastInsertRowid();
    });
    if (!inserting && changes == 0)
        throw core::EDatabaseError(kDeletedMessage);
    return rowid;
}

bool Table::changesAffectView() const
{
    // Any other change leaves the view as it is.
    for (size_t i = 0; i < fields_.size(); ++i)
        if (d_->record.isAssigned(i) && d_->query.shape().dependsOn(fields_[i]->FieldName()))
            return true;
    return false;
}

void Table::post(bool askControls)
{
    checkActive();
    if (!Editing())
        return;
    if (askControls)
        send(&DataSource::notifyUpdateData);
    if (!Editing())
        return;
    const bool inserting = state_ == DataSetState::Insert;
    qint64 rowid = 0;
    {
        Transaction scope(db_);
        if (BeforePost)
            BeforePost(*this);
        if (!Editing())
            return; // BeforePost cancelled the record: nothing to write
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
    if (viewChanges)
        d_->cur = d_->query.place(db_, d_->linkValues(masterOf(*this)), d_->view, rowid, fallback);
    bof_ = eof_ = d_->view.empty();
    loadBuffer();
    send(&DataSource::notifyEditingChanged);
    send(&DataSource::notifyDataSetChanged);
    refreshDependents();
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
    send(&DataSource::notifyEditingChanged);
    if (wasInsert)
        send(&DataSource::notifyDataSetChanged);
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
        db_.prepareWrite();
        db_.writeMendingDamage(sqlName_, [&] {
            Statement remove(db_, QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(d_->qualified), d_->path);
            remove.bindInt(1, rowid).run();
        });
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
        send(&DataSource::notifyEditingChanged);
    send(&DataSource::notifyDataSetChanged);
    refreshDependents();
    if (AfterDelete)
        AfterDelete(*this);
}

void Table::addDataSource(DataSource* source)
{
    if (!contains(sources_, source))
        sources_.push_back(source);
}

void Table::removeDataSource(DataSource* source)
{
    sources_.erase(std::remove(sources_.begin(), sources_.end(), source), sources_.end());
}

void Table::assertInvariant() const noexcept
{
    // Checked before every notification, when an operation has settled its state.
    const Impl& d = *d_;
    Q_ASSERT(d.cur >= -1 && d.cur < int(d.view.size()));
    Q_ASSERT(Active() || (d.cur == -1 && d.view.empty()));
    if (state_ == DataSetState::Insert)
        Q_ASSERT(d.insertPos >= 0 && d.insertPos <= int(d.view.size()));
    else
        Q_ASSERT(d.insertPos == -1);
}

void Table::send(void (DataSource::*notify)())
{
    assertInvariant();
    if (disableCount_ > 0)
        return;
    const auto sources = sources_; // a control may unbind a source while it is told
    for (DataSource* source : sources)
        if (contains(sources_, source))
            (source->*notify)();
}

void Table::sendRecord(Field* field)
{
    if (disableCount_ > 0)
        return;
    const auto sources = sources_;
    for (DataSource* source : sources)
        if (contains(sources_, source))
            source->notifyRecordChanged(field);
}

} // namespace engine
