#pragma once
// Texts that layers below the windows show: Danish in the code, the other languages from a
// section of the language files. The window layer installs the lookup that reads the active
// language; without one (command line before a language is known, tests) Danish is used.
#include <QString>
#include <functional>

namespace core {

/// Answers the text for a key of a language-file section in the active language, or the
/// Danish text given.
using TextLookup = std::function<QString(const QString& section, const QString& key, const QString& danish)>;

/// Installs the lookup for every later text; an empty function restores Danish.
void setTextLookup(TextLookup lookup);

/// The text of key in section in the active language; danish when none is known.
QString sectionText(const char* section, const char* key, const QString& danish);

/// The system's reason for a failure (an errno value) in the active language: the usual
/// ones (a full disk, no permission, ...) from the "Catalogue" texts, others in the system's words.
QString systemReason(int error);

} // namespace core
