#pragma once
// The catalogue every data and window test starts from: a fresh temporary program folder with
// empty tables, a data module with its tables open installed as the program's, and ways to
// fill it the way a user would (through the tables, so the record rules run).
#include "common/ProgramTest.h"
#include "data/DM.h"

#include <QString>
#include <initializer_list>
#include <memory>
#include <utility>

namespace testing_support {

using FieldValues = std::initializer_list<std::pair<const char*, QString>>;

/// Opens a data module on the folder's Data with its tables open, as data::DM.
void openDataModule(const TempProgramFolder& folder, std::unique_ptr<data::TDM>& dm);
/// Closes the data module; data::DM no longer names it.
void closeDataModule(std::unique_ptr<data::TDM>& dm);
/// Installs a fresh program folder and opens a data module on it (for a whole test suite).
void openCatalogue(std::unique_ptr<TempProgramFolder>& folder, std::unique_ptr<data::TDM>& dm);
/// Closes the data module first, then removes the folder.
void closeCatalogue(std::unique_ptr<TempProgramFolder>& folder, std::unique_ptr<data::TDM>& dm);

/// Inserts and posts a tape through VideoTable; Udlaan "Nej" unless given.
void addTape(data::TDM& dm, const QString& tapeNr, const QString& title, FieldValues fields = {});
/// Adds a cast row to VideoTable's current tape through MedvirkTable.
void addCast(data::TDM& dm, const QString& actor, const QString& role = QString());

/// A program folder whose data module has its tables open and is the program's (data::DM);
/// the data module is closed before the folder goes.
class CatalogueTest : public ProgramTest {
protected:
    void SetUp() override;
    void TearDown() override;

    void addTape(const QString& tapeNr, const QString& title, FieldValues fields = {})
    {
        testing_support::addTape(*dm, tapeNr, title, fields);
    }
    void addCast(const QString& actor, const QString& role = QString()) { testing_support::addCast(*dm, actor, role); }

    std::unique_ptr<data::TDM> dm;
};

} // namespace testing_support
