#include "Database.h"
#include "core/SectionTexts.h"

#include "StaleJournals.h"
#include "Statement.h"
#include "Table.h"
#include "core/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace engine {

namespace {
constexpr int kBusyTimeoutMs = 5000;
constexpr size_t kIdleStatementsPerSql = 4;
// A catalogue of about 800,000 tapes; the part of a larger file beyond it is read as usual.
constexpr qint64 kMmapBytes = qint64(1) << 30;

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString fileUri(const QString& path, const QString& query)
{
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + query;
}

core::EDatabaseError openError(const QString& path, const QString& reason)
{
    return core::EDatabaseError(core::sectionText("Catalogue", "CannotOpen", QStringLiteral("Tabelfilen \"%1\" kan ikke åbnes: %2")).arg(nativePath(path), reason));
}

// Writing needs the file and its folder (SQLite writes its journal beside the file). A file
// whose owner took every write permission away counts as read-only even for root, who could
// write it all the same.
bool isWritable(const QString& path)
{
    struct stat status {};
    const QByteArray name = QFile::encodeName(path);
    return ::stat(name.constData(), &status) == 0 && (status.st_mode & 0222) != 0 && ::access(name.constData(), W_OK) == 0;
}

quint32 bigEndian(const QByteArray& bytes, int at, int size)
{
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

// SQLite reads pages past the end of a cut-off file as zeros and reports nothing until a
// record is missing, so the size the header gives is compared with the file's own.
void checkLength(const QString& path, qint64 size)
{
    if (size == 0)
        throw openError(path, core::sectionText("Catalogue", "FileEmpty", QStringLiteral("filen er tom")));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return; // SQLite names the cause
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArray("SQLite format 3\0", 16)))
        return; // not a database: SQLite says so
    const quint32 rawPageSize = bigEndian(header, 16, 2);
    const qint64 pageSize = rawPageSize == 1 ? 65536 : rawPageSize;
    const qint64 pages = bigEndian(header, 28, 4);
    const bool pagesValid = bigEndian(header, 24, 4) == bigEndian(header, 92, 4);
    if (pagesValid && pages > 0 && pageSize >= 512 && size < pages * pageSize)
        throw openError(path, core::sectionText("Catalogue", "CutShort", QStringLiteral("filen er beskadiget: den er afkortet (%1 af %2 byte)"))
                                  .arg(size)
                                  .arg(pages * pageSize));
}

} // namespace

void refuseNonFile(const QString& path)
{
    const QFileInfo info(path);
    // A link may lead out of the program folder, and writing through it changes a file the
    // folder does not hold.
    if (info.isSymLink())
        throw core::EDatabaseError(core::sectionText("Catalogue", "IsLink", QStringLiteral("Tabelfilen \"%1\" er en symbolsk henvisning, ikke en fil")).arg(nativePath(path)));
    if (info.isDir())
        throw core::EDatabaseError(core::sectionText("Catalogue", "IsFolder", QStringLiteral("Tabelfilen \"%1\" er en mappe")).arg(nativePath(path)));
    if (info.exists() && !info.isFile())
        throw core::EDatabaseError(core::sectionText("Catalogue", "NotRegular", QStringLiteral("Tabelfilen \"%1\" er ikke en almindelig fil")).arg(nativePath(path)));
    if (!info.isFile())
        throw core::EDatabaseError(core::sectionText("Catalogue", "Missing", QStringLiteral("Tabelfilen \"%1\" findes ikke")).arg(nativePath(path)));
}

namespace {

void checkIsFile(const QString& path)
{
    const QFileInfo info(path);
    refuseNonFile(path);
    if (!isWritable(path))
        throw openError(path, core::sectionText("Catalogue", "FileReadOnly", QStringLiteral("filen er skrivebeskyttet")));
    if (!isWritable(info.absolutePath()))
        throw openError(path, core::sectionText("Catalogue", "FolderReadOnly", QStringLiteral("mappen \"%1\" er skrivebeskyttet")).arg(nativePath(info.absolutePath())));
    checkLength(path, info.size());
}

// A file that starts as an SQLite database, may be read and written, and still cannot be
// opened or read is damaged; SQLite's own words ("unable to open database") do not say so.
bool looksDamaged(const QString& path)
{
    static const QByteArray magic("SQLite format 3\0", 16);
    QFile file(path);
    const QFileInfo info(path);
    return info.isReadable() && info.isWritable() && file.open(QIODevice::ReadOnly) && file.read(magic.size()) == magic;
}

core::EDatabaseError readError(const QString& path, const QString& schema, const QString& reason)
{
    if (looksDamaged(path))
        return openError(path, core::sectionText("Catalogue", "TableDamaged", QStringLiteral("tabellen \"%1\" er beskadiget (%2)")).arg(schema, reason));
    return openError(path, reason);
}
} // namespace

void prepareSqliteLibrary()
{
    // Memory statistics cost a lock and bookkeeping on every allocation, and nothing reads them.
    static const int configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    Q_UNUSED(configured)
}

Database::Database(const QString& dataDir) : dataDir_(dataDir) {}

Database::~Database()
{
    closeConnection();
}

sqlite3* Database::handle()
{
    return db_;
}

QVariant Database::scalar(const QString& sql, const std::vector<QVariant>& params, const QString& context)
{
    Statement statement(*this, sql, context);
    for (size_t i = 0; i < params.size(); ++i)
        statement.bind(int(i) + 1, params[i]);
    return statement.step() ? statement.value(0) : QVariant();
}

QStringList Database::queryPlan(const QString& sql)
{
    Statement statement(*this, QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
    QStringList steps;
    while (statement.step())
        steps << statement.text(3);
    return steps;
}

void Database::mapForScans(const QString& schema)
{
    if (mapped_.contains(schema.toLower()))
        return;
    // A scan through a memory map costs no system call per page; writes still go through the
    // journal and fsync as before, so durability is unchanged. Not at opening: mapping a
    // fresh file costs more than the few pages an opening reads. Without it a scan only
    // takes longer, so a refusal is no error.
    try {
        Statement pragma(*this, QStringLiteral("PRAGMA %1.mmap_size=%2").arg(quoteId(schema)).arg(kMmapBytes));
        pragma.run();
        mapped_.insert(schema.toLower());
    } catch (const core::EDatabaseError&) {
    }
}

QString Database::filePath(const QString& schema) const
{
    return paths_.value(schema.toLower());
}

QString schemaOfFile(const QString& fileName)
{
    return QFileInfo(fileName).completeBaseName();
}

QString Database::attach(const QString& fileName)
{
    const QString schema = schemaOfFile(fileName);
    for (const QString& name : std::as_const(attached_))
        if (name.compare(schema, Qt::CaseInsensitive) == 0)
            return name;
    const QDir dir(dataDir_);
    if (dataDir_.isEmpty() || !dir.exists())
        throw core::EDatabaseError(core::sectionText("Catalogue", "NoTableFolder", QStringLiteral("Tabelmappen \"%1\" findes ikke")).arg(nativePath(dir.absolutePath())));
    const QString path = QDir::cleanPath(dir.absoluteFilePath(fileName));
    checkIsFile(path);
    if (depth_ > 0)
        throw openError(path, QStringLiteral("a table cannot be opened inside a transaction"));
    if (!db_) {
        removeStaleJournals(dataDir_);
        openConnection(schema, path);
    }
    attachFile(schema, path);
    return schema;
}

void Database::openConnection(const QString& schema, const QString& anchorPath)
{
    // The first file is checked on a plain connection first (and switched out of WAL mode),
    // so that only a sound database becomes the connection's main file.
    openPlain(QStringLiteral(":memory:"), anchorPath);
    try {
        attachFile(schema, anchorPath);
    } catch (...) {
        closeConnection();
        throw;
    }
    closeConnection();
    // The main file is read-only and never locked: it only names the super-journal, which
    // SQLite writes beside it when one transaction changes several files.
    openPlain(fileUri(anchorPath, QStringLiteral("?mode=ro&immutable=1")), anchorPath);
}

void Database::openPlain(const QString& name, const QString& path)
{
    prepareSqliteLibrary();
    const QByteArray utf8 = name.toUtf8();
    // One thread uses the connection, so SQLite need not lock it on every call.
    const int rc = sqlite3_open_v2(utf8.constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                                   nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = sqliteErrorMessage(db_, rc, QString());
        closeConnection();
        throw openError(path, reason);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
}

void Database::setTextIndex(const QString& schema, const TextIndex& index)
{
    if (index.table.isEmpty())
        textIndexes_.remove(schema.toLower());
    else
        textIndexes_.insert(schema.toLower(), index);
}

qint64 Database::totalChanges()
{
    return db_ ? sqlite3_total_changes64(db_) : 0;
}

void Database::writeMendingDamage(const QString& schema, const std::function<void()>& write)
{
    const bool firstWrite = depth_ == 1 && (begun_ == 0 || sqlite3_total_changes64(db_) == changesAtBegin_);
    try {
        write();
        return;
    } catch (const core::EDatabaseError&) {
        const bool damaged = db_ && (sqlite3_extended_errcode(db_) & 0xff) == SQLITE_CORRUPT;
        if (!damaged || !damageRepair_)
            throw;
        // SQLite ends the whole transaction when a virtual table is damaged: only a scope that
        // had written nothing else yet can begin again.
        if (begun_ > 0 && sqlite3_get_autocommit(db_)) {
            if (!firstWrite)
                throw;
            begun_ = 0;
        }
        prepareWrite();
        if (!damageRepair_(*this, schema))
            throw;
    }
    write();
}

bool Database::inTransaction() const
{
    return db_ && !sqlite3_get_autocommit(db_);
}

void Database::setWaitForLocks(bool wait)
{
    if (db_)
        sqlite3_busy_timeout(db_, wait ? kBusyTimeoutMs : 0);
}

void Database::detachAll()
{
    const bool open = std::any_of(tables_.begin(), tables_.end(), [](const Table* t) { return t->Active(); });
    if (open || depth_ > 0)
        throw core::EDatabaseError(QStringLiteral("The tables are in use"));
    closeConnection();
}

void Database::closeConnection() noexcept
{
    for (auto& list : idleStatements_)
        for (sqlite3_stmt* statement : list)
            sqlite3_finalize(statement);
    idleStatements_.clear();
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
    attached_.clear();
    paths_.clear();
    mapped_.clear();
    textIndexes_.clear();
}

void Database::attachFile(const QString& schema, const QString& path)
{
    try {
        Statement attach(*this, QStringLiteral("ATTACH DATABASE ?1 AS ?2"));
        attach.bindText(1, fileUri(path, QStringLiteral("?mode=rw"))).bindText(2, schema).run();
    } catch (const core::EDatabaseError& error) {
        throw readError(path, schema, error.message());
    }
    try {
        configureSchema(schema, path);
    } catch (...) {
        sqlite3_exec(db_, QStringLiteral("DETACH DATABASE %1").arg(quoteId(schema)).toUtf8().constData(), nullptr,
                     nullptr, nullptr);
        throw;
    }
    addWantedIndexes(schema, path);
    attached_ << schema;
    paths_.insert(schema.toLower(), path);
}

void Database::addWantedIndexes() noexcept
{
    for (const QString& schema : std::as_const(attached_))
        addWantedIndexes(schema, paths_.value(schema.toLower()));
}

void Database::addWantedIndexes(const QString& schema, const QString& path) noexcept
{
    const QString fileName = QFileInfo(path).fileName();
    const auto wanted = [&](const WantedIndex& index) { return index.fileName.compare(fileName, Qt::CaseInsensitive) == 0; };
    if (std::none_of(wantedIndexes_.begin(), wantedIndexes_.end(), wanted))
        return;
    QStringList statements;
    try {
        // The file's indexes in one query: a query per index cost a lock of the file each.
        QSet<QString> existing;
        Statement known(*this, QStringLiteral("SELECT lower(name) FROM %1.sqlite_master WHERE type = 'index'").arg(quoteId(schema)));
        while (known.step())
            existing.insert(known.text(0));
        for (const WantedIndex& index : wantedIndexes_) {
            if (!wanted(index) || existing.contains(index.name.toLower()))
                continue;
            QStringList columns;
            for (const QString& column : index.columns)
                columns << quoteId(column);
            statements << QStringLiteral("CREATE INDEX IF NOT EXISTS %1.%2 ON %3(%4)")
                              .arg(quoteId(schema), quoteId(index.name), quoteId(schema), columns.join(QStringLiteral(", ")));
        }
    } catch (...) {
        return;
    }
    if (statements.isEmpty())
        return;
    // The journal mode is DELETE by now (checked before), so the index is written with the
    // rollback journal; IMMEDIATE takes the write lock before the existence check is repeated.
    const auto run = [this](const QString& sql) {
        return sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    };
    if (!run(QStringLiteral("BEGIN IMMEDIATE")))
        return;
    if (run(statements.join(QStringLiteral(";\n"))))
        run(QStringLiteral("COMMIT"));
    if (!sqlite3_get_autocommit(db_))
        run(QStringLiteral("ROLLBACK"));
}

void Database::configureSchema(const QString& schema, const QString& path)
{
    const QString prefix = QStringLiteral("PRAGMA %1.").arg(quoteId(schema));
    const auto pragma = [&](const QString& text, const QString& failure) -> QString {
        try {
            Statement statement(*this, prefix + text);
            return statement.step() ? statement.text(0) : QString();
        } catch (const core::EDatabaseError& error) {
            if (failure.isEmpty())
                throw readError(path, schema, error.message());
            throw openError(path, failure.arg(error.message()));
        }
    };
    // SQLite reads a file only on first use: read it now, so that a file that is no database
    // is reported here.
    pragma(QStringLiteral("schema_version"), QString());
    checkTable(schema, path);
    // A file left in WAL mode by another tool is switched back; WAL would keep a transaction
    // over several files atomic only per file.
    const QString journalFailure =
        QStringLiteral("its journal mode cannot be set to DELETE (is another program using it?): %1");
    const QString mode = pragma(QStringLiteral("journal_mode=DELETE"), journalFailure);
    if (mode.compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
        throw openError(path, journalFailure.arg(QStringLiteral("it stays in %1 mode").arg(mode)));
    pragma(QStringLiteral("synchronous=EXTRA"), QString());
    if (pragma(QStringLiteral("synchronous"), QString()) != QLatin1String("3"))
        throw openError(path, QStringLiteral("synchronous writing cannot be switched on"));
}

void Database::checkTable(const QString& schema, const QString& path)
{
    Statement kind(*this, QStringLiteral("SELECT type FROM %1.sqlite_master WHERE name = ?1 COLLATE NOCASE "
                                         "ORDER BY type = 'table' DESC LIMIT 1").arg(quoteId(schema)));
    kind.bindText(1, schema);
    const QString type = kind.step() ? kind.text(0) : QString();
    if (type.isEmpty())
        throw openError(path, core::sectionText("Catalogue", "HoldsNoTable", QStringLiteral("filen har ingen tabel \"%1\"")).arg(schema));
    // A view (or anything else) of that name is not the catalogue's schema: it may read as
    // empty records or change under the program.
    if (type != QLatin1String("table"))
        throw openError(path, QStringLiteral("'%1' in the file is a %2, not a table").arg(schema, type));
}

void Database::exec(const QString& sql)
{
    prepareWrite();
    execRaw(sql);
}

void Database::execRaw(const QString& sql)
{
    if (!db_)
        throw core::EDatabaseError(QStringLiteral("No table file is open"));
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throwSqliteError(db_, rc, QString());
}

sqlite3_stmt* Database::acquireStatement(const QString& sql)
{
    if (!db_)
        throw core::EDatabaseError(QStringLiteral("No table file is open"));
    auto it = idleStatements_.find(sql);
    if (it != idleStatements_.end() && !it->empty()) {
        sqlite3_stmt* statement = it->back();
        it->pop_back();
        return statement;
    }
    sqlite3_stmt* statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(db_, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &statement,
                                      nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(statement);
        throwSqliteError(db_, rc, QString());
    }
    return statement;
}

void Database::releaseStatement(const QString& sql, sqlite3_stmt* statement) noexcept
{
    if (!statement)
        return;
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    auto& idle = idleStatements_[sql];
    if (idle.size() < kIdleStatementsPerSql)
        idle.push_back(statement);
    else
        sqlite3_finalize(statement);
}

void Database::assertScopes() const noexcept
{
    // As SQLite's pager checks its own state: a broken count here would commit or roll back
    // the wrong scope.
    Q_ASSERT(depth_ >= 0);
    Q_ASSERT(begun_ >= 0 && begun_ <= depth_);
    Q_ASSERT(scopeMarks_.size() == size_t(depth_));
    Q_ASSERT(scopeMarks_.empty() || scopeMarks_.back() <= touched_.size());
    Q_ASSERT(std::is_sorted(scopeMarks_.begin(), scopeMarks_.end()));
    Q_ASSERT(depth_ > 0 || touched_.empty());
}

void Database::beginScope()
{
    assertScopes();
    if (!db_)
        throw core::EDatabaseError(QStringLiteral("No table file is open"));
    scopeMarks_.push_back(touched_.size());
    ++depth_;
    assertScopes();
}

void Database::prepareWrite()
{
    if (begun_ > 0 && sqlite3_get_autocommit(db_))
        throw core::EDatabaseError(QStringLiteral("The transaction has been rolled back"));
    if (begun_ == 0 && depth_ > 0)
        changesAtBegin_ = sqlite3_total_changes64(db_);
    for (; begun_ < depth_; ++begun_)
        execRaw(begun_ == 0 ? QStringLiteral("BEGIN DEFERRED") : QStringLiteral("SAVEPOINT spk%1").arg(begun_ + 1));
    assertScopes();
}

void Database::lockForReading()
{
    prepareWrite();
    // A deferred transaction locks a file only at its first read: read each one now.
    for (const QString& schema : std::as_const(attached_)) {
        Statement read(*this, QStringLiteral("SELECT count(*) FROM %1.sqlite_master").arg(quoteId(schema)));
        read.step();
    }
}

void Database::commitScope()
{
    if (depth_ == 0)
        throw core::EDatabaseError(QStringLiteral("No transaction is active"));
    // On failure the scope stays open; the caller rolls it back.
    if (begun_ == depth_)
        execRaw(depth_ == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE spk%1").arg(depth_));
    begun_ = std::min(begun_, depth_ - 1);
    --depth_;
    scopeMarks_.pop_back();
    if (depth_ == 0)
        touched_.clear();
    assertScopes();
}

void Database::rollbackScope() noexcept
{
    if (depth_ == 0)
        return;
    const auto run = [this](const QString& sql) {
        sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    };
    // SQLite itself ends the whole transaction after some errors (a full disk, for one).
    const bool lost = begun_ > 0 && sqlite3_get_autocommit(db_);
    if (!lost && begun_ == depth_ && depth_ == 1) {
        run(QStringLiteral("ROLLBACK"));
    } else if (!lost && begun_ == depth_) {
        run(QStringLiteral("ROLLBACK TO spk%1").arg(depth_));
        run(QStringLiteral("RELEASE spk%1").arg(depth_));
    }
    begun_ = lost ? 0 : std::min(begun_, depth_ - 1);
    --depth_;
    size_t from = scopeMarks_.back();
    scopeMarks_.pop_back();
    if (lost) {
        from = 0;
        std::fill(scopeMarks_.begin(), scopeMarks_.end(), 0);
    }
    rollbackTouched(from);
    assertScopes();
}

void Database::rollbackTouched(size_t from) noexcept
{
    std::vector<Table*> tables(touched_.begin() + std::ptrdiff_t(std::min(from, touched_.size())), touched_.end());
    touched_.resize(std::min(from, touched_.size()));
    for (Table* table : tables) {
        if (!table)
            continue;
        try {
            table->afterRollback();
        } catch (...) {
            // The view stays as it was; nothing can be reported from here.
        }
    }
}

void Database::touch(Table* table)
{
    if (depth_ == 0)
        return;
    const auto begin = touched_.begin() + std::ptrdiff_t(scopeMarks_.back());
    if (std::find(begin, touched_.end(), table) == touched_.end())
        touched_.push_back(table);
}

void Database::registerTable(Table* table)
{
    tables_.push_back(table);
}

void Database::unregisterTable(Table* table)
{
    tables_.erase(std::remove(tables_.begin(), tables_.end(), table), tables_.end());
    std::replace(touched_.begin(), touched_.end(), table, static_cast<Table*>(nullptr));
}

std::vector<Table*> Database::tablesDependingOn(const QString& schema) const
{
    std::vector<Table*> result;
    for (Table* table : tables_)
        if (table->dependsOnFile(schema))
            result.push_back(table);
    return result;
}

std::vector<Table*> Database::tablesOn(const QString& schema) const
{
    std::vector<Table*> result;
    for (Table* table : tables_)
        if (table->SqlName().compare(schema, Qt::CaseInsensitive) == 0)
            result.push_back(table);
    return result;
}

} // namespace engine
