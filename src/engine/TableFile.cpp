#include "TableFile.h"

#include "Database.h"
#include "Statement.h"
#include "core/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace engine {

namespace {

void execOn(sqlite3* db, const QString& sql, const QString& path)
{
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    sqlite3_free(error);
    if (rc != SQLITE_OK)
        throwSqliteError(db, rc, path);
}

void fillFile(sqlite3* db, const QStringList& statements, const QString& path)
{
    execOn(db, QStringLiteral("PRAGMA journal_mode=DELETE"), path);
    execOn(db, QStringLiteral("BEGIN"), path);
    for (const QString& statement : statements)
        execOn(db, statement, path);
    execOn(db, QStringLiteral("COMMIT"), path);
}

} // namespace

void createTableFile(const QString& path, const QStringList& statements)
{
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        throw core::EDatabaseError(QStringLiteral("Table file already exists (%1)").arg(QDir::toNativeSeparators(path)));
    prepareSqliteLibrary();
    sqlite3* db = nullptr;
    const QByteArray name = path.toUtf8();
    const int rc = sqlite3_open_v2(name.constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    try {
        if (rc != SQLITE_OK)
            throwSqliteError(db, rc, path);
        sqlite3_extended_result_codes(db, 1);
        fillFile(db, statements, path);
    } catch (...) {
        sqlite3_close(db);
        QFile::remove(path);
        throw;
    }
    if (sqlite3_close(db) != SQLITE_OK) {
        QFile::remove(path);
        throw core::EDatabaseError(QStringLiteral("Cannot close the new table file (%1)").arg(QDir::toNativeSeparators(path)));
    }
}

} // namespace engine
