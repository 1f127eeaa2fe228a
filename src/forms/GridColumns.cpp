#include "GridColumns.h"

#include "data/DM.h"
#include "data/Fields.h"

namespace forms {

namespace fields = data::fields;

dbctrls::TDBGridColumn gridColumn(const QString& field, const QString& title, int width)
{
    dbctrls::TDBGridColumn column;
    column.fieldName = field;
    column.title = title;
    column.width = width;
    if (field.compare(QLatin1String(fields::TapeNr), Qt::CaseInsensitive) == 0)
        column.maxLength = data::kTapeNumberWidth;
    return column;
}

} // namespace forms
