// Starts the real program twice on one program folder: the second copy ends at once and
// writes nothing.
#include "common/TempProgramFolder.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QByteArray fileHash(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1);
}

void startProgram(QProcess& process, const QString& folder)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(SPK_PROGRAM_BINARY), {});
}
} // namespace

TEST(SecondCopy, EndsAtOnceWithoutWritingTheConfiguration)
{
    testing_support::TempProgramFolder folder;
    QProcess first;
    startProgram(first, folder.path());
    ASSERT_TRUE(first.waitForStarted());
    QTest::qWait(1500);
    ASSERT_EQ(first.state(), QProcess::Running) << first.readAllStandardError().toStdString();
    const QByteArray before = fileHash(folder.dataDir() + QStringLiteral("/Config.DB"));

    QProcess second;
    startProgram(second, folder.path());
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(fileHash(folder.dataDir() + QStringLiteral("/Config.DB")), before);
    first.kill();
    first.waitForFinished();
}

TEST(CommandLine, VersionNeedsNoDisplay)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(SPK_PROGRAM_BINARY), {QStringLiteral("--version")});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardOutput().startsWith("spolarkiv 1."));
}
