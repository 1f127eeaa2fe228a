#pragma once
// What killed runs leave: partial files and folders a command writes beside its output or in
// the temporary folder. A run holds an advisory lock (flock) on what it is writing for as long
// as it lives, and the kernel drops the lock when the process ends, however it ends; the next
// run of the same kind removes what it finds of its own names with no lock held.
#include <QRegularExpression>
#include <QString>

namespace core {

class WriterLock {
public:
    WriterLock() = default;
    /// Gives the lock back.
    ~WriterLock();
    WriterLock(const WriterLock&) = delete;
    WriterLock& operator=(const WriterLock&) = delete;

    /// Locks the file or folder at path (never through a link); false when it cannot.
    bool lock(const QString& path);

private:
    int fd_ = -1;
};

/// Takes the writer's lock on an open file descriptor (a partial file being written); false
/// when it cannot.
bool lockWriter(int fd);

/// Removes the entries of folder whose whole name matches name, that are no link, were last
/// changed a few seconds ago or more (a run locks what it makes at once) and that no writer
/// holds locked. Never throws; on any doubt an entry stays.
void removeLeftOvers(const QString& folder, const QRegularExpression& name) noexcept;

} // namespace core
