#include "DataFixture.h"

void DataFixture::SetUp()
{
    folder = std::make_unique<testing_support::TempProgramFolder>();
    folder->install();
    dm = std::make_unique<data::TDM>(folder->dataDir());
    data::DM = dm.get();
    dm->OpenTables();
    dialogs().clear();
    dialogs().confirmAnswers.clear();
    dialogs().inputAnswers.clear();
}

void DataFixture::TearDown()
{
    dm.reset();
    folder.reset();
}

void DataFixture::addTape(const QString& tapeNr, const QString& title,
                          std::initializer_list<std::pair<const char*, QString>> fields)
{
    engine::Table& video = *dm->VideoTable;
    video.Insert();
    video.FieldByName(QStringLiteral("TapeNr")).SetAsString(tapeNr);
    video.FieldByName(QStringLiteral("Titel")).SetAsString(title);
    video.FieldByName(QStringLiteral("Udlaan")).SetAsString(QStringLiteral("Nej"));
    for (const auto& [field, value] : fields)
        video.FieldByName(QString::fromLatin1(field)).SetAsString(value);
    video.Post();
}

void DataFixture::addCast(const QString& actor, const QString& role)
{
    engine::Table& cast = *dm->MedvirkTable;
    cast.Insert();
    cast.FieldByName(QStringLiteral("Skuespiller")).SetAsString(actor);
    cast.FieldByName(QStringLiteral("Rolle")).SetAsString(role);
    cast.Post();
}

QStringList DataFixture::column(engine::Table& table, const QString& field)
{
    QStringList values;
    for (table.First(); !table.Eof(); table.Next())
        values << table.FieldByName(field).AsString();
    return values;
}
