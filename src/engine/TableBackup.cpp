#include "TableBackup.h"
#include "core/SectionTexts.h"

#include "Database.h"
#include "PrivateConnection.h"
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

[[noreturn]] void fail(const QString& path, const QString& reason)
{
    throw core::EDatabaseError(
        core::sectionText("Catalogue", "CannotBackUp", QStringLiteral("Tabelfilen \"%1\" kan ikke sikkerhedskopieres: %2"))
            .arg(QDir::toNativeSeparators(path), reason));
}

[[noreturn]] void fail(sqlite3* db, int rc, const QString& path)
{
    fail(path, sqliteErrorMessage(db, rc, QString()));
}

// A connection that is open, or an error naming path.
void requireOpen(const PrivateConnection& connection, const QString& path)
{
    if (!connection.isOpen())
        fail(path, connection.error());
}

void exec(PrivateConnection& connection, const QString& sql, const QString& path)
{
    const QString error = connection.run(sql);
    if (!error.isEmpty())
        fail(path, error);
}

QString uriOf(const QString& path, const QString& query)
{
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + query;
}

void copyInto(PrivateConnection& source, const QString& schema, const QString& target)
{
    PrivateConnection copy(uriOf(target, QStringLiteral("?mode=rwc")), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    requireOpen(copy, target);
    // A copy cut off is thrown away whole, so it needs no journal; one sync at the end
    // (syncFile) makes it lasting at a fraction of the cost of syncing every step.
    exec(copy, QStringLiteral("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF"), target);
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
        fail(path, core::systemReason(errno));
}

} // namespace

void backUpTableFiles(const QString& dataDir, const QStringList& fileNames, const QString& targetDir)
{
    const QDir data(dataDir);
    PrivateConnection source(QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE);
    requireOpen(source, data.absolutePath());
    QStringList schemas;
    for (const QString& name : fileNames) {
        const QString path = data.absoluteFilePath(name);
        // ATTACH follows a link out of the folder: refused here as every opening refuses it.
        refuseNonFile(path);
        const QString schema = QStringLiteral("s%1").arg(schemas.size());
        // Read-write as on every open, so that SQLite can undo a change a killed program left
        // half-written (a hot journal) before copying; nothing else is written.
        exec(source, QStringLiteral("ATTACH DATABASE '%1' AS %2")
                        .arg(uriOf(path, QStringLiteral("?mode=rw")).replace(QLatin1Char('\''), QStringLiteral("''")),
                             schema), path);
        schemas << schema;
    }
    // A deferred transaction locks a file at its first read: read each one before copying any.
    exec(source, QStringLiteral("BEGIN"), data.absolutePath());
    for (int i = 0; i < schemas.size(); ++i)
        exec(source, QStringLiteral("SELECT count(*) FROM %1.sqlite_master").arg(schemas[i]), data.absoluteFilePath(fileNames[i]));
    for (int i = 0; i < schemas.size(); ++i)
        copyInto(source, schemas[i], QDir(targetDir).absoluteFilePath(fileNames[i]));
    exec(source, QStringLiteral("COMMIT"), data.absolutePath());
    for (const QString& name : fileNames)
        syncFile(QDir(targetDir).absoluteFilePath(name));
}

} // namespace engine
