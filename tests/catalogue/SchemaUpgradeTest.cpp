// Catalogues of every schema version the program has known, met at opening, from the command
// line and in a backup: older ones are backed up and upgraded with every value kept, newer
// ones are refused with every file as it was.
#include "VersionZero.h"
#include "catalogue/SchemaUpgrade.h"
#include "common/FolderSnapshot.h"
#include "common/ProgramRun.h"
#include "common/TempProgramFolder.h"
#include "core/Errors.h"
#include "data/CatalogueFolder.h"
#include "data/DM.h"
#include "data/FieldTable.h"
#include "data/Loans.h"
#include "engine/Table.h"
#include "catalogue/BackupRestore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

using testing_support::snapshot;
using testing_support::userVersion;
using testing_support::versionZeroValues;

QString fileIn(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(name);
}

QStringList backupsIn(const QString& programDir)
{
    return QDir(programDir + QStringLiteral("/Backup")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}

struct Start {
    const char* name;
    int version;
    std::function<void(const QString& data)> make;
};

void PrintTo(const Start& start, std::ostream* out)
{
    *out << start.name;
}

// Version zero with the steps up to version, then extra on the loans' file.
void makeVersion(const QString& data, int version, const QString& extra = QString())
{
    testing_support::makeVersionZeroCatalogue(data);
    for (const data::TableSpec& spec : data::tableSpecs()) {
        QStringList statements;
        for (int step = 1; step <= version; ++step)
            statements << data::upgradeStatements(spec, step, QStringLiteral("main"));
        if (spec.table == QLatin1String("Udlaan") && !extra.isEmpty())
            statements << extra;
        statements << QStringLiteral("PRAGMA user_version = %1").arg(version);
        testing_support::execOnDatabase(fileIn(data, spec.fileName), statements.join(QLatin1Char(';')).toUtf8());
    }
}

const Start kStarts[] = {
    {"VersionZero", 0, testing_support::makeVersionZeroCatalogue},
    // The older versions as their programs left them.
    {"VersionOne", 1, [](const QString& data) { makeVersion(data, 1); }},
    {"VersionTwo", 2, [](const QString& data) {
         makeVersion(data, 2, QStringLiteral("CREATE INDEX IndexAabne ON Udlaan(Forfald) WHERE ") + data::notReturnedCondition(QString()));
     }},
    {"VersionThree", 3, [](const QString& data) { makeVersion(data, 3); }},
    {"Current", data::kSchemaVersion, [](const QString& data) {
         data::createCatalogue(data);
         testing_support::execOnDatabase(data + "/Video.db", "INSERT INTO Video(TapeNr, Titel) VALUES('0001-00', 'Ny')");
     }},
};

class Opening : public ::testing::TestWithParam<Start> {
protected:
    testing_support::TempProgramFolder program{false};
};

// The opening the program's windows make: the data module with the catalogue's upgrade.
TEST_P(Opening, AnOlderCatalogueIsBackedUpThenUpgradedWithEveryValueKept)
{
    const QString data = program.dataDir();
    GetParam().make(data);
    std::map<QString, QStringList> before;
    for (const QString& name : data::catalogueFileNames())
        before[name] = versionZeroValues(data, name);
    {
        data::TDM dm(data);
        catalogue::installUpgrade(dm);
        dm.OpenTables();
        EXPECT_EQ(dm.configInteger(QStringLiteral("Laanetid")), 30);
    }
    const QStringList backups = backupsIn(program.path());
    const bool older = GetParam().version < data::kSchemaVersion;
    ASSERT_EQ(backups.size(), older ? 1 : 0);
    const QString backup = older ? program.file(QStringLiteral("Backup/") + backups.front()) : QString();
    QTemporaryDir fresh;
    data::createCatalogue(fresh.filePath(QStringLiteral("Data")));
    EXPECT_TRUE(backup.isEmpty() || backup.endsWith(QLatin1String("-before-upgrade")));
    for (const QString& name : data::catalogueFileNames()) {
        EXPECT_EQ(userVersion(fileIn(data, name)), data::kSchemaVersion) << name.toStdString();
        EXPECT_EQ(versionZeroValues(data, name), before[name]) << name.toStdString();
        EXPECT_EQ(testing_support::indexNames(fileIn(data, name)), testing_support::indexNames(fileIn(fresh.filePath(QStringLiteral("Data")), name)))
            << name.toStdString();
        if (older) {
            EXPECT_EQ(userVersion(fileIn(backup, name)), GetParam().version) << name.toStdString();
            EXPECT_EQ(versionZeroValues(backup, name), before[name]) << name.toStdString();
        }
    }
}

// A read-only command reads an older catalogue as the upgraded one reads, writing nothing.
TEST_P(Opening, TheCommandLineExportOfAnOlderCatalogueWritesNoFileOfIt)
{
    GetParam().make(program.dataDir());
    const QString binary = testing_support::copyProgramInto(program.path(), QString::fromLocal8Bit(SPK_PROGRAM_BINARY));
    const auto before = snapshot(program.dataDir());
    const auto first = testing_support::runProgram(binary, program.path(), {QStringLiteral("--export"), QStringLiteral("old.txt")});
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(snapshot(program.dataDir()), before);
    {
        data::TDM dm(program.dataDir());
        catalogue::installUpgrade(dm);
        dm.OpenTables();
    }
    testing_support::runProgram(binary, program.path(), {QStringLiteral("--export"), QStringLiteral("new.txt")});
    EXPECT_EQ(testing_support::bytesOf(program.file(QStringLiteral("old.txt"))),
              testing_support::bytesOf(program.file(QStringLiteral("new.txt"))));
}

// The first releases' open loan (lent 2026-11-02) kept no due date: after the upgrade it is due
// after the loan period, in the window's opening and in a command's upgraded copy alike.
TEST_P(Opening, AnOpenLoanOfTheFirstReleasesIsDueAfterTheLoanPeriod)
{
    if (GetParam().version >= data::kSchemaVersion)
        GTEST_SKIP() << "made with due dates";
    GetParam().make(program.dataDir());
    const QString binary = testing_support::copyProgramInto(program.path(), QString::fromLocal8Bit(SPK_PROGRAM_BINARY));
    const auto run = testing_support::runProgram(binary, program.path(), {QStringLiteral("--overdue")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("\n0001-00\t")) && run.out.contains(QStringLiteral("\t2026-12-02\t")))
        << run.out.toStdString();
    data::TDM dm(program.dataDir());
    catalogue::installUpgrade(dm);
    dm.OpenTables();
    const std::vector<data::LoanLine> due = data::dueLoans(dm.database(), QDate(2026, 12, 3));
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due.front().tapeNr, QStringLiteral("0001-00"));
    EXPECT_EQ(due.front().due, QDate(2026, 12, 2));
}

// Once upgraded, the shelf order puts numbers in order of their value: "hylde 2" before "hylde 10".
TEST_P(Opening, TheShelfOrderReadsNumbersByTheirValue)
{
    if (GetParam().version >= data::kSchemaVersion)
        GTEST_SKIP() << "made with it";
    GetParam().make(program.dataDir());
    const QString video = fileIn(program.dataDir(), QStringLiteral("Video.db"));
    const QByteArray place = "UPDATE Video SET Placering = CASE TapeNr WHEN '0001-00' THEN 'Reol A, hylde 10' ELSE 'reol a, hylde 2' END";
    if (GetParam().version > 0) // filled by the upgrade
        testing_support::execOnDatabase(video, place);
    data::TDM dm(program.dataDir());
    catalogue::installUpgrade(dm);
    dm.OpenTables();
    if (GetParam().version == 0) // kept by the triggers, whatever program writes
        testing_support::execOnDatabase(video, place);
    dm.VideoTable->SetIndexName(QStringLiteral("IndexPlacering"));
    QStringList order;
    for (dm.VideoTable->First(); !dm.VideoTable->Eof(); dm.VideoTable->Next())
        order << dm.VideoTable->FieldByName(QStringLiteral("TapeNr")).AsString();
    EXPECT_EQ(order, (QStringList{QStringLiteral("0002-00"), QStringLiteral("0001-00")}));
}

INSTANTIATE_TEST_SUITE_P(EachVersion, Opening, ::testing::ValuesIn(kStarts),
                         [](const auto& info) { return std::string(info.param.name); });

// A file made by a later program is refused by every command, and nothing is written.
class NewerFile : public ::testing::TestWithParam<const char*> {
};

TEST_P(NewerFile, EveryCommandRefusesItNamingTheFileAndBothVersions)
{
    testing_support::TempProgramFolder program;
    const QString binary = testing_support::copyProgramInto(program.path(), QString::fromLocal8Bit(SPK_PROGRAM_BINARY));
    testing_support::execOnDatabase(program.file(QStringLiteral("Data/Config.DB")), "PRAGMA user_version = 99");
    QFile csv(program.file(QStringLiteral("in.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("TapeNr;Titel\n0001-00;Ny\n");
    csv.close();
    const auto before = snapshot(program.dataDir());
    const auto run = testing_support::runProgram(binary, program.path(), QString::fromLatin1(GetParam()).split(QLatin1Char(' ')));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Config.DB\" er lavet af en nyere Spolarkiv (katalogversion 99); denne "
                                                "Spolarkiv kender katalogversion %1")
                                     .arg(data::kSchemaVersion)))
        << run.err.toStdString();
    EXPECT_EQ(snapshot(program.dataDir()), before);
}

INSTANTIATE_TEST_SUITE_P(EachCommand, NewerFile,
                         ::testing::Values("--export out.txt", "--report-pdf out.pdf", "--backup", "--import-csv in.csv",
                                           "--import-csv in.csv --replace"));

// A backup the first releases wrote restores, and the next opening upgrades it.
TEST(OldBackup, RestoresAndIsUpgradedAtTheNextOpening)
{
    testing_support::TempProgramFolder program;
    const QString backup = program.file(QStringLiteral("Backup/2020-01-01-120000"));
    testing_support::makeVersionZeroCatalogue(backup);
    catalogue::restoreBackup(backup, program.dataDir());
    EXPECT_EQ(versionZeroValues(program.dataDir(), QStringLiteral("Medvirker.db")),
              versionZeroValues(backup, QStringLiteral("Medvirker.db")));
    data::TDM dm(program.dataDir());
    catalogue::installUpgrade(dm);
    dm.OpenTables();
    EXPECT_EQ(dm.VideoTable->RecordCount(), 2);
    for (const QString& name : data::catalogueFileNames())
        EXPECT_EQ(userVersion(fileIn(program.dataDir(), name)), data::kSchemaVersion) << name.toStdString();
}

} // namespace
