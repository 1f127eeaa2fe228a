#pragma once
// The catalogue every data and window test starts from: a fresh temporary program folder with
// empty tables, a data module with its tables open installed as the program's, and ways to
// fill it the way a user would (through the tables, so the record rules run).
#include "common/TempProgramFolder.h"
#include "data/DM.h"

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <memory>
#include <utility>

namespace core {
class ScriptedDialogs;
}

namespace testing_support {

using FieldValues = std::initializer_list<std::pair<const char*, QString>>;

/// Installs a fresh program folder and opens a data module on it as data::DM.
void openCatalogue(std::unique_ptr<TempProgramFolder>& folder, std::unique_ptr<data::TDM>& dm);
/// Closes the data module first, then removes the folder.
void closeCatalogue(std::unique_ptr<TempProgramFolder>& folder, std::unique_ptr<data::TDM>& dm);

/// Inserts and posts a tape through VideoTable; Udlaan "Nej" unless given.
void addTape(data::TDM& dm, const QString& tapeNr, const QString& title, FieldValues fields = {});
/// Adds a cast row to VideoTable's current tape through MedvirkTable.
void addCast(data::TDM& dm, const QString& actor, const QString& role = QString());

/// The scripted dialogs the test main installs.
core::ScriptedDialogs& scriptedDialogs();
/// Forgets the boxes shown and every answer queued.
void resetScriptedDialogs();

} // namespace testing_support
