#include "TableBackup.h"

#include "Database.h"
#include "Statement.h"
#include "core/Errors.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <sqlite3.h>
#include <unistd.h>

namespace engine {

namespace {

constexpr int kBusyTimeoutMs = 5000;

[[noreturn]] void fail(sqlite3* db, int rc, const QString& path)
{
    throw core::EDatabaseError(QStringLiteral("Cannot back up the table file '%1': %2")
                                   .arg(QDir::toNativeSeparators(path), sqliteErrorMessage(db, rc, QString())));
}

// A connection that closes itself; failures are reported against path.
class Connection {
public:
    Connection(const QString& uri, int flags, const QString& path)
    {
        prepareSqliteLibrary();
        const int rc = sqlite3_open_v2(uri.toUtf8().constData(), &db_, flags | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                                       nullptr);
        if (rc != SQLITE_OK) {
            const QString reason = sqliteErrorMessage(db_, rc, QString());
            sqlite3_close_v2(db_);
            throw core::EDatabaseError(QStringLiteral("Cannot back up the table file '%1': %2")
                                           .arg(QDir::toNativeSeparators(path), reason));
        }
        sqlite3_extended_result_codes(db_, 1);
        sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    }
    ~Connection() { sqlite3_close_v2(db_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* get() const { return db_; }
    void exec(const QString& sql, const QString& path)
    {
        const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            fail(db_, rc, path);
    }

private:
    sqlite3* db_ = nullptr;
};

QString uriOf(const QString& path, const QString& query)
{
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + query;
}

void copyInto(Connection& source, const QString& schema, const QString& target)
{
    Connection copy(uriOf(target, QStringLiteral("?mode=rwc")), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, target);
    // A copy cut off is thrown away whole, so it needs no journal; one sync at the end
    // (syncFile) makes it lasting at a fraction of the cost of syncing every step.
    copy.exec(QStringLiteral("PRAGMA journal_mode=OFF"), target);
    copy.exec(QStringLiteral("PRAGMA synchronous=OFF"), target);
    sqlite3_backup* backup = sqlite3_backup_init(copy.get(), "main", source.get(), schema.toUtf8().constData());
    if (!backup)
        fail(copy.get(), sqlite3_errcode(copy.get()), target);
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE)
        fail(copy.get(), stepped, target);
    if (finished != SQLITE_OK)
        fail(copy.get(), finished, target);
}

void syncFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || ::fsync(file.handle()) != 0)
        throw core::EDatabaseError(QStringLiteral("Cannot back up the table file '%1': %2")
                                       .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(errno))));
}

} // namespace

void backUpTableFiles(const QString& dataDir, const QStringList& fileNames, const QString& targetDir)
{
    const QDir data(dataDir);
    Connection source(QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE, data.absolutePath());
    QStringList schemas;
    for (const QString& name : fileNames) {
        const QString path = data.absoluteFilePath(name);
        const QString schema = QStringLiteral("s%1").arg(schemas.size());
        // Read-write as on every open, so that SQLite can undo a change a killed program left
        // half-written (a hot journal) before copying; nothing else is written.
        source.exec(QStringLiteral("ATTACH DATABASE '%1' AS %2")
                        .arg(uriOf(path, QStringLiteral("?mode=rw")).replace(QLatin1Char('\''), QStringLiteral("''")),
                             schema),
                    path);
        schemas << schema;
    }
    // A deferred transaction locks a file at its first read: read each one before copying any.
    source.exec(QStringLiteral("BEGIN"), data.absolutePath());
    for (int i = 0; i < schemas.size(); ++i)
        source.exec(QStringLiteral("SELECT count(*) FROM %1.sqlite_master").arg(schemas[i]),
                    data.absoluteFilePath(fileNames[i]));
    for (int i = 0; i < schemas.size(); ++i)
        copyInto(source, schemas[i], QDir(targetDir).absoluteFilePath(fileNames[i]));
    source.exec(QStringLiteral("COMMIT"), data.absolutePath());
    for (const QString& name : fileNames)
        syncFile(QDir(targetDir).absoluteFilePath(name));
}

} // namespace engine
