#include "BackupRestore.h"

#include "FolderSwap.h"
#include "ImportError.h"
#include "ImportTexts.h"
#include "core/AtomicFile.h"
#include "core/UserFiles.h"
#include "data/CatalogueCheck.h"
#include "data/Schema.h"
#include "engine/TableCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace import {

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

[[noreturn]] void refuse(const QString& path, const QString& fault)
{
    throw EImportError(backupText("NotUsable", QStringLiteral("Sikkerhedskopien kan ikke bruges: \"%1\" %2"))
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
    throw EImportError(message);
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

} // namespace

void checkBackup(const QString& backupDir)
{
    const QFileInfo info(backupDir);
    if (!info.isDir())
        throw EImportError(importText("NoFolder", QStringLiteral("Mappen \"%1\" findes ikke.")).arg(native(backupDir)));
    const QDir backup(info.absoluteFilePath());
    for (const data::TableFile& file : data::catalogueFiles())
        checkTableFile(backup, file);
}

QString restoreBackup(const QString& backupDir, const QString& dataFolder)
{
    checkBackup(backupDir);
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

} // namespace import
