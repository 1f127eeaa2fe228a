#include "TableReportProvider.h"

#include "engine/Field.h"
#include "engine/Table.h"

#include <QDate>

namespace output {

TableReportProvider::TableReportProvider(engine::Table& table) : table_(table) {}

TableReportProvider::~TableReportProvider() = default;

bool TableReportProvider::isEmpty()
{
    return !table_.Active() || table_.RecordCount() == 0;
}

void TableReportProvider::first()
{
    table_.First();
    skipVanished();
}

void TableReportProvider::next()
{
    table_.Next();
    skipVanished();
}

void TableReportProvider::skipVanished()
{
    // A record deleted by another program since the view was read is no line of empty fields.
    while (!table_.Eof() && table_.RecordVanished())
        table_.Next();
}

bool TableReportProvider::eof()
{
    return table_.Eof();
}

QString TableReportProvider::fieldText(const QString& fieldName)
{
    return table_.FieldByName(fieldName).AsString();
}

QString TableReportProvider::shortFieldText(const QString& fieldName)
{
    const engine::Field& field = table_.FieldByName(fieldName);
    // Dates are stored as ISO text: the shortest form every locale reads alike.
    if (field.DataType() != engine::FieldKind::Date || field.IsNull())
        return QString();
    return field.Value().toString();
}

QStringList TableReportProvider::widestTexts(const QString& fieldName) const
{
    const engine::Field* field = table_.Active() ? table_.FindField(fieldName) : nullptr;
    if (!field || field->DataType() != engine::FieldKind::Date)
        return {};
    QStringList texts;
    for (int month = 1; month <= 12; ++month)
        for (int day = 22; day <= 28; ++day)
            texts << field->displayText(QDate(2000, month, day).toString(Qt::ISODate));
    return texts;
}

void TableReportProvider::beginReading()
{
    quiet_ = std::make_unique<engine::ControlsDisabled>(table_);
}

void TableReportProvider::endReading()
{
    quiet_.reset();
}

} // namespace output
