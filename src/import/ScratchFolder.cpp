#include "ScratchFolder.h"

#include "ImportError.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace import {

namespace {

const QLatin1String kPrefix("spolarkiv-dry-run-");
// A folder younger than this may belong to a dry run that has not taken its lock yet.
constexpr qint64 kYoungestAbandonedSeconds = 60;

QString scratchTemplate()
{
    return QDir::tempPath() + QLatin1Char('/') + kPrefix + QStringLiteral("XXXXXX");
}

} // namespace

ScratchFolder::ScratchFolder() : dir_((removeAbandoned(), scratchTemplate())), lock_(dir_.path())
{
    if (!dir_.isValid())
        throw EImportError(dir_.errorString());
    lock_.tryLock();
}

void ScratchFolder::removeAbandoned()
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDir temp(QDir::tempPath());
    for (const QFileInfo& entry : temp.entryInfoList({kPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden)) {
        if (entry.isSymLink() || entry.lastModified().secsTo(now) < kYoungestAbandonedSeconds)
            continue;
        catalogue::FolderLock lock(entry.absoluteFilePath());
        if (lock.tryLock())
            QDir(entry.absoluteFilePath()).removeRecursively();
    }
}

} // namespace import
