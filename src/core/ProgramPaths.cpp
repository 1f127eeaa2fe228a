#include "ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace core {

namespace {
QString withSeparator(const QString& dir)
{
    QString d = QDir::cleanPath(QDir(dir).absolutePath());
    if (!d.endsWith(QLatin1Char('/')))
        d += QLatin1Char('/');
    return d;
}

ProgramPaths& current()
{
    static ProgramPaths paths;
    return paths;
}
} // namespace

QString ProgramPaths::languageFile(const QString& name) const
{
    if (sharedDir.isEmpty() || QFileInfo::exists(workingDir + name))
        return workingDir + name;
    return sharedDir + name;
}

QString ProgramPaths::languageFolder() const
{
    // The language files come as a set; the first of the language list stands for all.
    if (sharedDir.isEmpty() || QFileInfo::exists(workingDir + QStringLiteral(SPK_FIRST_LANGUAGE_FILE)))
        return workingDir;
    return sharedDir;
}

QString ProgramPaths::shippedFile(const QString& relative) const
{
    if (sharedDir.isEmpty() || QFileInfo::exists(programDir + relative))
        return programDir + relative;
    return sharedDir + relative;
}

ProgramPaths ProgramPaths::fromApplication()
{
    return {withSeparator(QCoreApplication::applicationDirPath()), withSeparator(QDir::currentPath()), QString()};
}

ProgramPaths ProgramPaths::forFolder(const QString& folder)
{
    const QString dir = withSeparator(folder);
    return {dir, dir, QString()};
}

const ProgramPaths& programPaths()
{
    return current();
}

void setProgramPaths(const ProgramPaths& paths)
{
    current() = paths;
}

} // namespace core
