// The export and the report from the command line: no window, the program folder's Data.
#include "common/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

struct RunResult {
    int exitCode;
    QByteArray error;
};

RunResult runProgram(const QString& programFolder, const QString& workingDir, const QStringList& arguments)
{
    const QString binary = programFolder + QStringLiteral("/spolarkiv");
    QFile::remove(binary);
    QFile::copy(QStringLiteral(SPK_PROGRAM_BINARY), binary);
    QFile::setPermissions(binary, QFile::permissions(binary) | QFileDevice::ExeOwner);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingDir);
    process.start(binary, arguments);
    if (!process.waitForFinished(60000))
        return {-1, "timeout"};
    return {process.exitCode(), process.readAllStandardError()};
}

} // namespace

TEST(CommandLine, ExportWritesTheFileRelativeToTheCallersFolder)
{
    testing_support::TempProgramFolder folder;
    QTemporaryDir caller;
    const RunResult run = runProgram(folder.path(), caller.path(), {QStringLiteral("--export"), QStringLiteral("list.txt")});
    EXPECT_EQ(run.exitCode, 0) << run.error.constData();
    QFile file(caller.path() + QStringLiteral("/list.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("\"TapeNr\";\"Titel\""));
}

TEST(CommandLine, AFailureExitsWithTheMessage)
{
    testing_support::TempProgramFolder folder;
    QFile blocker(folder.file(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const RunResult run = runProgram(folder.path(), folder.path(), {QStringLiteral("--export"), folder.file(QStringLiteral("blocker/x/list.txt"))});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.error.contains("not found and cannot be created")) << run.error.constData();

    testing_support::TempProgramFolder noData(false);
    const RunResult missing = runProgram(noData.path(), noData.path(), {QStringLiteral("--export"), QStringLiteral("list.txt")});
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_TRUE(missing.error.contains("/Data")) << missing.error.constData();
}

TEST(CommandLine, NeitherOperationWritesIntoTheTableFolder)
{
    testing_support::TempProgramFolder folder;
    const QString table = folder.file(QStringLiteral("Data/Video.db"));
    const auto bytesOf = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    };
    const QByteArray before = bytesOf(table);
    for (const char* operation : {"--export", "--report-pdf"}) {
        const RunResult run = runProgram(folder.path(), folder.path(), {QString::fromLatin1(operation), QStringLiteral("Data/Video.db")});
        EXPECT_NE(run.exitCode, 0) << operation;
        EXPECT_TRUE(run.error.contains("The folder holds the catalogue's tables")) << operation << ": " << run.error.constData();
        EXPECT_EQ(bytesOf(table), before) << operation;
        EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("Data/list.pdf"))));
    }
}
