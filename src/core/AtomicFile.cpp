#include "AtomicFile.h"
#include "SectionTexts.h"
#include "LeftOvers.h"
#include "UserFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

namespace {

// Lines are small: collecting them saves a system call per line.
constexpr qsizetype kBufferBytes = 64 * 1024;
constexpr int kNameAttempts = 100;

QString systemReason()
{
    return core::systemReason(errno);
}

// Where the bytes really go: through a link to the file it names, so the link stays a link.
QString finalPath(const QString& target)
{
    const QFileInfo info(target);
    if (!info.isSymLink())
        return info.absoluteFilePath();
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

} // namespace

AtomicFile::AtomicFile(const QString& target) : target_(target) {}

AtomicFile::~AtomicFile()
{
    discard();
}

bool AtomicFile::fail(const QString& reason)
{
    failed_ = true;
    setErrorString(reason);
    return false;
}

bool AtomicFile::open(OpenMode mode)
{
    if (isOpen() || (mode & ReadOnly))
        return fail(QStringLiteral("Invalid open mode"));
    const QString refusal = outputTargetRefusal(target_);
    if (!refusal.isEmpty())
        return fail(refusal);
    final_ = finalPath(target_);
    const QFileInfo finalInfo(final_);
    // What a killed run writing the same file left beside it.
    removeLeftOvers(finalInfo.absolutePath(), QRegularExpression(QStringLiteral("^\\.%1\\.[0-9a-f]{8}$")
                                                                     .arg(QRegularExpression::escape(finalInfo.fileName()))));
    for (int attempt = 0; attempt < kNameAttempts && fd_ < 0; ++attempt) {
        temporary_ = finalInfo.absolutePath() + QStringLiteral("/.") + finalInfo.fileName()
                     + QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        // 0666: the user's umask decides, as for any file the user makes.
        fd_ = ::open(QFile::encodeName(temporary_).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        temporary_.clear();
        return fail(systemReason());
    }
    lockWriter(fd_);
    struct stat old {};
    if (::stat(QFile::encodeName(final_).constData(), &old) == 0)
        ::fchmod(fd_, old.st_mode & 07777); // a replaced file keeps its mode
    failed_ = false;
    buffer_.clear();
    return QIODevice::open(mode | Unbuffered);
}

qint64 AtomicFile::readData(char*, qint64)
{
    return -1;
}

qint64 AtomicFile::writeData(const char* data, qint64 size)
{
    if (failed_ || fd_ < 0)
        return -1;
    if (buffer_.size() + size > kBufferBytes && !flushBuffer())
        return -1;
    if (size > kBufferBytes)
        return writeOut(data, size) ? size : -1;
    buffer_.append(data, size);
    return size;
}

bool AtomicFile::writeOut(const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd_, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return fail(written < 0 ? systemReason() : QStringLiteral("Nothing could be written"));
        data += written;
        size -= written;
    }
    return true;
}

bool AtomicFile::flushBuffer()
{
    const bool written = writeOut(buffer_.constData(), buffer_.size());
    buffer_.clear();
    return written;
}

bool AtomicFile::commit()
{
    if (fd_ < 0)
        return fail(isOpen() ? errorString() : QStringLiteral("The file is not open"));
    bool done = !failed_ && flushBuffer();
    if (done && ::fsync(fd_) != 0)
        done = fail(systemReason());
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && done)
        done = fail(systemReason());
    if (done && std::rename(QFile::encodeName(temporary_).constData(), QFile::encodeName(final_).constData()) != 0)
        done = fail(systemReason());
    const QString reason = errorString();
    if (done)
        temporary_.clear();
    discard();
    setErrorString(reason); // closing forgets it
    return done;
}

void AtomicFile::discard() noexcept
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.isEmpty())
        ::unlink(QFile::encodeName(temporary_).constData());
    temporary_.clear();
    buffer_.clear();
    if (isOpen())
        QIODevice::close();
}

} // namespace core
