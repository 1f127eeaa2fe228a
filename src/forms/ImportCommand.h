#pragma once
// The window side of bringing an old catalogue in: the "Importér…" command and the offer to
// convert Paradox tables found in Data at start. Both close the data module's tables while
// the new Data takes the old one's place and open them again afterwards, so every window
// shows the new catalogue.
#include <QString>

namespace data {
class TDM;
}
namespace locale {
class TQCustomLanguageSource;
class TQFileLanguageSource;
}

namespace forms {

/// Asks whether to bring in an old catalogue's folder of Paradox tables or a spreadsheet's
/// file; for the folder, for leave to replace a catalogue that holds tapes; for the file,
/// whether to add its new tapes to such a catalogue or replace it. Shows progress with a
/// cancel button, and ends with the report. Cancel changes nothing.
void runImportCommand(data::TDM& dm);

/// Before the tables open: when the Data folder holds Paradox tables, asks (in the language
/// the old catalogue was used in) whether to convert them; Yes converts them in place (the
/// originals move to Data-paradox-<date>-<time>) and shows the report. Returns false when
/// the user said No, cancelled or the conversion failed (its message shown): the program
/// then ends, and Data is as it was.
bool offerStartupConversion(locale::TQCustomLanguageSource& languages);

/// Makes the import's and the catalogue layer's texts follow the source's active language and,
/// for a source of language files, gives the import their overview titles.
void followLanguage(locale::TQCustomLanguageSource& languages);

/// Gives the spreadsheet import the overview grid's column titles of every language file of
/// languages (followLanguage does it for a source of files).
void installOverviewTitles(const locale::TQFileLanguageSource& languages);

} // namespace forms
