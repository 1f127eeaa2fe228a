#pragma once
// The texts the catalogue's own file care shows: Danish in the code, the other languages from
// the language files' sections, through the one text lookup the window layer installs.
#include <QString>

namespace catalogue {

/// The text of key in the "Backup" section (backups, restore, the swap) in the active language.
QString backupText(const char* key, const QString& danish);
/// The text of key in the "Import" section in the active language.
QString importText(const char* key, const QString& danish);

} // namespace catalogue
