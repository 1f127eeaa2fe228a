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
/// The same columns with the fold starting from an SQL expression of the row instead of the
/// column itself (numbers by value: coalesce(digitRunColumn(column), column)).
QStringList danishSortColumns(const QString& column, const QString& from);
/// The stored column that holds a text column's digit-run key (digitRunKey of its value),
/// filled by triggers. Not a field: the engine leaves columns of this name out.
QString digitRunColumn(const QString& column);
/// True for a column named as digitRunColumn names them.
bool isDigitRunColumn(const QString& name);
/// An SQL expression over value (an expression of the row, such as new."Placering") that
/// writes each run of digits as its length and its digits without leading zeros, so that
/// plain text order puts "hylde 2" ("hylde 012") before "hylde 10" ("hylde 0210"). Plain
/// SQL (a recursive common table expression), usable in a trigger.
QString digitRunKey(const QString& value);
/// The name of the generated column that holds a text column's sort key.
QString danishSortKey(const QString& column);
/// The value danishSortKey(column) holds for a column holding text: the same fold, in C++.
QString danishFold(const QString& text);

} // namespace engine
