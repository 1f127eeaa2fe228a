#pragma once
// The folder a dry run builds its catalogue in: in the temporary folder, removed when the dry
// run ends or fails, and, when a kill left it, by the next dry run (its lock is no longer held).
#include "catalogue/FolderLock.h"

#include <QTemporaryDir>

namespace import {

class ScratchFolder {
public:
    /// Removes what killed dry runs left, then makes and locks a new folder. Throws
    /// EImportError when no folder can be made.
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    QString path() const { return dir_.path(); }

    /// Removes the folders of dry runs that no longer run from the temporary folder.
    static void removeAbandoned();

private:
    QTemporaryDir dir_;
    catalogue::FolderLock lock_;
};

} // namespace import
