#pragma once
// Designed grid columns of the windows in this folder.
#include "dbctrls/DBGridModel.h"

namespace forms {

/// A column of a field; an empty title shows the field name, width -1 the grid's default.
/// A tape-number column's editor takes no more than a tape number's width.
dbctrls::TDBGridColumn gridColumn(const QString& field, const QString& title = QString(), int width = -1);

} // namespace forms
