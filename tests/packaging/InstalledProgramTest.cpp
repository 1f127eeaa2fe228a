// The program installed into a prefix keeps each user's catalogue in their own program folder.
#include "common/FolderSnapshot.h"
#include "common/TestCatalogue.h"
#include "core/ProgramPaths.h"
#include "data/DM.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const QStringList kTables = {"Config.DB", "Instruktor.db", "Kategori.db", "Medvirker.db", "Optagetaf.db",
                             "Skuespiller.DB", "Type.db", "Udlaan.db", "Video.db"};

// One installation for all tests: installing is the slow part.
const QString& installedPrefix()
{
    static QTemporaryDir prefix;
    static const bool installed = [] {
        QProcess install;
        install.start(QStringLiteral(SPK_CMAKE_COMMAND),
                      {QStringLiteral("--install"), QStringLiteral(SPK_BUILD_DIR), QStringLiteral("--prefix"), prefix.path()});
        return install.waitForFinished(120000) && install.exitCode() == 0;
    }();
    static const QString path = installed ? prefix.path() : QString();
    return path;
}

struct RunResult {
    int exitCode;
    QByteArray error;
};

RunResult runInstalled(const QString& home, const QString& caller, const QStringList& arguments,
                       const QString& spolarkivHome = QString())
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("SPOLARKIV_HOME"));
    env.insert(QStringLiteral("HOME"), home);
    if (!spolarkivHome.isEmpty())
        env.insert(QStringLiteral("SPOLARKIV_HOME"), spolarkivHome);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(caller);
    process.start(installedPrefix() + QStringLiteral("/bin/spolarkiv"), arguments);
    if (!process.waitForFinished(60000))
        return {-1, "timeout"};
    return {process.exitCode(), process.readAllStandardError()};
}

using testing_support::bytesOf;

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

class InstalledProgram : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(installedPrefix().isEmpty()) << "cmake --install failed"; }
    QTemporaryDir home_;
    QTemporaryDir caller_;
};

} // namespace

TEST_F(InstalledProgram, TheFirstStartMakesTheProgramFolderInHome)
{
    const RunResult run = runInstalled(home_.path(), caller_.path(), {QStringLiteral("--export"), QStringLiteral("list.txt")});
    ASSERT_EQ(run.exitCode, 0) << run.error.constData();
    const QString folder = home_.path() + QStringLiteral("/Spolarkiv");
    QStringList tables = entries(folder + QStringLiteral("/Data"));
    QStringList expected = kTables;
    expected.sort(Qt::CaseInsensitive);
    tables.sort(Qt::CaseInsensitive);
    EXPECT_EQ(tables, expected);
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/Billeder")).isDir());
    EXPECT_TRUE(bytesOf(caller_.path() + QStringLiteral("/list.txt")).startsWith("\"TapeNr\";\"Titel\""));
}

TEST_F(InstalledProgram, ASecondStartKeepsTheTables)
{
    ASSERT_EQ(runInstalled(home_.path(), caller_.path(), {QStringLiteral("--export"), QStringLiteral("a.txt")}).exitCode, 0);
    const QString data = home_.path() + QStringLiteral("/Spolarkiv/Data");
    {
        data::TDM dm(data);
        dm.OpenTables();
        testing_support::addTape(dm, QStringLiteral("0001-00"), QStringLiteral("Kept Film"));
    }
    const QByteArray video = bytesOf(data + QStringLiteral("/Video.db"));
    const RunResult second = runInstalled(home_.path(), caller_.path(), {QStringLiteral("--export"), QStringLiteral("b.txt")});
    ASSERT_EQ(second.exitCode, 0) << second.error.constData();
    EXPECT_TRUE(bytesOf(caller_.path() + QStringLiteral("/b.txt")).contains("Kept Film"));
    EXPECT_EQ(bytesOf(data + QStringLiteral("/Video.db")), video);
}

TEST_F(InstalledProgram, SpolarkivHomeMovesTheFolder)
{
    const QString elsewhere = caller_.path() + QStringLiteral("/films/catalogue");
    const RunResult run = runInstalled(home_.path(), caller_.path(), {QStringLiteral("--export"), QStringLiteral("list.txt")}, elsewhere);
    ASSERT_EQ(run.exitCode, 0) << run.error.constData();
    EXPECT_EQ(entries(elsewhere + QStringLiteral("/Data")).size(), kTables.size());
    EXPECT_TRUE(entries(home_.path()).isEmpty());
}

TEST_F(InstalledProgram, AFolderThatCannotBeMadeGivesTheMessageAndNothing)
{
    // A file where the home folder should be stops even root.
    const QString blocked = home_.path() + QStringLiteral("/home");
    QFile blocker(blocked);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const RunResult run = runInstalled(blocked, caller_.path(), {QStringLiteral("--export"), QStringLiteral("list.txt")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.error.contains("SPOLARKIV_HOME")) << run.error.constData();
    EXPECT_TRUE(run.error.contains(QFile::encodeName(blocked))) << run.error.constData();
    EXPECT_EQ(entries(home_.path()), QStringList{QStringLiteral("home")});
    EXPECT_TRUE(entries(caller_.path()).isEmpty());
}

TEST_F(InstalledProgram, AnUnwritableHomeGivesTheMessageAndNothing)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into any folder";
    ASSERT_TRUE(QFile::setPermissions(home_.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const RunResult run = runInstalled(home_.path(), caller_.path(), {QStringLiteral("--export"), QStringLiteral("list.txt")});
    QFile::setPermissions(home_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.error.contains("SPOLARKIV_HOME")) << run.error.constData();
    EXPECT_TRUE(entries(home_.path()).isEmpty());
}

TEST(ProgramPathsShared, ShippedFilesComeFromTheProgramFolderWhenThere)
{
    QTemporaryDir own;
    QTemporaryDir shared;
    core::ProgramPaths paths = core::ProgramPaths::forFolder(own.path());
    paths.sharedDir = shared.path() + QLatin1Char('/');
    EXPECT_EQ(paths.shippedFile(QStringLiteral("Billeder/Ingen.jpg")), paths.sharedDir + QStringLiteral("Billeder/Ingen.jpg"));
    EXPECT_EQ(paths.languageFolder(), paths.sharedDir);
    EXPECT_EQ(paths.languageFile(QStringLiteral("Norsk.lng")), paths.sharedDir + QStringLiteral("Norsk.lng"));
    QDir(own.path()).mkpath(QStringLiteral("Billeder"));
    for (const char* name : {"Billeder/Ingen.jpg", "English.lng", "Norsk.lng"}) {
        QFile file(own.path() + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(paths.shippedFile(QStringLiteral("Billeder/Ingen.jpg")), paths.programDir + QStringLiteral("Billeder/Ingen.jpg"));
    EXPECT_EQ(paths.languageFolder(), paths.workingDir);
    EXPECT_EQ(paths.languageFile(QStringLiteral("Norsk.lng")), paths.workingDir + QStringLiteral("Norsk.lng"));
}
