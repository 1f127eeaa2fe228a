#pragma once
// One SQLite connection over the table folder. Each table file is attached under its own
// schema name (the file name without extension) and is never created here. Used from the
// user-interface thread only: the connection is opened without SQLite's own locking.
#include "SortExpression.h"
#include "WantedIndex.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace engine {

class Table;

class Database {
public:
    /// dataDir: the table folder (Data/). Nothing is opened until a table opens.
    explicit Database(const QString& dataDir);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    /// The table folder given at construction.
    const QString& dataDir() const { return dataDir_; }
    /// Runs a query for one value: the first column of its first row, a null QVariant when
    /// it returns no row. Values are bound in order from parameter 1. Any failure (a busy or
    /// damaged file, bad SQL) throws EDatabaseError with SQLite's message and context.
    QVariant scalar(const QString& sql, const std::vector<QVariant>& params = {}, const QString& context = QString());
    /// The steps of the plan SQLite chooses for a query, one text each (for checks that an
    /// index serves it).
    QStringList queryPlan(const QString& sql);
    /// Indexes to add to files that lack them when they are attached. The index is made under
    /// a write lock in the rollback journal; a file that cannot be written then (read-only,
    /// busy) opens without it, as it is only needed for speed.
    void setWantedIndexes(std::vector<WantedIndex> indexes) { wantedIndexes_ = std::move(indexes); }
    /// Adds the wanted indexes to the files attached already, as attaching would.
    void addWantedIndexes() noexcept;
    /// Reads the schema's file through a memory map from now on, for long scans.
    void mapForScans(const QString& schema);
    /// A full-text table (trigram tokens) over some fields of a schema's table, one column
    /// per field of the same name.
    struct TextIndex {
        QString table;
        QStringList columns;
    };
    /// Searches of this schema's fields may take their candidates from the index. Set only
    /// after the index was checked against its table; an empty table name stops its use.
    void setTextIndex(const QString& schema, const TextIndex& index);
    /// The full-text index set for the schema; its table is "" when none.
    TextIndex textIndex(const QString& schema) const { return textIndexes_.value(schema.toLower()); }
    /// Mends a damaged part of a schema's file that a write met (SQLite's "corrupt", such as
    /// junk in a full-text index); returns true when it mended it. Runs inside the write's scope.
    using DamageRepair = std::function<bool(Database& db, const QString& schema)>;
    /// The repair writeMendingDamage calls; an empty function: none.
    void setDamageRepair(DamageRepair repair) { damageRepair_ = std::move(repair); }
    /// Runs write (statements on the schema's table inside the open scopes); when it fails on
    /// a damaged file and the repair mends it, runs write once more. SQLite ends the whole
    /// transaction on such damage, so that is done only for the first write of the outermost
    /// scope. Other failures pass through.
    void writeMendingDamage(const QString& schema, const std::function<void()>& write);
    /// Rows changed through this connection so far (a cache of query answers is stale when
    /// this or the file's data version moved).
    qint64 totalChanges();
    /// True while a transaction is open: what it wrote may still be rolled back.
    bool inTransaction() const;
    /// Whether a statement meeting a file another program holds locked waits a few seconds
    /// for it (the default) or fails at once.
    void setWaitForLocks(bool wait);
    /// Full path of an attached schema's file ("" when not attached).
    QString filePath(const QString& schema) const;

    /// Attaches a table file (once; later calls return the same schema). A missing folder or
    /// file, a file that is not a database, or a journal mode that cannot be set to DELETE
    /// throws EDatabaseError naming the file. Returns the schema name ("Video" for Video.db).
    QString attach(const QString& fileName);

    /// Closes the connection and forgets every attached file, so that the next Open attaches
    /// the files the folder holds then (after a new Data took the old one's place). Throws
    /// EDatabaseError while a table is open or a transaction runs.
    void detachAll();

    /// Runs one statement without results inside the open scopes; throws EDatabaseError
    /// with SQLite's message.
    void exec(const QString& sql);

    // Transaction scope with a depth counter: the outermost begins a deferred transaction,
    // inner ones are savepoints, both only at the first write inside them, so that nothing
    // is locked while a scope has only read (or asks a question). Tables touched inside are
    // re-read after a rollback.
    //
    // What assertScopes() checks after every change of scope (debug builds):
    //   - depth >= 0: the scopes opened and not yet ended;
    //   - 0 <= begun <= depth: the outer `begun` scopes have their BEGIN or SAVEPOINT run in
    //     SQLite, the inner ones are still deferred;
    //   - one mark per open scope, in ascending order, each at most the number of touched
    //     tables: scope i rolls back the tables touched from its mark on;
    //   - no scope open, no touched table.
    /// Opens a scope one deeper; throws EDatabaseError when no table file is open.
    void beginScope();
    /// Ends the innermost scope and keeps its writes (COMMIT or RELEASE when it had begun);
    /// throws EDatabaseError when none is open. On failure the scope stays open.
    void commitScope();
    /// Ends the innermost scope and undoes its writes; the tables it touched re-read their
    /// views. Does nothing when no scope is open.
    void rollbackScope() noexcept;
    /// The number of open scopes.
    int scopeDepth() const { return depth_; }
    /// Starts what the open scopes have deferred; runs before every write.
    void prepareWrite();
    /// Starts the open scopes and takes a read lock on every attached file at once, so that
    /// what is read until the outermost scope ends comes from one state of the catalogue.
    void lockForReading();
    /// A table whose view must be re-read if the current scope rolls back.
    void touch(Table* table);

    /// A table on this connection, known until it unregisters (tablesOn finds it).
    void registerTable(Table* table);
    /// Forgets a table, also in the touched list of the open scopes.
    void unregisterTable(Table* table);
    /// Tables open on the same file (another component sees new rows after Close/Open).
    std::vector<Table*> tablesOn(const QString& schema) const;
    /// Tables whose view's named condition reads the file of this schema.
    std::vector<Table*> tablesDependingOn(const QString& schema) const;

private:
    friend class Statement;
    /// The connection; null until the first table file is attached. Its main database is the
    /// first attached file opened read-only, so that a transaction over several files commits
    /// through a super-journal beside the tables and stays atomic across a crash.
    sqlite3* handle();
    sqlite3_stmt* acquireStatement(const QString& sql);
    void releaseStatement(const QString& sql, sqlite3_stmt* statement) noexcept;
    void openConnection(const QString& schema, const QString& anchorPath);
    void openPlain(const QString& name, const QString& path);
    void closeConnection() noexcept;
    void attachFile(const QString& schema, const QString& path);
    void configureSchema(const QString& schema, const QString& path);
    void checkTable(const QString& schema, const QString& path);
    void addWantedIndexes(const QString& schema, const QString& path) noexcept;
    void rollbackTouched(size_t from) noexcept;
    /// Debug builds: the scope counters agree with each other (the list above beginScope).
    void assertScopes() const noexcept;
    void execRaw(const QString& sql);

    QString dataDir_;
    sqlite3* db_ = nullptr;
    QStringList attached_;
    QHash<QString, QString> paths_;
    QSet<QString> mapped_; // schemas read through a memory map, lower case
    QHash<QString, TextIndex> textIndexes_; // by schema, lower case
    int depth_ = 0;
    int begun_ = 0; // scopes whose transaction or savepoint SQLite has begun
    std::vector<Table*> touched_;
    std::vector<size_t> scopeMarks_; // start of each scope's part of touched_
    std::vector<Table*> tables_;
    QHash<QString, std::vector<sqlite3_stmt*>> idleStatements_;
    std::vector<WantedIndex> wantedIndexes_;
    DamageRepair damageRepair_;
    qint64 changesAtBegin_ = 0; // total changes when the outermost scope began
};

/// Sets the SQLite library up before its first use in the process; later calls do nothing.
/// Every place that opens a connection calls it first.
void prepareSqliteLibrary();

/// Throws EDatabaseError naming the table file at path when it is a symbolic link, a folder,
/// something else than a regular file, or missing, as attaching it would.
void refuseNonFile(const QString& path);

/// The schema a table file is attached as: its name without the extension ("Udlaan.db": "Udlaan").
QString schemaOfFile(const QString& fileName);

/// RAII transaction scope: commits only when commit() is called, else rolls back.
class Transaction {
public:
    /// Opens a scope on db; throws as Database::beginScope.
    explicit Transaction(Database& db) : db_(db) { db_.beginScope(); }
    /// Rolls the scope back unless commit() succeeded.
    ~Transaction() { if (!done_) db_.rollbackScope(); }
    /// Keeps the scope's writes; throws as Database::commitScope, leaving the scope to the destructor.
    void commit() { db_.commitScope(); done_ = true; }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Database& db_;
    bool done_ = false;
};

/// RAII read transaction over every attached file: everything read during its lifetime comes
/// from one state of the catalogue, whatever other programs write meanwhile (their commits
/// wait until it ends). For reading only: it ends by rolling back.
class ReadSnapshot {
public:
    /// Opens the scope and locks every attached file for reading; throws EDatabaseError.
    explicit ReadSnapshot(Database& db) : scope_(db) { db.lockForReading(); }

private:
    Transaction scope_;
};

} // namespace engine
