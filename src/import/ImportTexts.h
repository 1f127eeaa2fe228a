#pragma once
// The texts the import and the backups show: Danish in the code, the other languages from
// the language files' "Import" and "Backup" sections, through core's one text lookup.
#include "core/SectionTexts.h"

#include <QString>

namespace import {

using core::TextLookup;

/// Installs the lookup for every later text (core's, shared by every layer); an empty
/// function restores Danish.
void setTextLookup(TextLookup lookup);

/// The text of key in the active language: of the "Import" section, of the "Backup" one.
QString importText(const char* key, const QString& danish);
QString backupText(const char* key, const QString& danish);

/// An "Import" text that counts something: for a count of 1 the key with "One" appended and
/// danishOne (the singular, as "1 Datensatz" for "2 Datensätze"), else key and danish.
QString importCountText(const char* key, qint64 count, const QString& danish, const QString& danishOne);

} // namespace import
