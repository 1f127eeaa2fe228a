// Putting a backup in Data's place: a sound backup replaces Data and keeps the previous one;
// a backup with anything wrong is refused, naming the file, before anything is touched.
#include "catalogue/BackupRestore.h"
#include "catalogue/CatalogueError.h"
#include "common/FolderSnapshot.h"
#include "common/ProgramRun.h"
#include "common/TestCatalogue.h"
#include "data/Backups.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {

using testing_support::overwriteFile;
using testing_support::replaceWithDatabase;
using testing_support::snapshot;

const QDateTime kNow(QDate(2026, 12, 9), QTime(18, 15, 30));

class Restore : public testing_support::CatalogueTest {
protected:
    void SetUp() override
    {
        // A catalogue with a tape, backed up; the catalogue in Data then changes.
        CatalogueTest::SetUp();
        addTape(QStringLiteral("0001-00"), QString::fromUtf8("Ørnens øje"));
        backup = data::writeBackup(folder->dataDir(), folder->file(QStringLiteral("Backup")), kNow);
        addTape(QStringLiteral("0002-00"), QStringLiteral("Added later"));
        CatalogueTest::TearDown();
    }
    QStringList besideData() const
    {
        return QDir(folder->path()).entryList({QStringLiteral("Data*")}, QDir::Dirs);
    }

    QString backup;
};

TEST_F(Restore, PutsTheBackupInPlaceAndKeepsThePreviousData)
{
    const auto previous = snapshot(folder->dataDir());
    const auto saved = snapshot(backup);
    const QString kept = catalogue::restoreBackup(backup, folder->dataDir());

    EXPECT_TRUE(kept.startsWith(folder->dataDir() + QStringLiteral("-before-restore-"))) << kept.toStdString();
    EXPECT_EQ(snapshot(kept), previous);
    EXPECT_EQ(snapshot(folder->dataDir()), saved);
    EXPECT_EQ(snapshot(backup), saved);
    data::TDM restored(folder->dataDir());
    restored.OpenTables();
    EXPECT_EQ(restored.VideoTable->RecordCount(), 1);
    EXPECT_EQ(restored.VideoTable->FieldByName(QStringLiteral("Titel")).AsString(), QString::fromUtf8("Ørnens øje"));
}

struct BackupFault {
    const char* name;
    const char* file;
    const char* fault;
    std::function<void(const QString& backup)> apply;
};

void PrintTo(const BackupFault& fault, std::ostream* out)
{
    *out << fault.name;
}

const BackupFault kFaults[] = {
    {"Missing", "Udlaan.db", "mangler", [](const QString& b) { QFile::remove(b + "/Udlaan.db"); }},
    {"CutShort", "Video.db", "beskadiget",
     [](const QString& b) { overwriteFile(b + "/Video.db", testing_support::bytesOf(b + "/Video.db").left(9000)); }},
    {"RandomBytes", "Kategori.db", "beskadiget", [](const QString& b) { overwriteFile(b + "/Kategori.db", QByteArray(4096, 'x')); }},
    {"Empty", "Type.db", "mangler felterne Type", [](const QString& b) { overwriteFile(b + "/Type.db", {}); }},
    {"ForeignTable", "Config.DB", "mangler felterne H_Main",
     [](const QString& b) { replaceWithDatabase(b + "/Config.DB", "CREATE TABLE Config(Other INTEGER)"); }},
    {"JournalBeside", "Medvirker.db", "journal", [](const QString& b) { overwriteFile(b + "/Medvirker.db-journal", "x"); }},
    {"Link", "Instruktor.db", "almindelig fil",
     [](const QString& b) {
         QFile::rename(b + "/Instruktor.db", b + "/../Instruktor.db");
         QFile::link(b + "/../Instruktor.db", b + "/Instruktor.db");
     }},
    {"Folder", "Optagetaf.db", "almindelig fil",
     [](const QString& b) {
         QFile::remove(b + "/Optagetaf.db");
         QDir().mkdir(b + "/Optagetaf.db");
     }},
};

class RestoreRefused : public Restore, public ::testing::WithParamInterface<BackupFault> {};

TEST_P(RestoreRefused, NamesTheFileAndTouchesNothing)
{
    GetParam().apply(backup);
    const auto everything = snapshot(folder->path());
    const QStringList folders = besideData();
    try {
        catalogue::restoreBackup(backup, folder->dataDir());
        ADD_FAILURE() << "restored";
    } catch (const catalogue::ECatalogueError& e) {
        EXPECT_TRUE(e.message().contains(QLatin1String(GetParam().file))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QString::fromUtf8(GetParam().fault))) << e.message().toStdString();
    }
    EXPECT_EQ(snapshot(folder->path()), everything);
    EXPECT_EQ(besideData(), folders);
}

INSTANTIATE_TEST_SUITE_P(EachFault, RestoreRefused, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Restore, AMissingFolderIsNamedAndABackupOnReadOnlyMediaStillRestores)
{
    EXPECT_THROW(catalogue::restoreBackup(folder->file(QStringLiteral("nowhere")), folder->dataDir()), catalogue::ECatalogueError);
    for (const QString& name : QDir(backup).entryList(QDir::Files))
        QFile::setPermissions(backup + QLatin1Char('/') + name, QFile::ReadOwner);
    QFile::setPermissions(backup, QFile::ReadOwner | QFile::ExeOwner);
    const auto saved = snapshot(backup);
    EXPECT_NO_THROW(catalogue::restoreBackup(backup, folder->dataDir()));
    EXPECT_EQ(snapshot(backup), saved);
    QFile::setPermissions(backup, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
