#pragma once
// A file written beside its target and put in its place in one step once it is complete and
// on the disk. Until then the target stays as it was; a failed or abandoned file is removed.
// A link to a regular file is written through (the link stays); a new file gets the user's
// usual mode (umask), a replaced one keeps its mode. Every write is checked: the first
// failure sticks, and errorString() then names the system's reason.
#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace core {

class AtomicFile : public QIODevice {
public:
    explicit AtomicFile(const QString& target);
    /// Removes the temporary file unless commit() succeeded.
    ~AtomicFile() override;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    /// Creates the temporary file (only WriteOnly is supported). False with errorString() set;
    /// a target that exists and is not a regular file is refused.
    bool open(OpenMode mode) override;
    /// Writes what is buffered, syncs, and renames over the target. False with errorString()
    /// set (the target untouched, the temporary file gone) when any step or earlier write failed.
    bool commit();
    /// Drops the temporary file; the target stays as it was.
    void discard() noexcept;
    /// True once a write failed.
    bool failed() const { return failed_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool fail(const QString& reason);
    bool writeOut(const char* data, qint64 size);
    bool flushBuffer();

    QString target_;
    QString final_;
    QString temporary_;
    QByteArray buffer_;
    int fd_ = -1;
    bool failed_ = false;
};

} // namespace core
