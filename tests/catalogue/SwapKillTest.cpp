// The swap of a whole Data killed at each of its steps: strace kills the program on the Nth
// call of one system call (the note is written with a rename, the folders are exchanged with
// renameat2, the previous one moved aside with renameat, the note removed with unlink).
// Whatever the step, the previous catalogue lies in a folder the next command names.
#include "common/ProgramRun.h"
#include "common/TempProgramFolder.h"
#include "import/CatalogueImport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Kill {
    const char* command; ///< "import" or "restore"
    const char* syscall;
    int when;
    bool onTheNote = false; ///< count only the calls on Data.swap
};

class SwapKilled : public ::testing::TestWithParam<Kill> {};

QString writeCsv(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return file.fileName();
}

TEST_P(SwapKilled, ThePreviousCatalogueLiesInDataOrWhereTheNextCommandSays)
{
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty())
        GTEST_SKIP() << "strace is not installed";
    const Kill kill = GetParam();
    testing_support::TempProgramFolder program;
    QTemporaryDir sources;
    const QString binary = testing_support::copyProgramInto(program.path(), QString::fromLocal8Bit(SPK_PROGRAM_BINARY));
    const auto run = [&](const QStringList& arguments) { return testing_support::runProgram(binary, program.path(), arguments); };
    ASSERT_EQ(run({QStringLiteral("--backup"), sources.filePath(QStringLiteral("backups"))}).exitCode, 0);
    const QString backup = QDir(sources.filePath(QStringLiteral("backups"))).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot).first().absoluteFilePath();
    ASSERT_EQ(run({QStringLiteral("--import-csv"), writeCsv(sources, QStringLiteral("a.csv"), "TapeNr;Titel\r\n0001-00;A\r\n0002-00;B\r\n")}).exitCode, 0);
    // The previous catalogue is the one with two tapes; the others have one or none.

    const QStringList replacing = QLatin1String(kill.command) == QLatin1String("restore")
        ? QStringList{QStringLiteral("--restore"), backup}
        : QStringList{QStringLiteral("--import-csv"), writeCsv(sources, QStringLiteral("b.csv"), "TapeNr\r\n0009-00\r\n"), QStringLiteral("--replace")};
    QProcess killed;
    killed.setWorkingDirectory(program.path());
    QStringList options{QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("-e"),
                        QStringLiteral("inject=%1:signal=SIGKILL:when=%2").arg(QLatin1String(kill.syscall)).arg(kill.when)};
    if (kill.onTheNote)
        options << QStringLiteral("-P") << program.file(QStringLiteral("Data.swap"));
    killed.start(strace, options + QStringList{binary} + replacing);
    ASSERT_TRUE(killed.waitForFinished(60000));
    ASSERT_EQ(killed.exitStatus(), QProcess::CrashExit) << "not killed: " << killed.readAllStandardError().toStdString();

    // The next command: an import that replaces Data again and names where each catalogue went.
    const auto next = run({QStringLiteral("--import-csv"), writeCsv(sources, QStringLiteral("c.csv"), "TapeNr\r\n0007-00\r\n"), QStringLiteral("--replace")});
    QStringList named;
    const QRegularExpression path(QRegularExpression::escape(program.path()) + QStringLiteral("/[^\\s\"]+"));
    for (const QRegularExpressionMatch& m : path.globalMatch(next.out))
        named << m.captured(0);
    const bool found = std::any_of(named.cbegin(), named.cend(), [](const QString& folder) { return import::tapesInCatalogue(folder) == 2; });
    EXPECT_TRUE(found) << next.out.toStdString() << next.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Steps, SwapKilled,
                         ::testing::Values(Kill{"import", "rename", 1}, Kill{"import", "renameat2", 1},
                                           Kill{"import", "renameat", 1}, Kill{"import", "unlink", 1, true},
                                           Kill{"restore", "rename", 10}, Kill{"restore", "renameat2", 1},
                                           Kill{"restore", "renameat", 1}, Kill{"restore", "unlink", 1, true}),
                         [](const ::testing::TestParamInfo<Kill>& info) {
                             return std::string(info.param.command) + "_" + info.param.syscall + "_" + std::to_string(info.param.when);
                         });

} // namespace
