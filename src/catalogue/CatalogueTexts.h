#pragma once
// The texts the catalogue's own file care shows: Danish in the code, the other languages from
// the language files' sections. The window layer installs the lookup that reads the active
// language, as it does for the import; without one Danish is used.
#include <QString>
#include <functional>

namespace catalogue {

/// Answers the text for a key of a language-file section in the active language, or the Danish given.
using TextLookup = std::function<QString(const QString& section, const QString& key, const QString& danish)>;

/// Installs the lookup for every later text; an empty function restores Danish.
void setTextLookup(TextLookup lookup);

/// The text of key in the "Backup" section (backups, restore, the swap) in the active language.
QString backupText(const char* key, const QString& danish);
/// The text of key in the "Import" section in the active language.
QString importText(const char* key, const QString& danish);

} // namespace catalogue
