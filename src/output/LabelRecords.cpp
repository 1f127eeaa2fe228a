#include "LabelRecords.h"

#include "data/Fields.h"
#include "engine/Field.h"
#include "engine/Table.h"

namespace output {

LabelRecords::LabelRecords(engine::Table& table) : table_(table), tapes_(table) {}

bool LabelRecords::isEmpty()
{
    if (tapes_.isEmpty())
        return true;
    if (range_.isOpen())
        return false;
    tapes_.first();
    skipOutside();
    return tapes_.eof();
}

void LabelRecords::first()
{
    tapes_.first();
    skipOutside();
    blanksLeft_ = blanks_;
}

void LabelRecords::next()
{
    if (blanksLeft_ > 0) {
        --blanksLeft_;
        return;
    }
    tapes_.next();
    skipOutside();
}

bool LabelRecords::eof()
{
    return blanksLeft_ == 0 && tapes_.eof();
}

QString LabelRecords::fieldText(const QString& fieldName)
{
    return blanksLeft_ > 0 ? QString() : tapes_.fieldText(fieldName);
}

void LabelRecords::skipOutside()
{
    if (range_.isOpen())
        return;
    while (!tapes_.eof() && !range_.contains(table_.FieldByName(QLatin1String(data::fields::TapeNr)).AsString()))
        tapes_.next();
}

} // namespace output
