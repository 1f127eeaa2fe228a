#pragma once
// The catalogue's table files checked as a whole before any table opens, so that a
// missing, damaged, foreign or too new file stops the opening before anything is read or
// written. Each file is checked against the fields of its own schema version.
#include "Schema.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace engine {
class Database;
}

namespace data {

/// A table file's schema version as found (PRAGMA user_version).
struct FileVersion {
    QString fileName; ///< "Video.db"
    QString schema;   ///< the attached schema's name
    int version = 0;
};

/// Attaches the nine table files (the engine checks each: a file, writable, not cut short,
/// an SQLite database holding its table), refuses a file of a newer schema version than
/// the program's and checks that each table has the fields of its version. Throws
/// EDatabaseError naming the first file found wrong; returns the versions in file order.
std::vector<FileVersion> checkCatalogue(engine::Database& db);

/// True when a file of versions is older than the program's schema.
bool needsUpgrade(const std::vector<FileVersion>& versions);

/// The fields a file of the given schema version must have that columns lacks, matched
/// without regard to case.
QStringList missingFields(const TableFile& file, const QStringList& columns, int version);

/// "Table file '<path>' lacks the field(s) ..." for a file that misses fields.
QString missingFieldsMessage(const QString& path, const QStringList& missing);

/// Throws EDatabaseError naming the file and both versions, in the active language, when
/// version is higher than the program's.
void refuseNewerFile(const QString& path, int version);

/// Throws EDatabaseError naming the file and both versions, asking the user to open the
/// catalogue in the program once, when version is lower than the program's (for a command
/// that cannot upgrade).
void refuseOlderFile(const QString& path, int version);

} // namespace data
