#pragma once
// The catalogue's table files checked as a whole before any table opens, so that a
// missing, damaged or foreign file stops the opening before anything is read or written.
#include "Schema.h"

#include <QString>
#include <QStringList>

namespace engine {
class Database;
}

namespace data {

/// Attaches the nine table files (the engine checks each: a file, writable, not cut short,
/// an SQLite database holding its table) and checks that each table has the catalogue's
/// fields. Throws EDatabaseError naming the first file found wrong.
void checkCatalogue(engine::Database& db);

/// The catalogue's fields of file that columns lacks, matched without regard to case.
QStringList missingFields(const TableFile& file, const QStringList& columns);

/// "Table file '<path>' lacks the field(s) ..." for a file that misses fields.
QString missingFieldsMessage(const QString& path, const QStringList& missing);

} // namespace data
