#include "GridColumns.h"

namespace forms {

dbctrls::TDBGridColumn gridColumn(const QString& field, const QString& title, int width)
{
    dbctrls::TDBGridColumn column;
    column.fieldName = field;
    column.title = title;
    column.width = width;
    return column;
}

} // namespace forms
