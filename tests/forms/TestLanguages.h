#pragma once
// The language source as the main window sets it up, for window tests.
#include "locale/TQLanguageSource.h"

#include <QString>
#include <memory>
#include <string>

namespace testing_support {

/// Danish as the original, the four language files of the program folder at baseFolder.
std::unique_ptr<locale::TQLanguageSource> makeLanguageSource(const QString& baseFolder);
/// Gives the windows' context this source; the language label shows the active language's
/// name, or *labelOverride when that is not empty.
void useLanguageSource(locale::TQLanguageSource* source, const QString* labelOverride = nullptr);

/// The name of the language with that index (-1: Dansk), as a test case is named.
std::string languageName(int index);

} // namespace testing_support
