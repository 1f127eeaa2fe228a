#include "DataFixture.h"

QStringList DataFixture::column(engine::Table& table, const QString& field)
{
    QStringList values;
    for (table.First(); !table.Eof(); table.Next())
        values << table.FieldByName(field).AsString();
    return values;
}
