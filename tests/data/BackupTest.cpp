// The program's backups: what a backup folder holds, which ones are kept, when the catalogue
// counts as changed, a failed backup leaving nothing behind, and a post meeting a catalogue
// another program has locked.
#include "DataFixture.h"
#include "common/FolderSnapshot.h"
#include "common/TinyDisk.h"
#include "core/Errors.h"
#include "data/Backups.h"
#include "engine/Table.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <set>
#include <sqlite3.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(18, 15, 30));

QStringList tapesIn(const QString& videoFile)
{
    sqlite3* db = nullptr;
    QStringList tapes;
    if (sqlite3_open_v2(QFile::encodeName(videoFile).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, "SELECT TapeNr || ' ' || Titel FROM Video ORDER BY TapeNr", -1, &statement, nullptr);
        while (sqlite3_step(statement) == SQLITE_ROW)
            tapes << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return tapes;
}

class Backups : public DataFixture {
protected:
    QString backupRoot() const { return folder->file(QStringLiteral("Backup")); }
};

TEST_F(Backups, ABackupHoldsTheNineTablesAsCommittedAndLeavesDataAsItWas)
{
    addTape(QStringLiteral("0001-00"), QString::fromUtf8("Ørnens øje"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("Matador"));
    const auto data = testing_support::snapshot(folder->dataDir());
    // A record being edited is not committed and is not in the backup.
    dm->VideoTable->Edit();
    dm->VideoTable->FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("Not saved"));

    const QString written = data::writeBackup(folder->dataDir(), backupRoot(), kNow);

    EXPECT_EQ(written, backupRoot() + QStringLiteral("/2026-12-09-181530"));
    EXPECT_EQ(QDir(written).entryList(QDir::Files).size(), 9);
    EXPECT_EQ(tapesIn(written + QStringLiteral("/Video.db")),
              (QStringList{QString::fromUtf8("0001-00 Ørnens øje"), QStringLiteral("0002-00 Matador")}));
    EXPECT_EQ(testing_support::snapshot(folder->dataDir()), data);
    // A second one in the same second gets a name of its own.
    EXPECT_EQ(data::writeBackup(folder->dataDir(), backupRoot(), kNow), written + QStringLiteral("-2"));
    dm->VideoTable->Cancel();
}

TEST_F(Backups, AFailedBackupLeavesNothingBehindAndSaysWhy)
{
    // A file where the backup folder should be.
    QFile blocker(backupRoot());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        data::writeBackup(folder->dataDir(), backupRoot(), kNow);
        ADD_FAILURE() << "no error";
    } catch (const core::EError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Backup"))) << e.message().toStdString();
    }

    testing_support::TinyDisk disk(64);
    if (!disk.mounted())
        GTEST_SKIP() << "no small disk can be mounted here";
    for (int i = 0; i < 200; ++i)
        addTape(QStringLiteral("%1-00").arg(i + 1, 4, 10, QLatin1Char('0')), QString(400, QLatin1Char('x')));
    try {
        data::writeBackup(folder->dataDir(), disk.file(QStringLiteral("Backup")), kNow);
        ADD_FAILURE() << "no error on a full disk";
    } catch (const core::EError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("full"))) << e.message().toStdString();
    }
    EXPECT_TRUE(QDir(disk.file(QStringLiteral("Backup"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(Backups, OnlyAChangedCatalogueCountsAsChanged)
{
    const QByteArray start = data::catalogueFingerprint(folder->dataDir(), {QStringLiteral("Config.DB")});
    dm->storeConfig({{QStringLiteral("W_Main"), 777}});
    dm->VideoTable->First();
    EXPECT_EQ(data::catalogueFingerprint(folder->dataDir(), {QStringLiteral("Config.DB")}), start)
        << "window sizes alone are no change of the catalogue";
    addTape(QStringLiteral("0001-00"), QStringLiteral("Matador"));
    EXPECT_NE(data::catalogueFingerprint(folder->dataDir(), {QStringLiteral("Config.DB")}), start);
}

TEST(BackupPruning, KeepsTheNewestTenAndTheNewestOfEachOfTheLastTwelveMonths)
{
    const struct {
        const char* name;
        QStringList present;
        QStringList kept; // newest first
    } cases[] = {
        {"ten or fewer stay",
         {"2026-12-09-100000", "2026-12-08-100000"},
         {"2026-12-09-100000", "2026-12-08-100000"}},
        {"the eleventh of one month goes",
         {"2026-12-09-110000", "2026-12-09-100000", "2026-12-08-100000", "2026-12-07-100000", "2026-12-06-100000",
          "2026-12-05-100000", "2026-12-04-100000", "2026-12-03-100000", "2026-12-02-100000", "2026-12-01-120000",
          "2026-12-01-110000"},
         {"2026-12-09-110000", "2026-12-09-100000", "2026-12-08-100000", "2026-12-07-100000", "2026-12-06-100000",
          "2026-12-05-100000", "2026-12-04-100000", "2026-12-03-100000", "2026-12-02-100000", "2026-12-01-120000"}},
        {"one a month for a year, nothing older",
         {"2026-12-09-100000", "2026-12-09-090000", "2026-12-09-080000", "2026-12-09-070000", "2026-12-09-060000",
          "2026-12-09-050000", "2026-12-09-040000", "2026-12-09-030000", "2026-12-09-020000", "2026-12-09-010000",
          "2026-11-30-100000", "2026-11-02-100000", "2026-01-15-100000", "2025-12-31-235959", "2025-11-30-100000"},
         {"2026-12-09-100000", "2026-12-09-090000", "2026-12-09-080000", "2026-12-09-070000", "2026-12-09-060000",
          "2026-12-09-050000", "2026-12-09-040000", "2026-12-09-030000", "2026-12-09-020000", "2026-12-09-010000",
          "2026-11-30-100000", "2026-01-15-100000"}},
        {"a second backup of the same second counts as newer",
         {"2026-12-09-100000", "2026-12-09-100000-2"},
         {"2026-12-09-100000-2", "2026-12-09-100000"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        for (const QString& name : c.present)
            QDir(root.path()).mkdir(name);
        // Not backups: never touched.
        QDir(root.path()).mkdir(QStringLiteral("Mine"));
        QDir(root.path()).mkdir(QStringLiteral("2019-01-01"));
        // A write that was cut off: always cleared.
        QDir(root.path()).mkdir(QStringLiteral(".partial-2026-12-01-000000"));
        data::pruneBackups(root.path(), kNow);
        EXPECT_EQ(data::backupsIn(root.path()), c.kept);
        EXPECT_EQ(QDir(root.path()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                  c.kept.size() + 2);
    }
}

// Another program (here a shell holding BEGIN EXCLUSIVE) has the catalogue: the post waits a
// bounded time, says the catalogue is busy, and the record is still there to post again.
TEST_F(Backups, APostOnALockedCatalogueWaitsThenReportsBusyAndLosesNothing)
{
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(folder->dataDir() + QStringLiteral("/Video.db")).constData(), &other),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    dm->VideoTable->Insert();
    dm->VideoTable->FieldByName(QStringLiteral("TapeNr")).SetAsString(QStringLiteral("0001-00"));
    dm->VideoTable->FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("Matador"));
    QElapsedTimer waited;
    waited.start();
    try {
        dm->VideoTable->Post();
        ADD_FAILURE() << "posted through an exclusive lock";
    } catch (const core::EDatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("optaget"))) << e.message().toStdString();
    }
    EXPECT_LT(waited.elapsed(), 30000);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(dm->VideoTable->FieldByName(QStringLiteral("Titel")).AsString(), QStringLiteral("Matador"));
    dm->VideoTable->Post();
    EXPECT_EQ(tapesIn(folder->dataDir() + QStringLiteral("/Video.db")), QStringList{QStringLiteral("0001-00 Matador")});
}

} // namespace
