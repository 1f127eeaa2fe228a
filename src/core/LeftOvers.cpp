#include "LeftOvers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace core {

namespace {

// A run locks its file or folder right after making it: a younger one may be in that moment.
constexpr qint64 kYoungestLeftOverSeconds = 10;

int openNoFollow(const QString& path)
{
    return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
}

} // namespace

WriterLock::~WriterLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool WriterLock::lock(const QString& path)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = openNoFollow(path);
    return fd_ >= 0 && lockWriter(fd_);
}

bool lockWriter(int fd)
{
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

void removeLeftOvers(const QString& folder, const QRegularExpression& name) noexcept
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink() || !name.match(entry.fileName()).hasMatch()
            || entry.lastModified().secsTo(now) < kYoungestLeftOverSeconds)
            continue;
        const int fd = openNoFollow(entry.absoluteFilePath());
        if (fd < 0)
            continue;
        if (lockWriter(fd)) {
            if (entry.isDir())
                QDir(entry.absoluteFilePath()).removeRecursively();
            else
                QFile::remove(entry.absoluteFilePath());
        }
        ::close(fd);
    }
}

} // namespace core
