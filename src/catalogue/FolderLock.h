#pragma once
// The program folder's lock: an advisory lock (flock) on the file "spolarkiv.lock" in the
// folder that holds Data. The window program and every command that writes Data take it, so
// any process that opens the folder sees it, whatever its environment ($USER, $XDG_RUNTIME_DIR,
// $TMPDIR). The kernel drops it when the process ends, however it ends.
#include <QString>

namespace catalogue {

class FolderLock {
public:
    /// programFolder: the folder that holds Data. Nothing is locked yet.
    explicit FolderLock(const QString& programFolder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    /// Takes the lock without waiting; true when this object holds it now. Another process
    /// (or another FolderLock object) holding it makes this false.
    bool tryLock();
    /// Gives the lock back.
    void unlock();
    bool isLocked() const noexcept { return fd_ >= 0; }

    /// The lock file of a program folder.
    static QString lockFile(const QString& programFolder);

private:
    QString folder_;
    int fd_ = -1;
};

} // namespace catalogue
