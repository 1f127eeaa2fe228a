#include "TestCatalogue.h"

#include "engine/Field.h"
#include "engine/Table.h"

namespace testing_support {

void openDataModule(const TempProgramFolder& folder, std::unique_ptr<data::TDM>& dm)
{
    dm = std::make_unique<data::TDM>(folder.dataDir());
    data::DM = dm.get();
    dm->OpenTables();
}

void closeDataModule(std::unique_ptr<data::TDM>& dm)
{
    if (data::DM == dm.get())
        data::DM = nullptr;
    dm.reset();
}

void openCatalogue(std::unique_ptr<TempProgramFolder>& folder, std::unique_ptr<data::TDM>& dm)
{
    folder = std::make_unique<TempProgramFolder>();
    folder->install();
    openDataModule(*folder, dm);
}

void closeCatalogue(std::unique_ptr<TempProgramFolder>& folder, std::unique_ptr<data::TDM>& dm)
{
    closeDataModule(dm);
    folder.reset();
}

void CatalogueTest::SetUp()
{
    ProgramTest::SetUp();
    openDataModule(*folder, dm);
}

void CatalogueTest::TearDown()
{
    closeDataModule(dm);
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

} // namespace testing_support
