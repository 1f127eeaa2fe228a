#pragma once
// The program run as a user runs it from a shell, and the ways tests damage its files.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace testing_support {

struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};

/// Runs binary in workingDir with the arguments and waits for it (a minute at most).
ProgramRun runProgram(const QString& binary, const QString& workingDir, const QStringList& arguments);

/// Puts a copy of the built program into folder and returns its path: the program finds
/// its files beside itself.
QString copyProgramInto(const QString& folder, const QString& builtBinary);

/// Replaces the file at path by one holding bytes.
void overwriteFile(const QString& path, const QByteArray& bytes);

/// Replaces the file at path by an SQLite database made by the statements (sql).
void replaceWithDatabase(const QString& path, const char* sql);

/// Runs the statements (sql) on the SQLite database at path.
void execOnDatabase(const QString& path, const QByteArray& sql);

} // namespace testing_support
