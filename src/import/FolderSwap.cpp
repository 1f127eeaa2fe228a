#include "FolderSwap.h"

#include "ImportError.h"
#include "ImportTexts.h"
#include "core/UserFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace import {

namespace {

QString reason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

[[noreturn]] void failMove(const QString& from, const QString& to)
{
    throw EImportError(importText("CannotMove", QStringLiteral("Mappen \"%1\" kan ikke flyttes til \"%2\": %3"))
                           .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to), reason()));
}

bool renamePath(const QString& from, const QString& to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool exchangePaths(const QString& a, const QString& b)
{
#ifdef RENAME_EXCHANGE
    return ::renameat2(AT_FDCWD, QFile::encodeName(a).constData(), AT_FDCWD, QFile::encodeName(b).constData(),
                       RENAME_EXCHANGE) == 0;
#else
    Q_UNUSED(a)
    Q_UNUSED(b)
    errno = ENOSYS;
    return false;
#endif
}

} // namespace

void swapInFolder(const QString& built, const QString& target, const QString& kept)
{
    const QString parent = QFileInfo(target).absolutePath();
    if (!QFileInfo::exists(target)) {
        if (!renamePath(built, target))
            failMove(built, target);
        core::syncFolder(parent);
        return;
    }
    if (exchangePaths(built, target)) {
        // built now holds the previous Data.
        if (!renamePath(built, kept))
            failMove(built, kept);
        core::syncFolder(parent);
        return;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        failMove(built, target);
    // A file system without the exchange: two renames, the second undone if it fails.
    if (!renamePath(target, kept))
        failMove(target, kept);
    if (!renamePath(built, target)) {
        const int saved = errno;
        renamePath(kept, target);
        errno = saved;
        failMove(built, target);
    }
    core::syncFolder(parent);
}

QString folderStamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
}

QString unusedName(const QString& base, const QString& suffix)
{
    QString name = base + suffix;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = QStringLiteral("%1-%2%3").arg(base).arg(n).arg(suffix);
    return name;
}

} // namespace import
