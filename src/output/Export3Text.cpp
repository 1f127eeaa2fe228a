#include "Export3Text.h"
#include "core/SectionTexts.h"

#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/ProgramPaths.h"
#include "engine/Database.h"
#include "engine/Table.h"

#include <QDir>
#include <QFileInfo>

namespace output {

namespace {
QString cannotWrite(const QString& path, const core::AtomicFile& file)
{
    return core::sectionText("Catalogue", "CannotWrite", QStringLiteral("Filen \"%1\" kan ikke skrives. %2")).arg(path, file.errorString());
}
} // namespace

void TQExport3Text::ensureDirectory(const QString& directory) const
{
    if (!QDir(directory).exists())
        QDir().mkpath(directory);
    if (!QDir(directory).exists())
        throw core::EExportError(QStringLiteral("Directory \"%1\" not found and cannot be created").arg(directory));
}

QString TQExport3Text::refusalOf(const QFileInfo& target) const
{
    if (FileName.isEmpty())
        return QStringLiteral("Invalid file name");
    return DataSet ? tableFolderRefusal(target, *DataSet) : QString();
}

QString tableFolderRefusal(const QFileInfo& target, const engine::Table& table)
{
    // The table engine keeps the catalogue's files open, and no lock stops another writer here:
    // a file replaced or added in that folder (a table, a journal) would wreck the catalogue.
    // A link is written through: the folder of the file it leads to is the one written.
    const QString linked = target.isSymLink() ? target.canonicalFilePath() : QString();
    const QString folder = (linked.isEmpty() ? target : QFileInfo(linked)).absoluteDir().canonicalPath();
    if (!folder.isEmpty() && folder == QDir(table.database().dataDir()).canonicalPath())
        return core::sectionText("Catalogue", "HoldsTables", QStringLiteral("Mappen rummer katalogets tabeller"));
    return QString();
}

void TQExport3Text::BeginExport()
{
    const QFileInfo info(FileName);
    ensureDirectory(FileName.contains(QLatin1Char('/')) ? info.absolutePath() : core::programPaths().programDir);
    QString reason = refusalOf(info);
    if (reason.isEmpty()) {
        path_ = info.absoluteFilePath();
        file_ = std::make_unique<core::AtomicFile>(path_);
        if (file_->open(QIODevice::WriteOnly))
            return;
        reason = file_->errorString();
        file_.reset();
    }
    throw core::EExportError(QStringLiteral("Cannot create file \"%1\". %2").arg(info.absoluteFilePath(), reason));
}

void TQExport3Text::writeLine(const QByteArray& bytes)
{
    line_.resize(0); // keeps its room, unlike clear()
    line_.append(bytes).append("\r\n", 2);
    if (file_->write(line_) != line_.size())
        throw core::EInOutError(cannotWrite(path_, *file_));
}

void TQExport3Text::EndExport(bool succeeded)
{
    // Written beside the target and put in its place only once every line is on the disk, so
    // a failed run (a full disk, say) leaves the previous export as it was.
    const std::unique_ptr<core::AtomicFile> file = std::move(file_);
    if (!file || !succeeded || file->commit())
        return;
    throw core::EInOutError(cannotWrite(path_, *file));
}

void TQExport3Text::AfterExport()
{
    if (ShowFile)
        core::dialogs().shellOpen(FileName, false);
}

} // namespace output
