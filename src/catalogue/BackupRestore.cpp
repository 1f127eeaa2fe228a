#include "BackupRestore.h"

#include "CatalogueError.h"
#include "CatalogueTexts.h"
#include "FolderSwap.h"
#include "core/AtomicFile.h"
#include "core/UserFiles.h"
#include "data/CatalogueCheck.h"
#include "data/Schema.h"
#include "engine/TableCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace catalogue {

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

[[noreturn]] void refuse(const QString& path, const QString& fault)
{
    throw ECatalogueError(backupText("NotUsable", QStringLiteral("Sikkerhedskopien kan ikke bruges: \"%1\" %2"))
                           .arg(native(path), fault));
}

void checkTableFile(const QDir& backup, const data::TableFile& file)
{
    const QString path = backup.absoluteFilePath(file.fileName);
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isFile()))
        refuse(path, backupText("NotAFile", QStringLiteral("er ikke en almindelig fil.")));
    if (!info.exists())
        refuse(path, backupText("Missing", QStringLiteral("mangler.")));
    // A journal means the copy was cut off while written; SQLite would change the file to undo it.
    for (const char* suffix : {"-journal", "-wal"})
        if (QFileInfo::exists(path + QLatin1String(suffix)))
            refuse(path, backupText("Unfinished", QStringLiteral("blev ikke skrevet færdig (der ligger en journal ved siden af).")));
    const engine::TableFileCheck check = engine::inspectTableFile(path, QFileInfo(file.fileName).completeBaseName());
    if (!check.problem.isEmpty())
        refuse(path, backupText("Damaged", QStringLiteral("er beskadiget: %1")).arg(check.problem));
    // A backup of an older schema version restores as it is; the next opening upgrades it.
    data::refuseNewerFile(path, check.version);
    const QStringList missing = data::missingFields(file, check.columns, check.version);
    if (!missing.isEmpty())
        refuse(path, backupText("WrongTable", QStringLiteral("er ikke en tabel fra dette katalog; den mangler felterne %1."))
                         .arg(missing.join(QStringLiteral(", "))));
}

[[noreturn]] void failCopy(const QString& target, const QString& reason)
{
    QString message = backupText("CannotCopy", QStringLiteral("Sikkerhedskopien kan ikke kopieres til \"%1\".")).arg(native(target));
    if (!reason.isEmpty())
        message += QLatin1Char(' ') + reason;
    throw ECatalogueError(message);
}

// Each copy is on the disk, whole, before the folder takes Data's place.
void copyTableFiles(const QString& backupDir, const QString& target)
{
    if (!QDir().mkpath(target))
        failCopy(target, QString());
    for (const QString& name : data::catalogueFileNames()) {
        const QString to = QDir(target).absoluteFilePath(name);
        QFile from(QDir(backupDir).absoluteFilePath(name));
        core::AtomicFile copy(to);
        if (!from.open(QIODevice::ReadOnly))
            failCopy(to, from.errorString());
        if (!copy.open(QIODevice::WriteOnly))
            failCopy(to, copy.errorString());
        while (!from.atEnd()) {
            const QByteArray block = from.read(1 << 20);
            if (block.isEmpty())
                failCopy(to, from.errorString());
            copy.write(block);
        }
        if (!copy.commit())
            failCopy(to, copy.errorString());
    }
    core::syncFolder(target);
}

// A restore killed while copying left its copy; nothing else is named so, and the program
// folder's lock keeps a running restore from being here at once.
void removeUnfinishedCopies(const QString& dataFolder)
{
    if (swapPending(dataFolder))
        return;
    const QFileInfo data(QDir::cleanPath(dataFolder));
    const QString pattern = data.fileName() + QStringLiteral("-restore-*");
    for (const QFileInfo& entry : data.absoluteDir().entryInfoList({pattern}, QDir::Dirs | QDir::Hidden))
        if (!entry.isSymLink())
            QDir(entry.absoluteFilePath()).removeRecursively();
}

} // namespace

void checkBackup(const QString& backupDir)
{
    const QFileInfo info(backupDir);
    if (!info.isDir())
        throw ECatalogueError(importText("NoFolder", QStringLiteral("Mappen \"%1\" findes ikke.")).arg(native(backupDir)));
    const QDir backup(info.absoluteFilePath());
    for (const data::TableFile& file : data::catalogueFiles())
        checkTableFile(backup, file);
}

QString restoreBackup(const QString& backupDir, const QString& dataFolder)
{
    checkBackup(backupDir);
    removeUnfinishedCopies(dataFolder);
    const QString stamp = folderStamp();
    const QString built = unusedName(dataFolder + QStringLiteral("-restore-") + stamp);
    try {
        copyTableFiles(backupDir, built);
    } catch (...) {
        QDir(built).removeRecursively();
        throw;
    }
    const bool hadData = QFileInfo::exists(dataFolder);
    const QString kept = unusedName(dataFolder + QStringLiteral("-before-restore-") + stamp);
    // After a failed swap built may hold the previous Data: it is left where it is.
    swapInFolder(built, dataFolder, kept);
    return hadData ? kept : QString();
}

} // namespace catalogue
