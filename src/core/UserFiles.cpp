#include "UserFiles.h"
#include "SectionTexts.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads up to limit bytes; false on a read error.
bool readUpTo(int fd, QByteArray& bytes, qint64 limit)
{
    qint64 filled = 0;
    bytes.resize(limit);
    while (filled < limit) {
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(limit - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        filled += got;
    }
    bytes.resize(filled);
    return true;
}

} // namespace

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes)
{
    if (path.isEmpty())
        return std::nullopt;
    // O_NONBLOCK: opening a pipe with no writer would otherwise wait for ever.
    const FileDescriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > maxBytes)
        return std::nullopt;
    // One byte past the size: a file that grew after the check is refused too.
    QByteArray bytes;
    if (!readUpTo(fd.get(), bytes, qint64(info.st_size) + 1) || bytes.size() > qint64(info.st_size))
        return std::nullopt;
    return bytes;
}

QString outputTargetRefusal(const QString& path)
{
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return target.isDir() ? sectionText("Catalogue", "IsAFolder", QStringLiteral("Det er en mappe"))
                              : sectionText("Catalogue", "NotARegularFile", QStringLiteral("Det er ikke en almindelig fil"));
    return QString();
}

void syncFolder(const QString& folder)
{
    const FileDescriptor fd(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY));
    if (fd.get() >= 0)
        ::fsync(fd.get());
}

} // namespace core
