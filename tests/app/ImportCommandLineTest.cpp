// "spolarkiv --import-paradox DIR [--replace] [--codepage N] [--dry-run]" as a user runs it from
// the program folder: what it prints, its exit status, and what it leaves in the folder.
#include "OldCatalogue.h"
#include "catalogue/FolderLock.h"
#include "common/FolderSnapshot.h"
#include "common/ProgramRun.h"
#include "common/TempProgramFolder.h"
#include "import/CatalogueImport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/stat.h>
#include <map>
#include <utility>

namespace {

using testing_support::snapshot;

class ImportCommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(oldRoot.isValid());
        old = paradoxtest::writeOldCatalogue(oldRoot.path());
        binary = testing_support::copyProgramInto(program.path(), QString::fromLocal8Bit(SPK_PROGRAM_BINARY));
        catalogue::FolderLock(program.path()).tryLock(); // the folder's lock file, which the first command makes
    }
    testing_support::ProgramRun run(const QStringList& arguments)
    {
        return testing_support::runProgram(binary, program.path(), arguments);
    }
    QStringList importOld(QStringList extra = {})
    {
        return QStringList{QStringLiteral("--import-paradox"), old.dataFolder()} + extra;
    }

    QTemporaryDir oldRoot;
    paradoxtest::OldCatalogue old;
    testing_support::TempProgramFolder program;
    QString binary;
};

TEST_F(ImportCommandLine, ImportsPrintsTheReportAndKeepsThePreviousData)
{
    const auto done = run(importOld());
    EXPECT_EQ(done.exitCode, 0) << done.err.toStdString();
    EXPECT_TRUE(done.out.contains(QString::fromUtf8("Video.db: 6 poster læst, 3 gemt"))) << done.out.toStdString();
    EXPECT_EQ(import::tapesInCatalogue(program.dataDir()), paradoxtest::oldCatalogueTapes);
    EXPECT_EQ(QDir(program.path()).entryList({QStringLiteral("Data-before-import-*")}, QDir::Dirs).size(), 1);
    EXPECT_EQ(QDir(program.path()).entryList({QStringLiteral("Import-*.txt")}, QDir::Files).size(), 1);

    // A second import refuses without --replace and says how.
    const auto imported = snapshot(program.dataDir());
    const auto refused = run(importOld());
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--replace"))) << refused.err.toStdString();
    EXPECT_EQ(snapshot(program.dataDir()), imported);
    EXPECT_EQ(run(importOld({QStringLiteral("--replace")})).exitCode, 0);
}

TEST_F(ImportCommandLine, ADryRunPrintsTheReportAndWritesNothing)
{
    const auto before = snapshot(program.path());
    const auto dry = run(importOld({QStringLiteral("--dry-run"), QStringLiteral("--codepage"), QStringLiteral("850")}));
    EXPECT_EQ(dry.exitCode, 0) << dry.err.toStdString();
    EXPECT_TRUE(dry.out.startsWith(QString::fromUtf8("Prøveindlæsning fra"))) << dry.out.toStdString();
    EXPECT_EQ(snapshot(program.path()), before);
}

TEST_F(ImportCommandLine, WrongUseAndFailuresEndWithAMessageAndANonZeroStatus)
{
    const struct {
        QStringList arguments;
        int exitCode;
        const char* message;
    } cases[] = {
        {{QStringLiteral("--import-paradox")}, 2, "needs a folder"},
        {importOld({QStringLiteral("--codepage"), QStringLiteral("1250")}), 2, "437, 850, 865 or 1252"},
        {importOld({QStringLiteral("--merge")}), 2, "unknown option --merge"},
        {{QStringLiteral("--import-paradox"), oldRoot.path() + QStringLiteral("/nowhere")}, 1, "findes ikke"},
    };
    const auto before = snapshot(program.path());
    for (const auto& c : cases) {
        const auto failed = run(c.arguments);
        EXPECT_EQ(failed.exitCode, c.exitCode) << c.message;
        EXPECT_TRUE(failed.err.contains(QString::fromUtf8(c.message))) << failed.err.toStdString();
        EXPECT_TRUE(failed.out.isEmpty()) << failed.out.toStdString();
    }
    EXPECT_EQ(snapshot(program.path()), before);
}

TEST_F(ImportCommandLine, RefusesWhileTheProgramRunsOnTheFolder)
{
    // The running program holds this lock for its folder.
    catalogue::FolderLock running(program.path());
    ASSERT_TRUE(running.tryLock());
    const auto before = snapshot(program.path());
    const auto refused = run(importOld());
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QString::fromUtf8("Luk programmet først"))) << refused.err.toStdString();
    EXPECT_EQ(snapshot(program.path()), before);
}

// "--import-csv FILE [--replace] [--dry-run]": the same statuses and the same lock.
class CsvCommandLine : public ImportCommandLine {
protected:
    QString csv(const QByteArray& bytes)
    {
        const QString path = oldRoot.filePath(QStringLiteral("film.csv"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
};

TEST_F(CsvCommandLine, ImportsThenAddsOnlyNewTapesAndReplacesWhenAsked)
{
    const QStringList first = {QStringLiteral("--import-csv"), csv("TapeNr;Titel\r\n0001-00;A\r\n0002-00;B\r\n")};
    const auto done = run(first);
    EXPECT_EQ(done.exitCode, 0) << done.err.toStdString();
    EXPECT_TRUE(done.out.contains(QString::fromUtf8("Video.db: 2 poster læst, 2 gemt"))) << done.out.toStdString();

    const QStringList second = {QStringLiteral("--import-csv"), csv("TapeNr;Titel\r\n0002-00;Ny\r\n0003-00;C\r\n")};
    const auto added = run(second);
    EXPECT_EQ(added.exitCode, 0) << added.err.toStdString();
    EXPECT_TRUE(added.out.contains(QString::fromUtf8("Film der fandtes i forvejen og ikke er ændret: 1\n  0002-00\n")))
        << added.out.toStdString();
    EXPECT_EQ(import::tapesInCatalogue(program.dataDir()), 3);

    const auto before = snapshot(program.path());
    EXPECT_EQ(run(second + QStringList{QStringLiteral("--replace"), QStringLiteral("--dry-run")}).exitCode, 0);
    EXPECT_EQ(snapshot(program.path()), before);
    EXPECT_EQ(run(second + QStringList{QStringLiteral("--replace")}).exitCode, 0);
    EXPECT_EQ(import::tapesInCatalogue(program.dataDir()), 2);
}

TEST_F(CsvCommandLine, WrongUseFailuresAndTheRunningProgramEndWithAMessageAndANonZeroStatus)
{
    catalogue::FolderLock running(program.path());
    const QString good = csv("TapeNr;Titel\r\n0001-00;A\r\n");
    const struct {
        QStringList arguments;
        bool locked;
        int exitCode;
        const char* message;
    } cases[] = {
        {{QStringLiteral("--import-csv")}, false, 2, "needs a file"},
        {{QStringLiteral("--import-csv"), good, QStringLiteral("--codepage"), QStringLiteral("850")}, false, 2, "unknown option --codepage"},
        {{QStringLiteral("--import-csv"), oldRoot.filePath(QStringLiteral("none.csv"))}, false, 1, "findes ikke"},
        {{QStringLiteral("--import-csv"), csv("Titel\r\nA\r\n")}, false, 1, "ingen kolonne med båndnummeret"},
        {{QStringLiteral("--import-csv"), good}, true, 1, "Luk programmet først"},
    };
    const auto before = snapshot(program.path());
    for (const auto& c : cases) {
        if (c.locked) {
            ASSERT_TRUE(running.tryLock());
        }
        const auto failed = run(c.arguments);
        EXPECT_EQ(failed.exitCode, c.exitCode) << c.message;
        EXPECT_TRUE(failed.err.contains(QString::fromUtf8(c.message))) << failed.err.toStdString();
        EXPECT_TRUE(failed.out.isEmpty()) << failed.out.toStdString();
    }
    EXPECT_EQ(snapshot(program.path()), before);
}

// The program's lock belongs to the program folder: a shell without $XDG_RUNTIME_DIR or with
// another $USER (su, sudo, cron, ssh) sees it as well.
TEST_F(CsvCommandLine, AnImportInAnyEnvironmentIsRefusedWhileTheProgramHoldsTheFolder)
{
    catalogue::FolderLock window(program.path());
    ASSERT_TRUE(window.tryLock());
    const QString file = csv("TapeNr;Titel\r\n0001-00;A\r\n");
    for (const auto& [name, value] : {std::pair{"XDG_RUNTIME_DIR", ""}, std::pair{"USER", "other"},
                                      std::pair{"TMPDIR", "/var/tmp"}, std::pair{"HOME", "/"}}) {
        QProcess import;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        *value ? env.insert(QString::fromLatin1(name), QString::fromLatin1(value)) : env.remove(QString::fromLatin1(name));
        import.setProcessEnvironment(env);
        import.setWorkingDirectory(program.path());
        import.start(binary, {QStringLiteral("--import-csv"), file});
        ASSERT_TRUE(import.waitForFinished(60000));
        EXPECT_TRUE(QString::fromLocal8Bit(import.readAllStandardError()).contains(QString::fromUtf8("Luk programmet først")))
            << name;
    }
}

// The process that holds the flock of the file at path (from /proc/locks); 0 for none.
qint64 lockHolder(const QString& path)
{
    QFile locks(QStringLiteral("/proc/locks"));
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !locks.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    const QString inode = QString::number(quint64(info.st_ino));
    for (const QString& line : QString::fromLatin1(locks.readAll()).split(QLatin1Char('\n'))) {
        const QStringList parts = line.simplified().split(QLatin1Char(' '));
        if (parts.size() > 5 && parts[1] == QLatin1String("FLOCK") && parts[5].endsWith(QLatin1Char(':') + inode))
            return parts[4].toLongLong();
    }
    return 0;
}

TEST_F(CsvCommandLine, OfTwoImportsAtOnceTheSecondIsRefused)
{
    QByteArray rows = "TapeNr;Titel\r\n";
    for (int i = 1; i <= 30000; ++i)
        rows += QStringLiteral("%1;Film\r\n").arg(i, 7, 10, QLatin1Char('0')).toLatin1();
    const QString file = csv(rows);
    QProcess first;
    first.setWorkingDirectory(program.path());
    first.start(binary, {QStringLiteral("--import-csv"), file});
    ASSERT_TRUE(first.waitForStarted());
    while (first.state() == QProcess::Running && lockHolder(catalogue::FolderLock::lockFile(program.path())) != first.processId())
        QThread::usleep(200);
    ASSERT_EQ(::kill(pid_t(first.processId()), SIGSTOP), 0); // holds the lock while the second starts
    const auto second = run({QStringLiteral("--import-csv"), file});
    ::kill(pid_t(first.processId()), SIGCONT);
    ASSERT_TRUE(first.waitForFinished(120000));
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_TRUE(second.err.contains(QString::fromUtf8("Luk programmet først"))) << second.err.toStdString();
    EXPECT_EQ(import::tapesInCatalogue(program.dataDir()), 30000);
}

} // namespace
