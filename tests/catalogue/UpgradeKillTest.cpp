// The upgrade of a catalogue of the first releases killed at one of its steps, as a torture run
// places the kills: strace kills the import on the Nth unlink (a file's journal goes at its
// commit) or fdatasync. Whatever the step, every command afterwards works as the window does:
// the read-only ones through an upgraded copy, the import finishing the upgrade.
#include "VersionZero.h"
#include "common/FolderSnapshot.h"
#include "common/ProgramRun.h"
#include "common/TempProgramFolder.h"
#include "data/FieldTable.h"
#include "data/Schema.h"
#include "import/CatalogueImport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

struct Kill {
    const char* syscall;
    int when;
};

class UpgradeKilled : public ::testing::TestWithParam<Kill> {};

TEST_P(UpgradeKilled, EveryLaterCommandReadsOrFinishesTheUpgrade)
{
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty())
        GTEST_SKIP() << "strace is not installed";
    testing_support::TempProgramFolder program(false);
    testing_support::makeVersionZeroCatalogue(program.dataDir());
    const QString binary = testing_support::copyProgramInto(program.path(), QString::fromLocal8Bit(SPK_PROGRAM_BINARY));
    QFile csv(program.file(QStringLiteral("small.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly) && csv.write("TapeNr;Titel\r\n0003-00;Ny\r\n") > 0);
    csv.close();
    const QStringList import{QStringLiteral("--import-csv"), csv.fileName()};

    QProcess killed;
    killed.setWorkingDirectory(program.path());
    killed.start(strace, QStringList{QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("-e"),
                                     QStringLiteral("inject=%1:signal=SIGKILL:when=%2").arg(QLatin1String(GetParam().syscall)).arg(GetParam().when),
                                     binary}
                             + import);
    ASSERT_TRUE(killed.waitForFinished(60000));
    ASSERT_EQ(killed.exitStatus(), QProcess::CrashExit) << "not killed: " << killed.readAllStandardError().toStdString();

    const auto run = [&](const QStringList& arguments) { return testing_support::runProgram(binary, program.path(), arguments); };
    const auto exported = run({QStringLiteral("--export"), program.file(QStringLiteral("tapes.txt"))});
    EXPECT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_TRUE(testing_support::bytesOf(program.file(QStringLiteral("tapes.txt"))).contains("0002-00"));
    const auto overdue = run({QStringLiteral("--overdue")});
    EXPECT_EQ(overdue.exitCode, 0) << overdue.err.toStdString();

    const auto again = run(import);
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(import::tapesInCatalogue(program.dataDir()), 3);
    for (const QString& name : data::catalogueFileNames()) {
        EXPECT_EQ(testing_support::userVersion(QDir(program.dataDir()).filePath(name)), data::kSchemaVersion) << name.toStdString();
        EXPECT_FALSE(QFile::exists(QDir(program.dataDir()).filePath(name + QStringLiteral("-journal")))) << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Steps, UpgradeKilled,
                         ::testing::Values(Kill{"unlink", 1}, Kill{"unlink", 2}, Kill{"unlink", 5}, Kill{"unlink", 8},
                                           Kill{"fdatasync", 3}, Kill{"fdatasync", 12}, Kill{"fdatasync", 28}),
                         [](const ::testing::TestParamInfo<Kill>& info) {
                             return std::string(info.param.syscall) + "_" + std::to_string(info.param.when);
                         });

} // namespace
