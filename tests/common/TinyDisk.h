#pragma once
// A small file system of its own (tmpfs) for tests of a full disk. Mounting needs root and a
// system that allows it; where it does not, mounted() is false and the test skips.
#include <QString>
#include <QTemporaryDir>

namespace testing_support {

class TinyDisk {
public:
    explicit TinyDisk(int kilobytes);
    ~TinyDisk();
    TinyDisk(const TinyDisk&) = delete;
    TinyDisk& operator=(const TinyDisk&) = delete;

    bool mounted() const { return mounted_; }
    QString file(const QString& name) const { return dir_.filePath(name); }
    /// Fills the disk with a file of its own until no byte is free.
    void fill();
    /// Frees what fill() took.
    void release();

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

} // namespace testing_support
