// The data tool: nine tables with their exact names, one configuration record, and it never
// touches a folder that already holds a table.
#include "common/TempProgramFolder.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QString tool()
{
    return testing_support::builtProgramDir() + QStringLiteral("/../tools/spolarkiv-mkdata");
}

int countRows(const QString& file, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    int result = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
        result = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}

} // namespace

TEST(MakeData, CreatesTheNineTablesWithOneConfigurationRecord)
{
    QTemporaryDir dir;
    const QString data = dir.path() + QStringLiteral("/Data");
    ASSERT_EQ(QProcess::execute(tool(), {data}), 0);
    QStringList names;
    for (const auto& file : data::catalogueFiles())
        names << file.fileName;
    EXPECT_EQ(names, (QStringList{"Video.db", "Kategori.db", "Udlaan.db", "Type.db", "Instruktor.db", "Optagetaf.db",
                                  "Skuespiller.DB", "Medvirker.db", "Config.DB"}));
    for (const QString& name : names)
        EXPECT_TRUE(QFile::exists(data + QLatin1Char('/') + name)) << name.toStdString();
    EXPECT_EQ(countRows(data + QStringLiteral("/Config.DB"), "SELECT count(*) FROM Config WHERE Sprog = -1"), 1);
    EXPECT_EQ(countRows(data + QStringLiteral("/Video.db"), "SELECT count(*) FROM Video"), 0);
}

TEST(MakeData, LeavesAFolderWithTablesAlone)
{
    QTemporaryDir dir;
    const QString data = dir.path() + QStringLiteral("/Data");
    QDir().mkpath(data);
    QFile foreign(data + QStringLiteral("/Video.db"));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("not ours");
    foreign.close();
    EXPECT_EQ(QProcess::execute(tool(), {data}), 0);
    EXPECT_FALSE(QFile::exists(data + QStringLiteral("/Config.DB")));
    QFile check(data + QStringLiteral("/Video.db"));
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray("not ours"));
}

TEST(MakeData, AFailedRunLeavesNoTableSoTheNextRunCanMakeThemAll)
{
    QTemporaryDir dir;
    const QString data = dir.path() + QStringLiteral("/Data");
    // The last file's journal cannot be written: a folder stands where it would go.
    const QString blocker = data + QStringLiteral("/Config.DB-journal");
    ASSERT_TRUE(QDir().mkpath(blocker + QStringLiteral("/inside")));
    EXPECT_NE(QProcess::execute(tool(), {data}), 0);
    EXPECT_EQ(QDir(data).entryList({QStringLiteral("*.db"), QStringLiteral("*.DB")}, QDir::Files).join(' ').toStdString(), "");

    ASSERT_TRUE(QDir(blocker).removeRecursively());
    ASSERT_EQ(QProcess::execute(tool(), {data}), 0);
    for (const auto& file : data::catalogueFiles())
        EXPECT_TRUE(QFile::exists(data + QLatin1Char('/') + file.fileName)) << file.fileName.toStdString();
    EXPECT_EQ(countRows(data + QStringLiteral("/Config.DB"), "SELECT count(*) FROM Config"), 1);
}
