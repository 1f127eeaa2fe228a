#pragma once
// The Danish sort key of a text column, shared by the table files' schema and the engine.
#include <QString>
#include <QStringList>

namespace engine {

/// Column definitions that give a text column its Danish, case-insensitive sort key, built
/// from replace() only (A-Z to a-z; æ/ä, ø/ö, å after z; other accents to their base letter)
/// as VIRTUAL generated columns; the last one is danishSortKey(column). The engine never
/// shows generated columns as fields (it reads PRAGMA table_info). An order on the column is
/// an index on (sort key, column), which serves ORDER BY sort key, column, rowid.
QStringList danishSortColumns(const QString& column);
/// The name of the generated column that holds a text column's sort key.
QString danishSortKey(const QString& column);
/// The value danishSortKey(column) holds for a column holding text: the same fold, in C++.
QString danishFold(const QString& text);

} // namespace engine
