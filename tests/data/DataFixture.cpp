#include "DataFixture.h"

#include "common/TestCatalogue.h"

void DataFixture::SetUp()
{
    testing_support::openCatalogue(folder, dm);
    testing_support::resetScriptedDialogs();
}

void DataFixture::TearDown()
{
    testing_support::closeCatalogue(folder, dm);
}

void DataFixture::addTape(const QString& tapeNr, const QString& title,
                          std::initializer_list<std::pair<const char*, QString>> fields)
{
    testing_support::addTape(*dm, tapeNr, title, fields);
}

void DataFixture::addCast(const QString& actor, const QString& role)
{
    testing_support::addCast(*dm, actor, role);
}

QStringList DataFixture::column(engine::Table& table, const QString& field)
{
    QStringList values;
    for (table.First(); !table.Eof(); table.Next())
        values << table.FieldByName(field).AsString();
    return values;
}
