#pragma once
// A dataset over one table file: current record, browse/edit/insert state, moves in the
// current order within filter and master link, edits and their events.
//
// The view is the ordered list of row ids that pass the filter and master link; moving is
// index arithmetic, records are read on demand and cached. Reading rows for a grid never
// moves the cursor or fires events. Not thread-safe: user-interface thread only.
#include "Field.h"
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

    Database& database() const { return db_; }
    const QString& TableName() const { return fileName_; }
    /// Schema and SQL table name: the file name without extension.
    const QString& SqlName() const { return sqlName_; }

    // Opening. After Open the first record in the current order is current.
    void Open();
    void Close();
    bool Active() const { return state_ != DataSetState::Inactive; }
    DataSetState State() const { return state_; }
    bool Editing() const { return state_ == DataSetState::Edit || state_ == DataSetState::Insert; }

    // Moves. A move from a record in edit or insert state posts it if it holds changes and
    // cancels it if not.
    void First();
    void Prior();
    void Next();
    void Last();
    /// True when Next passed the last record, or the view is empty.
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }

    // Editing.
    void Insert();
    /// Edit state; on an empty view it inserts instead (with the insert events).
    void Edit();
    /// Runs BeforePost and the write in one transaction, commits, then AfterPost. Does
    /// nothing in browse state. A duplicate key throws EDatabaseError "Key violation.".
    void Post();
    void Cancel();
    /// Runs BeforeDelete and the removal in one transaction; the next record becomes
    /// current. On an empty view throws "Cannot perform this operation on an empty dataset".
    void Delete();
    /// True when the record in edit or insert state holds changes.
    bool Modified() const { return modified_; }

    // Fields.
    int FieldCount() const { return int(fields_.size()); }
    Field& Fields(int index) const { return *fields_.at(size_t(index)); }
    /// Case-insensitive; throws EDatabaseError "Field '%s' not found".
    Field& FieldByName(const QString& name) const;
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
    void SetIndexName(const QString& name);
    /// Orders the view by these fields (";"-separated); used by the cast link.
    QString IndexFieldNames() const { return indexFieldNames_; }
    void SetIndexFieldNames(const QString& names);

    /// "Field = 'value'" (a doubled quote inside the value is one quote) or empty.
    QString Filter() const { return filter_; }
    void SetFilter(const QString& expression);
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool on);

    // Master/detail: the view holds only rows whose fields equal the master's fields.
    void SetMasterSource(DataSource* source);
    DataSource* MasterSource() const { return masterSource_; }
    void SetMasterFields(const QString& names);
    QString MasterFields() const { return masterFields_; }

    // Bookmarks: a row id. Going to a vanished one leaves the cursor where it is.
    Bookmark GetBookmark() const;
    void GotoBookmark(Bookmark bookmark);
    void FreeBookmark(Bookmark) {}
    bool BookmarkValid(Bookmark bookmark) const;

    // Controls. Nests; while disabled nothing is sent and no detail view is refreshed; the
    // last EnableControls sends one "everything changed".
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // Rows for grids, by position in the view (the inserted record counts as a row).
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
    int FindRow(int fromRow, int fieldIndex, const std::function<bool(const QString&)>& test) const;
    /// The stored records whose field holds every three-character run of key, folded as the full-text index folds (so a superset of the records holding key
    /// without regard to case), from the file's full-text index; nothing when the field has
    /// no sound index or key is too short for one (null). An index that fails is not used
    /// again in this run.
    std::shared_ptr<const RowSet> TextCandidates(int fieldIndex, const QString& key) const;

    /// Re-reads the view and keeps the current record where possible.
    void Refresh();

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
    QVariant bufferValue(int fieldIndex) const;
    void setBufferValue(int fieldIndex, const QVariant& value);
    void addDataSource(DataSource* source);
    void removeDataSource(DataSource* source);
    /// Called by Database after a rollback of a scope that touched this table.
    void afterRollback();
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
    void send(void (DataSource::*notify)());
    /// Debug builds: the current row lies in the view; an insert position exists only in insert state.
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
    std::vector<std::unique_ptr<Field>> fields_;
    std::vector<DataSource*> sources_;
    std::unique_ptr<Impl> d_;
};

/// Disables a table's controls for its lifetime.
class ControlsDisabled {
public:
    explicit ControlsDisabled(Table& table) : table_(table) { table_.DisableControls(); }
    ~ControlsDisabled() { table_.EnableControls(); }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

private:
    Table& table_;
};

} // namespace engine
