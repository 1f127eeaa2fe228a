#pragma once
// What the command line's import, backup and restore share: their texts follow the
// language the catalogue was last used in, and they keep off a folder the program runs on.
#include "locale/TQLanguageSource.h"

#include "catalogue/FolderLock.h"

#include <QString>

namespace core {
struct ProgramPaths;
}

namespace app {

/// While it lives, the import's and backups' texts are in the catalogue's stored language
/// (Danish when none is known or the language file cannot be read).
class StoredLanguageTexts {
public:
    explicit StoredLanguageTexts(const QString& dataFolder);
    ~StoredLanguageTexts();
    StoredLanguageTexts(const StoredLanguageTexts&) = delete;
    StoredLanguageTexts& operator=(const StoredLanguageTexts&) = delete;

private:
    locale::TQLanguageSource languages_;
};

/// Takes the program folder's lock, so that neither the program nor another command can
/// start on it while a command changes Data; false (after printing why, in the stored
/// language) when either runs on the folder. Then finishes a swap a kill cut off and prints
/// where the previous catalogue is.
bool lockProgramFolder(catalogue::FolderLock& lock, const core::ProgramPaths& paths);

/// Prints text to stream in the system's encoding.
void print(std::FILE* stream, const QString& text);

/// Prints "spolarkiv: <message>" to stderr and returns the failure status, 1.
int printFailure(const QString& message);

} // namespace app
