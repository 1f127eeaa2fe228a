#pragma once
// Texts a window shows in messages: Danish in the code, the other languages from a section of
// the language files, in the language the main window shows.
#include <QString>

namespace forms {

/// The text of key in section for the active language, or danish (Danish active, no language
/// source, or no such key).
QString languageText(const char* section, const char* key, const QString& danish);

} // namespace forms
