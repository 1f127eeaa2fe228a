#include "TestCatalogue.h"

#include "core/Dialogs.h"
#include "core/ScriptedDialogs.h"
#include "engine/Field.h"
#include "engine/Table.h"

namespace testing_support {

void openCatalogue(std::unique_ptr<TempProgramFolder>& folder, std::unique_ptr<data::TDM>& dm)
{
    folder = std::make_unique<TempProgramFolder>();
    folder->install();
    dm = std::make_unique<data::TDM>(folder->dataDir());
    data::DM = dm.get();
    dm->OpenTables();
}

void closeCatalogue(std::unique_ptr<TempProgramFolder>& folder, std::unique_ptr<data::TDM>& dm)
{
    if (data::DM == dm.get())
        data::DM = nullptr;
    dm.reset();
    folder.reset();
}

void addTape(data::TDM& dm, const QString& tapeNr, const QString& title, FieldValues fields)
{
    engine::Table& video = *dm.VideoTable;
    video.Insert();
    video.FieldByName(QStringLiteral("TapeNr")).SetAsString(tapeNr);
    video.FieldByName(QStringLiteral("Titel")).SetAsString(title);
    video.FieldByName(QStringLiteral("Udlaan")).SetAsString(QStringLiteral("Nej"));
    for (const auto& [field, value] : fields)
        video.FieldByName(QString::fromLatin1(field)).SetAsString(value);
    video.Post();
}

void addCast(data::TDM& dm, const QString& actor, const QString& role)
{
    engine::Table& cast = *dm.MedvirkTable;
    cast.Insert();
    cast.FieldByName(QStringLiteral("Skuespiller")).SetAsString(actor);
    cast.FieldByName(QStringLiteral("Rolle")).SetAsString(role);
    cast.Post();
}

core::ScriptedDialogs& scriptedDialogs()
{
    return static_cast<core::ScriptedDialogs&>(core::dialogs());
}

void resetScriptedDialogs()
{
    core::ScriptedDialogs& dialogs = scriptedDialogs();
    dialogs.clear();
    dialogs.confirmAnswers.clear();
    dialogs.inputAnswers.clear();
    dialogs.openFileAnswers.clear();
}

} // namespace testing_support
