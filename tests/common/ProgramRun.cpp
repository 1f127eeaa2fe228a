#include "ProgramRun.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace testing_support {

ProgramRun runProgram(const QString& binary, const QString& workingDir, const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(workingDir);
    process.start(binary, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

QString copyProgramInto(const QString& folder, const QString& builtBinary)
{
    const QString binary = folder + QStringLiteral("/spolarkiv");
    QFile::remove(binary);
    QFile::copy(builtBinary, binary);
    QFile::setPermissions(binary, QFile::ExeOwner | QFile::ReadOwner | QFile::WriteOwner);
    return binary;
}

void overwriteFile(const QString& path, const QByteArray& bytes)
{
    QFile::remove(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void replaceWithDatabase(const QString& path, const char* sql)
{
    QFile::remove(path);
    execOnDatabase(path, sql);
}

void execOnDatabase(const QString& path, const QByteArray& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

} // namespace testing_support
