#pragma once
// Qt's own texts (the file and folder choosers, the standard buttons of Qt's dialogs) in the
// program's language, from Qt's translations as Debian ships them (qt6-translations-l10n).
// User-interface thread only.
#include <QString>

namespace support {

/// Qt's translation names for a language index (-1 Danish, 0 English, 1 Norsk, 2 Svensk,
/// 3 Deutsch), in the order to try; empty for English, which Qt speaks untranslated.
QStringList qtLanguageCodes(int languageIndex);

/// Installs Qt's translations for that language, replacing those installed before; English
/// or a language Qt has no translation for leaves Qt's own English. True when one was loaded.
bool useQtTranslations(int languageIndex);

/// Under a system locale that names no language (C, POSIX), whose short date is "12 Mar
/// 2012", dates and numbers take the form of that language (Danish "12.03.2012"); a system
/// locale with a language, or a default locale someone else chose, is left as it is.
void useLanguageFormsWhereLocaleHasNone(int languageIndex);

} // namespace support
