// The export and the report from the command line: no window, the program folder's Data.
#include "common/FolderSnapshot.h"
#include "common/TempProgramFolder.h"
#include "common/TestCatalogue.h"
#include "common/TinyDisk.h"
#include "output/OutputFormats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct RunResult {
    int exitCode;
    QByteArray error;
    QByteArray output = {};
};

RunResult runProgram(const QString& programFolder, const QString& workingDir, const QStringList& arguments,
                     const QStringList& unset = {})
{
    const QString binary = programFolder + QStringLiteral("/spolarkiv");
    QFile::remove(binary);
    QFile::copy(QStringLiteral(SPK_PROGRAM_BINARY), binary);
    QFile::setPermissions(binary, QFile::permissions(binary) | QFileDevice::ExeOwner);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    for (const QString& name : unset)
        env.remove(name);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingDir);
    process.start(binary, arguments);
    if (!process.waitForFinished(60000))
        return {-1, "timeout"};
    return {process.exitCode(), process.readAllStandardError(), process.readAllStandardOutput()};
}

using testing_support::bytesOf;

// A program folder whose catalogue holds a few tapes.
void addTapes(const testing_support::TempProgramFolder& folder, int count)
{
    data::TDM dm(folder.dataDir());
    dm.OpenTables();
    for (int i = 1; i <= count; ++i)
        testing_support::addTape(dm, QStringLiteral("%1-00").arg(i, 4, 10, QLatin1Char('0')), QStringLiteral("Film %1").arg(i));
}

const char* const kOperations[] = {"--export", "--report-pdf"};

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
    EXPECT_TRUE(run.error.contains("not found")) << run.error.constData();

    testing_support::TempProgramFolder noData(false);
    const RunResult missing = runProgram(noData.path(), noData.path(), {QStringLiteral("--export"), QStringLiteral("list.txt")});
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_TRUE(missing.error.contains("/Data")) << missing.error.constData();
}

TEST(CommandLine, NeitherOperationWritesIntoTheTableFolder)
{
    testing_support::TempProgramFolder folder;
    const QString table = folder.file(QStringLiteral("Data/Video.db"));
    const QByteArray before = bytesOf(table);
    ASSERT_TRUE(QFile::link(table, folder.file(QStringLiteral("list.txt"))));
    for (const auto& [operation, target] : {std::pair{"--export", "Data/Video.db"}, std::pair{"--report-pdf", "Data/Video.db"},
                                            std::pair{"--export", "list.txt"}, std::pair{"--report-pdf", "list.txt"}}) {
        const RunResult run = runProgram(folder.path(), folder.path(), {QString::fromLatin1(operation), QString::fromLatin1(target)});
        EXPECT_NE(run.exitCode, 0) << operation << " " << target;
        EXPECT_TRUE(run.error.contains("The folder holds the catalogue's tables")) << operation << ": " << run.error.constData();
        EXPECT_EQ(bytesOf(table), before) << operation << " " << target;
        EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("Data/list.pdf"))));
    }
}

// The command line never makes folders: a mistyped path is an error, not a new tree.
TEST(CommandLine, ExportIntoAMissingFolderIsRefused)
{
    testing_support::TempProgramFolder folder;
    const RunResult run = runProgram(folder.path(), folder.path(), {QStringLiteral("--export"), QStringLiteral("ny/mappe/list.txt")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.error.contains(QStringLiteral("Directory \"%1\" not found").arg(folder.file(QStringLiteral("ny/mappe"))).toLocal8Bit()))
        << run.error.constData();
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("ny"))));
}

// A new user's first list from a shell without a runtime folder (cron, su): headings, no Qt notice.
TEST(CommandLine, AnEmptyCatalogueGivesTheListsHeadingsQuietly)
{
    testing_support::TempProgramFolder folder;
    const RunResult run = runProgram(folder.path(), folder.path(), {QStringLiteral("--report-pdf"), QStringLiteral("list.pdf")},
                                     {QStringLiteral("XDG_RUNTIME_DIR")});
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), folder.file(QStringLiteral("list.pdf")), QStringLiteral("-")});
    text.waitForFinished();
    const QString shown = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    EXPECT_EQ(QStringLiteral("%1|%2|%3").arg(run.exitCode).arg(QString::fromLocal8Bit(run.error), shown),
              QString::fromUtf8("0||Spolarkiv Båndnr. Titel Kategori Start Slut Varighed Optaget Optaget af Type Bånd i alt: 0 Side 1"));
}

class CommandLineFullDisk : public ::testing::TestWithParam<const char*> {};

TEST_P(CommandLineFullDisk, FailsTheOperationAndKeepsTheOldFile)
{
    testing_support::TinyDisk disk(256);
    if (!disk.mounted())
        GTEST_SKIP() << "no small disk can be mounted here";
    testing_support::TempProgramFolder folder;
    addTapes(folder, 3);
    const char* operation = GetParam();
    const QString target = disk.file(QStringLiteral("out") + QString::fromLatin1(operation));
    const QStringList arguments{QString::fromLatin1(operation), target};
    ASSERT_EQ(runProgram(folder.path(), folder.path(), arguments).exitCode, 0) << operation;
    const QByteArray before = bytesOf(target);
    disk.fill();
    const RunResult run = runProgram(folder.path(), folder.path(), arguments);
    disk.release();
    EXPECT_NE(run.exitCode, 0) << operation;
    EXPECT_TRUE(run.error.contains("No space left on device")) << operation << ": " << run.error.constData();
    EXPECT_EQ(bytesOf(target), before) << operation;
    EXPECT_EQ(QDir(disk.file(QString())).entryList(QDir::Files | QDir::Hidden), QStringList(QFileInfo(target).fileName()));
}

// Named by the operation without its dashes: export, report_pdf.
INSTANTIATE_TEST_SUITE_P(Operations, CommandLineFullDisk, ::testing::ValuesIn(kOperations), [](const auto& info) {
    std::string name = std::string(info.param).substr(2);
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

// Run as root, a rename over the target would replace even a device node.
TEST(CommandLine, ATargetThatIsNoRegularFileIsRefusedAndLeftAsItIs)
{
    testing_support::TempProgramFolder folder;
    addTapes(folder, 2);
    const QString fifo = folder.file(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    for (const char* operation : kOperations) {
        const RunResult run = runProgram(folder.path(), folder.path(), {QString::fromLatin1(operation), fifo});
        EXPECT_NE(run.exitCode, 0) << operation;
        EXPECT_TRUE(run.error.contains("Cannot create file")) << operation << ": " << run.error.constData();
        struct stat info {};
        ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &info), 0);
        EXPECT_TRUE(S_ISFIFO(info.st_mode)) << operation;
    }
}

TEST(CommandLine, HtmlWritesTheWebCatalogueInTheCataloguesLanguage)
{
    testing_support::TempProgramFolder folder;
    addTapes(folder, 3);
    {
        data::TDM dm(folder.dataDir());
        dm.OpenTables();
        dm.storeConfig({{QStringLiteral("Sprog"), 0}});
    }
    QTemporaryDir caller;
    const RunResult run = runProgram(folder.path(), folder.path(), {QStringLiteral("--html"), caller.filePath(QStringLiteral("web"))});
    ASSERT_EQ(run.exitCode, 0) << run.error.constData();
    const QByteArray page = bytesOf(caller.filePath(QStringLiteral("web/index.html")));
    EXPECT_TRUE(page.contains("<html lang=\"en\">") && page.contains("\"Film 3\"")) << page.left(300).constData();
}

TEST(CommandLine, HelpListsEveryOutputFormat)
{
    testing_support::TempProgramFolder folder;
    const RunResult run = runProgram(folder.path(), folder.path(), {QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    for (const output::OutputFormat& format : output::outputFormats())
        EXPECT_TRUE(run.output.contains(QByteArray(format.option) + ' ' + format.argument + ' ')) << format.option;
}

TEST(CommandLine, AnUnknownOptionPrintsTheUsageAndWritesNothing)
{
    testing_support::TempProgramFolder folder;
    const RunResult run = runProgram(folder.path(), folder.path(), {QStringLiteral("--exprot"), QStringLiteral("a.txt")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.error.startsWith("spolarkiv: unknown option --exprot\nusage: spolarkiv")) << run.error.constData();
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("a.txt"))));
}
