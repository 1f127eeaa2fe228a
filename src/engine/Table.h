#pragma once
// A dataset over one table file: current record, browse/edit/insert state, moves in the
// current order within filter and master link, edits and their events.
//
// The view is the ordered list of row ids that pass the filter and master link; moving is
// index arithmetic, records are read on demand and cached. Reading rows for a grid never
// moves the cursor or fires events. Not thread-safe: user-interface thread only.
//
// States: Inactive (closed) -> Open -> Browse; Browse -> Edit/Insert -> Post or Cancel ->
// Browse; Close from any state -> Inactive. What assertInvariant() checks before every
// notification to the controls (debug builds), once an operation has settled:
//   - the current row is -1 (none) or a position in the view;
//   - a closed table has no current row and an empty view;
//   - in Insert state the insert position lies within the view (0..size, the end included);
//     in any other state there is none.
#include "Field.h"
#include "NamedCondition.h"
#include "RowSet.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace engine {

class Database;
class DataSource;
struct ViewSettings;

enum class DataSetState { Inactive, Browse, Edit, Insert };

class Table : public QObject {
    Q_OBJECT
public:
    using Event = std::function<void(Table&)>;
    using Bookmark = qint64; ///< a row id; 0 is no bookmark

    /// fileName as the program names it ("Video.db", "Skuespiller.DB").
    Table(Database& db, const QString& fileName, QObject* parent = nullptr);
    ~Table() override;

    /// The connection the table reads and writes through.
    Database& database() const { return db_; }
    /// The file name given at construction ("Video.db").
    const QString& TableName() const { return fileName_; }
    /// Schema and SQL table name: the file name without extension.
    const QString& SqlName() const { return sqlName_; }

    // Opening. After Open the first record in the current order is current.
    /// Attaches the file and reads the view (nothing when open); throws EDatabaseError for a
    /// missing or damaged file.
    void Open();
    /// Forgets the view and any pending changes; the table is Inactive.
    void Close();
    /// True unless closed.
    bool Active() const { return state_ != DataSetState::Inactive; }
    /// The dataset state; see the list at the top of this file.
    DataSetState State() const { return state_; }
    /// True in Edit or Insert state.
    bool Editing() const { return state_ == DataSetState::Edit || state_ == DataSetState::Insert; }

    // Moves. A move from a record in edit or insert state posts it if it holds changes and
    // cancels it if not.
    /// Makes the first record of the view current.
    void First();
    /// Makes the record before the current one current; at the first, sets Bof instead.
    void Prior();
    /// Makes the record after the current one current; at the last, sets Eof instead.
    void Next();
    /// Makes the last record of the view current.
    void Last();
    /// True when Next passed the last record, or the view is empty.
    bool Eof() const { return eof_; }
    /// True when Prior passed the first record, or the view is empty.
    bool Bof() const { return bof_; }

    // Editing.
    /// Insert state on a new empty record before the current one, with the insert events;
    /// the fields they set leave the record unmodified.
    void Insert();
    /// Edit state; on an empty view it inserts instead (with the insert events).
    void Edit();
    /// Runs BeforePost and the write in one transaction, commits, then AfterPost. Does
    /// nothing in browse state. A duplicate key throws EDatabaseError "Key violation.".
    void Post();
    /// Drops the pending changes and returns to browse state; nothing in browse state.
    void Cancel();
    /// Runs BeforeDelete and the removal in one transaction; the next record becomes
    /// current. On an empty view throws "Cannot perform this operation on an empty dataset".
    void Delete();
    /// True when the record in edit or insert state holds changes.
    bool Modified() const { return modified_; }

    // Fields.
    /// The number of fields of the open table.
    int FieldCount() const { return int(fields_.size()); }
    /// The field at that position; throws std::out_of_range outside 0..FieldCount()-1.
    Field& Fields(int index) const { return *fields_.at(size_t(index)); }
    /// Case-insensitive; throws EDatabaseError "Field '%s' not found".
    Field& FieldByName(const QString& name) const;
    /// As FieldByName, but nullptr for a name the table lacks.
    Field* FindField(const QString& name) const;

    /// Whole-value, case-sensitive equality, in the current order within filter and link.
    /// Moves to the first match and returns true; else false, cursor unchanged.
    bool Locate(const QString& fieldName, const QString& value);

    /// True when the current record was deleted elsewhere after the view was read; its
    /// fields then read empty.
    bool RecordVanished() const;
    /// Records presented (within filter and link); 0 when empty or closed.
    int RecordCount() const;

    /// "" (primary order), or the name of a secondary index ("IndexTitel", ...).
    QString IndexName() const { return indexName_; }
    /// Orders the view by that index ("": the primary order), keeping the current record.
    void SetIndexName(const QString& name);
    /// Reads the view in that order (filter and condition as now) ahead, so a later
    /// SetIndexName(name) reads no rows while nothing was written; nothing shown changes.
    /// Does nothing on a closed table or one linked to a master; throws as a read does, at
    /// once when a file is locked.
    void ReadOrderAhead(const QString& name);
    /// Orders the view by these fields (";"-separated); used by the cast link.
    QString IndexFieldNames() const { return indexFieldNames_; }
    /// Orders the view by those fields, keeping the current record.
    void SetIndexFieldNames(const QString& names);

    /// "Field = 'value'" (a doubled quote inside the value is one quote) or empty.
    QString Filter() const { return filter_; }
    /// Sets the filter expression; it narrows the view only while Filtered.
    void SetFilter(const QString& expression);
    /// True while the filter narrows the view.
    bool Filtered() const { return filtered_; }
    /// Applies or lifts the filter and re-reads the view.
    void SetFiltered(bool on);

    /// Adds the program's named condition to the view beside the filter (an unset one removes
    /// it) and attaches the files it reads; a post or delete in any of them re-reads the view.
    /// A condition SQLite cannot run throws EDatabaseError, and the view stays as it was.
    void SetCondition(const NamedCondition& condition);
    /// The name of the view's named condition; empty when none is set.
    QString ConditionName() const { return condition_.name; }

    // Master/detail: the view holds only rows whose fields equal the master's fields.
    /// Links the view to the master's current record (nullptr: no link) and re-reads it.
    void SetMasterSource(DataSource* source);
    /// The master's data source, or nullptr.
    DataSource* MasterSource() const { return masterSource_; }
    /// The fields (";"-separated) matched by name with the master's; re-reads the view.
    void SetMasterFields(const QString& names);
    /// The linked fields as set.
    QString MasterFields() const { return masterFields_; }

    // Bookmarks: a row id. Going to a vanished one leaves the cursor where it is.
    /// The current record's bookmark; 0 when there is none.
    Bookmark GetBookmark() const;
    /// Makes the bookmarked record current when it is still in the view.
    void GotoBookmark(Bookmark bookmark);
    /// Nothing to free: a bookmark is a plain row id.
    void FreeBookmark(Bookmark) {}
    /// True when the bookmarked record is in the view.
    bool BookmarkValid(Bookmark bookmark) const;

    // Controls. Nests; while disabled nothing is sent and no detail view is refreshed; the
    // last EnableControls sends one "everything changed".
    /// One level deeper of silence towards the controls.
    void DisableControls();
    /// One level less; the last one tells the controls that everything changed.
    void EnableControls();
    /// True while at least one DisableControls is not yet undone.
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // Rows for grids, by position in the view (the inserted record counts as a row).
    /// The rows of the view, the record being inserted included.
    int RowCount() const;
    /// Position of the current record in the view; -1 when there is none.
    int CurrentRow() const;
    /// Makes the record at that position current (posting a pending edit first).
    void MoveToRow(int row);
    /// Field text of a row without moving the cursor; the current row shows its buffer.
    QString DisplayText(int row, int fieldIndex) const;
    /// A test of field texts for FindRow. utf8, when set, may decide on a text field's value
    /// as the store holds it (UTF-8 bytes), so that a walk need not decode every record; it
    /// returns nothing when it cannot decide, and text decides on the decoded text.
    struct TextTest {
        std::function<bool(const QString&)> text;
        std::function<std::optional<bool>(const char* data, qsizetype size)> utf8;
        /// When set, the only stored records that can pass; the others are not read. The
        /// current record is tested from its buffer all the same.
        std::shared_ptr<const RowSet> candidates;
    };
    /// The first row from fromRow on whose field text passes the test, or -1. Reads only
    /// that field, in batches; never moves the cursor or fires events. Texts are as
    /// DisplayText gives them (a memo field's whole text); the current record's is its buffer.
    int FindRow(int fromRow, int fieldIndex, const TextTest& test) const;
    /// The same, looking only at rows before endRow.
    int FindRow(int fromRow, int endRow, int fieldIndex, const TextTest& test) const;
    /// As above with a test of the decoded text only.
    int FindRow(int fromRow, int fieldIndex, const std::function<bool(const QString&)>& test) const;
    /// The stored records whose field holds every three-character run of key, folded as the full-text index folds (so a superset of the records holding key
    /// without regard to case), from the file's full-text index; nothing when the field has
    /// no sound index or key is too short for one (null). An index that fails is not used
    /// again in this run.
    std::shared_ptr<const RowSet> TextCandidates(int fieldIndex, const QString& key) const;

    /// Re-reads the view and keeps the current record where possible.
    void Refresh();
    /// Forgets the records read so far and reads the current one again (not while editing);
    /// the view stays. For a change another rule wrote to the file beside the table.
    void ReadRecordsAgain();

    /// The query that reads the view in its current order, filter and link (for checks of
    /// its plan); empty when the table is closed or the link selects nothing.
    QString viewSql() const;
    /// The query that reads these fields (by position; none: the row ids) of the view's
    /// records in its order, and the values it binds; empty sql as viewSql's. For reading the
    /// whole view at once.
    std::pair<QString, std::vector<QVariant>> viewFieldsSql(const std::vector<int>& fieldIndexes) const;

    // Events; an exception from a Before event stops the operation.
    Event BeforeInsert, AfterInsert, BeforeEdit, BeforePost, AfterPost, BeforeDelete, AfterDelete,
        AfterScroll, BeforeCancel;

    // Used by Field and DataSource.
    /// The current record's value of a field, pending changes included.
    QVariant bufferValue(int fieldIndex) const;
    /// Changes a field of the current record (entering edit state first) and tells the controls.
    void setBufferValue(int fieldIndex, const QVariant& value);
    /// A source to notify; the table does not own it.
    void addDataSource(DataSource* source);
    /// Stops notifying that source.
    void removeDataSource(DataSource* source);
    /// Called by Database after a rollback of a scope that touched this table.
    void afterRollback();
    /// True when the view's named condition reads the table file of this schema.
    bool dependsOnFile(const QString& schema) const;
    /// Called by the master's DataSource when the master moved or changed.
    void masterChanged();
    /// Called by the master's DataSource when a master field changed (nullptr: all).
    void masterFieldChanged(Field* field);

private:
    friend class DataSource;
    struct Impl;
    void checkActive() const;
    bool testCurrent(const Field& field, const TextTest& test) const;
    int findAmongCandidates(int begin, int rows, const Field& field, const TextTest& test) const;
    void checkBrowseMode();
    void post(bool askControls);
    qint64 writeRecord(bool inserting);
    bool changesAffectView() const;
    void moveTo(int position, bool bof, bool eof);
    void loadBuffer();
    void loadFields();
    void readView();
    void keepPosition(qint64 rowid, int fallback);
    ViewSettings viewSettings() const;
    void changeView(const std::function<void()>& apply, bool keepRecord);
    void invalidateSiblings();
    /// Re-reads the views whose named condition reads this table's file.
    void refreshDependents();
    void attachConditionFiles();
    /// Reads the view again after another component changed the file, keeping the current
    /// record (or the inserted one's place).
    void rereadView();
    void send(void (DataSource::*notify)());
    /// Debug builds: the invariants listed at the top of this file.
    void assertInvariant() const noexcept;
    void sendRecord(Field* field);

    Database& db_;
    QString fileName_;
    QString sqlName_;
    DataSetState state_ = DataSetState::Inactive;
    bool eof_ = true;
    bool bof_ = true;
    bool modified_ = false;
    int disableCount_ = 0;
    QString indexName_;
    QString indexFieldNames_;
    QString filter_;
    bool filtered_ = false;
    DataSource* masterSource_ = nullptr;
    QString masterFields_;
    NamedCondition condition_;
    std::vector<std::unique_ptr<Field>> fields_;
    std::vector<DataSource*> sources_;
    std::unique_ptr<Impl> d_;
};

/// Disables a table's controls for its lifetime.
class ControlsDisabled {
public:
    /// Disables the table's controls until the destructor.
    explicit ControlsDisabled(Table& table) : table_(table) { table_.DisableControls(); }
    /// Enables them again.
    ~ControlsDisabled() { table_.EnableControls(); }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

private:
    Table& table_;
};

} // namespace engine
