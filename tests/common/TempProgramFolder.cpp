#include "TempProgramFolder.h"

#include "core/ProgramPaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <stdexcept>

namespace testing_support {

QString builtProgramDir()
{
    return QString::fromLocal8Bit(qgetenv("SPK_PROGRAM_DIR"));
}

QString sourceDir()
{
    return QString::fromLocal8Bit(qgetenv("SPK_SOURCE_DIR"));
}

namespace {
void copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString rel = QDir(from).relativeFilePath(src);
        if (rel.startsWith(QLatin1String("Data")) || rel == QLatin1String("spolarkiv"))
            continue;
        if (it.fileInfo().isDir())
            QDir().mkpath(to + QLatin1Char('/') + rel);
        else
            QFile::copy(src, to + QLatin1Char('/') + rel);
    }
}
} // namespace

TempProgramFolder::TempProgramFolder(bool withData)
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    path_ = dir_.path();
    const QString built = builtProgramDir();
    if (!built.isEmpty() && QFileInfo(built).isDir())
        copyTree(built, path_);
    if (withData) {
        const QString tool = built + QStringLiteral("/../tools/spolarkiv-mkdata");
        const int rc = QProcess::execute(tool, {path_ + QStringLiteral("/Data")});
        if (rc != 0)
            throw std::runtime_error("the data tool failed");
    }
}

void TempProgramFolder::install() const
{
    core::setProgramPaths(core::ProgramPaths::forFolder(path_));
}

} // namespace testing_support
