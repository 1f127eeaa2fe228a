#include "Export3Text.h"

#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/ProgramPaths.h"

#include <QDir>
#include <QFileInfo>

namespace output {

void TQExport3Text::BeginExport()
{
    const QFileInfo info(FileName);
    const QString directory = FileName.contains(QLatin1Char('/')) ? info.absolutePath() : core::programPaths().programDir;
    if (!QDir(directory).exists() && !QDir().mkpath(directory))
        throw core::EExportError(QStringLiteral("Directory \"%1\" not found and cannot be created").arg(directory));
    if (!QDir(directory).exists())
        throw core::EExportError(QStringLiteral("Directory \"%1\" not found and cannot be created").arg(directory));
    file_.setFileName(info.absoluteFilePath());
    if (FileName.isEmpty() || info.isDir() || !file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw core::EExportError(QStringLiteral("Cannot create file \"%1\". %2")
                                     .arg(info.absoluteFilePath(), FileName.isEmpty() || info.isDir()
                                                                       ? QStringLiteral("Invalid file name")
                                                                       : file_.errorString()));
}

void TQExport3Text::writeLine(const QByteArray& bytes)
{
    static const QByteArray kLineEnd = QByteArrayLiteral("\r\n");
    if (file_.write(bytes) != bytes.size() || file_.write(kLineEnd) != kLineEnd.size())
        throw core::EInOutError(QStringLiteral("Cannot write file \"%1\". %2").arg(file_.fileName(), file_.errorString()));
}

void TQExport3Text::EndExport(bool)
{
    file_.close();
}

void TQExport3Text::AfterExport()
{
    if (ShowFile)
        core::dialogs().shellOpen(FileName, false);
}

} // namespace output
