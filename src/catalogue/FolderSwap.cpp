#include "FolderSwap.h"

#include "CatalogueError.h"
#include "CatalogueTexts.h"
#include "core/AtomicFile.h"
#include "core/UserFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace catalogue {

namespace {

QString reason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

[[noreturn]] void failMove(const QString& from, const QString& to)
{
    throw ECatalogueError(importText("CannotMove", QStringLiteral("Mappen \"%1\" kan ikke flyttes til \"%2\": %3"))
                              .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to), reason()));
}

// Every move of the swap is one renameat2 call, so a test can stop the process at each one.
bool renamePath(const QString& from, const QString& to, unsigned flags = 0)
{
    return ::renameat2(AT_FDCWD, QFile::encodeName(from).constData(), AT_FDCWD, QFile::encodeName(to).constData(),
                       flags) == 0;
}

bool exchangePaths(const QString& a, const QString& b)
{
#ifdef RENAME_EXCHANGE
    return renamePath(a, b, RENAME_EXCHANGE);
#else
    Q_UNUSED(a)
    Q_UNUSED(b)
    errno = ENOSYS;
    return false;
#endif
}

// A folder's identity survives renames: it tells which name the previous catalogue has now.
QString identity(const QString& path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return QString();
    return QStringLiteral("%1:%2").arg(quint64(info.st_dev)).arg(quint64(info.st_ino));
}

QString notePath(const QString& target)
{
    const QFileInfo info(QDir::cleanPath(target));
    return info.absolutePath() + QLatin1Char('/') + info.fileName() + QStringLiteral(".swap");
}

struct SwapNote {
    QString built;
    QString kept;
    QString previous; ///< identity of the previous Data
};

void writeNote(const QString& target, const SwapNote& note)
{
    core::AtomicFile file(notePath(target));
    const QByteArray text = QStringLiteral("built\t%1\nkept\t%2\nprevious\t%3\n")
                                .arg(note.built, note.kept, note.previous)
                                .toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw ECatalogueError(importText("CannotMove", QStringLiteral("Mappen \"%1\" kan ikke flyttes til \"%2\": %3"))
                                  .arg(QDir::toNativeSeparators(note.built), QDir::toNativeSeparators(target),
                                       file.errorString()));
}

bool readNote(const QString& target, SwapNote& note)
{
    QFile file(notePath(target));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QStringList lines = QString::fromUtf8(file.read(64 * 1024)).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString key = line.section(QLatin1Char('\t'), 0, 0);
        const QString value = line.section(QLatin1Char('\t'), 1);
        if (key == QLatin1String("built"))
            note.built = value;
        else if (key == QLatin1String("kept"))
            note.kept = value;
        else if (key == QLatin1String("previous"))
            note.previous = value;
    }
    return !note.built.isEmpty() && !note.kept.isEmpty() && !note.previous.isEmpty();
}

void dropNote(const QString& target)
{
    QFile::remove(notePath(target));
    core::syncFolder(QFileInfo(QDir::cleanPath(target)).absolutePath());
}

} // namespace

void swapInFolder(const QString& built, const QString& target, const QString& kept)
{
    const QString parent = QFileInfo(target).absolutePath();
    const QString previous = identity(target);
    if (previous.isEmpty() && !QFileInfo::exists(target)) {
        if (!renamePath(built, target))
            failMove(built, target);
        core::syncFolder(parent);
        return;
    }
    writeNote(target, SwapNote{QFileInfo(built).absoluteFilePath(), QFileInfo(kept).absoluteFilePath(), previous});
    core::syncFolder(parent);
    if (exchangePaths(built, target)) {
        // built now holds the previous Data; the note keeps it from being cleared meanwhile.
        if (!renamePath(built, kept))
            failMove(built, kept);
        core::syncFolder(parent);
        dropNote(target);
        return;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
        const int saved = errno;
        dropNote(target);
        errno = saved;
        failMove(built, target);
    }
    // A file system without the exchange: two renames, the second undone if it fails.
    if (!renamePath(target, kept)) {
        const int saved = errno;
        dropNote(target);
        errno = saved;
        failMove(target, kept);
    }
    if (!renamePath(built, target)) {
        const int saved = errno;
        if (renamePath(kept, target))
            dropNote(target);
        errno = saved;
        failMove(built, target);
    }
    core::syncFolder(parent);
    dropNote(target);
}

QString finishInterruptedSwap(const QString& target)
{
    SwapNote note;
    if (!readNote(target, note)) {
        if (QFileInfo::exists(notePath(target)))
            dropNote(target); // cut off while it was written: nothing had moved yet
        return QString();
    }
    const QString parent = QFileInfo(QDir::cleanPath(target)).absolutePath();
    QString holder;
    if (identity(target) == note.previous) {
        // Cut off before the exchange: Data is as it was, and built never took its place.
        QDir(note.built).removeRecursively();
    } else if (identity(note.built) == note.previous) {
        holder = QFileInfo::exists(note.kept) ? unusedName(note.kept) : note.kept;
        if (!renamePath(note.built, holder))
            failMove(note.built, holder);
    } else if (identity(note.kept) == note.previous) {
        holder = note.kept;
        // Without the exchange the new folder may not have been moved in yet.
        if (!QFileInfo::exists(target) && QFileInfo(note.built).isDir() && !renamePath(note.built, target))
            failMove(note.built, target);
    }
    core::syncFolder(parent);
    dropNote(target);
    return holder;
}

QString interruptedSwapText(const QString& kept)
{
    if (kept.isEmpty())
        return QString();
    return backupText("InterruptedSwap", QStringLiteral("Et afbrudt skift af kataloget er gjort færdigt. Det hidtidige "
                                                        "katalog er gemt i \"%1\"."))
        .arg(QDir::toNativeSeparators(kept));
}

bool swapPending(const QString& target)
{
    return QFileInfo::exists(notePath(target));
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

} // namespace catalogue
