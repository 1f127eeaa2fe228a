#include "FolderLock.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace catalogue {

namespace {

int openLockFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    // O_NOFOLLOW: a link put in the file's place must not make us create or lock another file.
    int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    return fd;
}

} // namespace

FolderLock::FolderLock(const QString& programFolder) : folder_(programFolder) {}

FolderLock::~FolderLock()
{
    unlock();
}

QString FolderLock::lockFile(const QString& programFolder)
{
    return QDir(programFolder).absoluteFilePath(QStringLiteral("spolarkiv.lock"));
}

bool FolderLock::tryLock()
{
    if (fd_ >= 0)
        return true;
    int fd = openLockFile(lockFile(folder_));
    // A folder where no file can be made (read-only medium) is locked as itself.
    if (fd < 0)
        fd = ::open(QFile::encodeName(QDir(folder_).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int locked;
    do
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void FolderLock::unlock()
{
    if (fd_ < 0)
        return;
    // The file stays: removing it would let a second process lock a new file of the same name.
    ::close(fd_);
    fd_ = -1;
}

} // namespace catalogue
