// Creates the table folder with the nine empty tables and the one configuration record.
// It never touches a folder that already holds a table file.
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <sqlite3.h>

namespace {

bool holdsTable(const QDir& dir)
{
    for (const auto& file : data::catalogueFiles())
        if (QFileInfo::exists(dir.filePath(file.fileName)))
            return true;
    return !dir.entryList({QStringLiteral("*.db"), QStringLiteral("*.DB")}, QDir::Files).isEmpty();
}

bool run(sqlite3* db, const QString& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) == SQLITE_OK)
        return true;
    std::fprintf(stderr, "spolarkiv-mkdata: %s\n", error ? error : "unknown error");
    sqlite3_free(error);
    return false;
}

bool createFile(const QString& path, const data::TableFile& file)
{
    sqlite3* db = nullptr;
    const QByteArray name = path.toUtf8();
    if (sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "spolarkiv-mkdata: cannot create %s\n", name.constData());
        sqlite3_close(db);
        return false;
    }
    bool ok = run(db, QStringLiteral("PRAGMA journal_mode=DELETE")) && run(db, QStringLiteral("BEGIN"));
    for (const QString& statement : file.statements)
        ok = ok && run(db, statement);
    if (ok && file.fileName == QLatin1String("Config.DB"))
        ok = run(db, data::configSeedStatement());
    ok = ok && run(db, QStringLiteral("COMMIT"));
    sqlite3_close(db);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: spolarkiv-mkdata DATA-FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir dir(folder);
    if (dir.exists() && holdsTable(dir)) {
        std::printf("spolarkiv-mkdata: %s already holds tables; left as it is\n", argv[1]);
        return 0;
    }
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "spolarkiv-mkdata: cannot create %s\n", argv[1]);
        return 1;
    }
    // A half-made folder would count as one holding tables, and the next run would leave it
    // as it is: a failure takes back every file this run made.
    QStringList made;
    for (const auto& file : data::catalogueFiles()) {
        const QString path = dir.filePath(file.fileName);
        made << path;
        if (!createFile(path, file)) {
            for (const QString& ours : std::as_const(made))
                QFile::remove(ours);
            return 1;
        }
    }
    return 0;
}
