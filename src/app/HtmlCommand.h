#pragma once
// "Eksportér som webside..." and spolarkiv --html DIR: the web catalogue in the catalogue's language.
#include "output/WebTexts.h"

namespace data {
class TDM;
}
namespace locale {
class TQCustomLanguageSource;
}

namespace app {

/// The web catalogue's texts in languages' active language (read when asked).
output::WebText webTexts(locale::TQCustomLanguageSource& languages);

/// The menu command: asks for the folder, writes with a cancellable progress, tells where.
void runHtmlExport(data::TDM& dm, locale::TQCustomLanguageSource& languages);

/// spolarkiv --html DIR (argv[at] is the option): writes the web catalogue without a display.
int runHtmlCommand(int argc, char** argv, int at);

} // namespace app
