#include "ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>

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

ProgramPaths ProgramPaths::fromApplication()
{
    return {withSeparator(QCoreApplication::applicationDirPath()), withSeparator(QDir::currentPath())};
}

ProgramPaths ProgramPaths::forFolder(const QString& folder)
{
    const QString dir = withSeparator(folder);
    return {dir, dir};
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
