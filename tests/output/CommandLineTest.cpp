// The export and the report from the command line: no window, the program folder's Data.
#include "common/FolderSnapshot.h"
#include "common/ProgramRun.h"
#include "common/TempProgramFolder.h"
#include "common/TestCatalogue.h"
#include "common/TinyDisk.h"
#include "output/OutputFormats.h"
#include "core/LeftOvers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

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
    EXPECT_TRUE(run.error.contains("findes ikke")) << run.error.constData();

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
        EXPECT_TRUE(run.error.contains("Mappen rummer katalogets tabeller")) << operation << ": " << run.error.constData();
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
    EXPECT_TRUE(run.error.contains(QStringLiteral("Mappen \"%1\" findes ikke").arg(folder.file(QStringLiteral("ny/mappe"))).toLocal8Bit()))
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
    EXPECT_TRUE(QString::fromLocal8Bit(run.error).contains(QString::fromUtf8("Der er ikke mere plads på disken")))
        << operation << ": " << run.error.constData();
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
        // The export's own words, as its component gives them; the list's in the catalogue's language.
        EXPECT_TRUE(run.error.contains("Cannot create file") || run.error.contains("kan ikke oprettes. Det er ikke en almindelig fil"))
            << operation << ": " << run.error.constData();
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

namespace {
// A file or folder as a run left it an hour ago.
void leaveOld(const QString& path, bool folder)
{
    if (folder)
        QDir().mkpath(path);
    else
        QFile(path).open(QIODevice::WriteOnly);
    const time_t anHourAgo = time(nullptr) - 3600;
    const utimbuf times{anHourAgo, anHourAgo};
    ASSERT_EQ(::utime(QFile::encodeName(path).constData(), &times), 0);
}
} // namespace

// Killed runs leave partial outputs beside their target, and a read of an older catalogue its
// upgraded copy in the temporary folder: the next run of the same kind clears what is its own
// and gone, never a user's file, a young one or one a running writer holds.
TEST(CommandLine, ARunClearsWhatKilledRunsOfItsKindLeftAndNothingElse)
{
    testing_support::TempProgramFolder folder;
    addTapes(folder, 2);
    testing_support::execOnDatabase(folder.file(QStringLiteral("Data/Udlaan.db")), "PRAGMA user_version = 3");
    QTemporaryDir caller, temp;
    const QByteArray tmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    const struct {
        const char* option;
        QString target;
        QString leftOver;
        bool folder;
    } cases[] = {
        {"--report-pdf", caller.filePath(QStringLiteral("l.pdf")), caller.filePath(QStringLiteral(".l.pdf.0123abcd")), false},
        {"--labels", caller.filePath(QStringLiteral("e.pdf")), caller.filePath(QStringLiteral(".e.pdf.89abcdef")), false},
        {"--html", caller.filePath(QStringLiteral("web")), caller.filePath(QStringLiteral(".web-Ab12Cd")), true},
        {"--export", caller.filePath(QStringLiteral("t.txt")), temp.filePath(QStringLiteral("spolarkiv-upgraded-Xy12Zw")), true},
    };
    for (const auto& c : cases) {
        const QString base = c.leftOver.left(c.leftOver.size() - 6);
        const QString users = base + QStringLiteral("kept!!"), held = base + QStringLiteral("dddddd"), young = base + QStringLiteral("eeeeee");
        leaveOld(c.leftOver, c.folder);
        leaveOld(users, c.folder);
        leaveOld(held, c.folder);
        if (c.folder)
            QDir().mkpath(young);
        else
            QFile(young).open(QIODevice::WriteOnly);
        core::WriterLock running;
        ASSERT_TRUE(running.lock(held));
        const RunResult run = runProgram(folder.path(), folder.path(), {QString::fromLatin1(c.option), c.target});
        EXPECT_EQ(run.exitCode, 0) << c.option << run.error.constData();
        EXPECT_FALSE(QFileInfo::exists(c.leftOver)) << c.option;
        for (const QString& kept : {users, held, young})
            EXPECT_TRUE(QFileInfo::exists(kept)) << c.option << " " << kept.toStdString();
    }
    qputenv("TMPDIR", tmpdir);
}

TEST(CommandLine, FindNamesAFieldTheTapesDoNotHave)
{
    testing_support::TempProgramFolder folder;
    addTapes(folder, 1);
    const RunResult run =
        runProgram(folder.path(), folder.path(), {QStringLiteral("--find"), QStringLiteral("x"), QStringLiteral("--field"), QStringLiteral("Nope")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(QString::fromLocal8Bit(run.error).contains(QString::fromUtf8("Båndene har intet felt \"Nope\"; felterne er TapeNr, Titel, ")))
        << run.error.constData();
}

// Under LANG=C (as ctest runs) the system has no date form of its own: the catalogue's language gives it.
TEST(CommandLine, UnderTheCLocaleTheExportWritesDatesInTheLanguagesForm)
{
    ASSERT_EQ(QLocale::system().language(), QLocale::C);
    testing_support::TempProgramFolder folder;
    {
        data::TDM dm(folder.dataDir());
        dm.OpenTables();
        testing_support::addTape(dm, QStringLiteral("0001-00"), QStringLiteral("Film"), {{"OptagetDato", QStringLiteral("2012-03-12")}});
    }
    const RunResult run = runProgram(folder.path(), folder.path(), {QStringLiteral("--export"), QStringLiteral("t.txt")});
    ASSERT_EQ(run.exitCode, 0) << run.error.constData();
    const QByteArray written = bytesOf(folder.file(QStringLiteral("t.txt")));
    EXPECT_TRUE(written.contains(QLocale(QLocale::Danish).toString(QDate(2012, 3, 12), QLocale::ShortFormat).toLatin1()))
        << written.constData();
    EXPECT_FALSE(written.contains("Mar")) << written.constData();
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
