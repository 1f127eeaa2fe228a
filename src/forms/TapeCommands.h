#pragma once
// Commands on the tape catalogue shared by the main window and the registration window.
#include <QString>

namespace data {
class TDM;
}
namespace dbctrls {
class TDBLookupComboBox;
}

namespace forms {

class TRegForm;


/// The main window's "Ny video": a new tape, then the registration window modally; the new
/// record is posted or dropped there.
void newVideo(data::TDM& dm, TRegForm& regForm);

/// The main window's title list chose a tape (VideoTable is on it): the registration window
/// modally. The caller hides its edit group afterwards.
void editChosenTape(TRegForm& regForm);

/// A scan on the main window found a tape (VideoTable is on it): the registration window
/// modally, with the focus in no editable field, so a second scan shows its tape.
void editScannedTape(TRegForm& regForm);

/// Makes the tape with that number (or, when the catalogue has the field EAN, that EAN)
/// VideoTable's current record; a tape outside the overview's selection lifts the selection.
/// False, with VideoTable where it was, when no tape has it.
bool goToTape(data::TDM& dm, const QString& code);

/// The message for a code no tape has, naming it, in the active language.
QString unknownTapeText(const QString& code);

/// Sets up the main window's title list: the titles of VideoTable in its current order and
/// filter (key and shown field Titel); choosing one moves VideoTable to the first tape with
/// exactly that title.
void setUpTitleList(dbctrls::TDBLookupComboBox& list, data::TDM& dm);

} // namespace forms
