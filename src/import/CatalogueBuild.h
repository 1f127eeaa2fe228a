#pragma once
// What every import does with the rows it has converted, whatever file they came from:
// writes them with the record rules applied, adds the lookup values those rules would add,
// builds a whole new catalogue beside Data and swaps it in, and saves the report.
#include "CatalogueImport.h"
#include "ValueConversion.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>

namespace engine {
class Database;
}

namespace import {

/// The statement that stores one row of the table: an INSERT (OR IGNORE for tables keyed on
/// their first field), for the configuration an UPDATE of its one record.
QString insertStatement(const CatalogueTable& table);

/// The value read for field i of the table; a null QVariant when the source lacks it.
using ValueAt = std::function<QVariant(int field)>;

/// Converts one row of the table into row (sized to its fields). On Video the record rules
/// apply: a tape number they would refuse is refused, and the duration is computed where
/// start and end are given. Throws EImportError with the reason.
void convertRow(const CatalogueTable& table, const ValueAt& value, QVector<QVariant>& row);

/// Adds the values that posting the stored tapes (and, withCast, cast rows) would add to
/// the lookup tables, which must be attached; returns how many were added.
qint64 addLookupValues(engine::Database& db, bool withCast);

/// Drops the tape table's indexes other than its key, and its search index, in a new catalogue
/// (attached, inside the load's transaction), so that a bulk load builds each once after the
/// rows, as SQLite sorts them, instead of row by row. Returns the statements that make the
/// indexes again.
QStringList dropTapeIndexesForLoad(engine::Database& db);
/// Makes the indexes dropTapeIndexesForLoad dropped and, with withSearch, the search index from
/// the rows (so the new catalogue opens at once), calling tick while it fills. A dry run, whose
/// catalogue is thrown away, leaves the search index out.
void remakeTapeIndexes(engine::Database& db, const QStringList& statements, const std::function<void()>& tick,
                       bool withSearch = true);

/// Copies the configuration of the catalogue in dataFolder (window sizes, language) into
/// db's new configuration; false when there is none that can be read.
bool keepPresentSettings(engine::Database& db, const QString& dataFolder);

/// Builds a new catalogue with build(folder) and puts it in the place of options.dataFolder,
/// the previous Data kept as "<keptPrefix><stamp>" beside it (report.keptData). On a dry run
/// build runs on a scratch folder that is removed afterwards. Returns the stamp.
QString buildAndSwap(const ImportOptions& options, const QString& keptPrefix, ImportReport& report,
                     const std::function<void(const QString& folder)>& build);

/// Saves the report beside Data as Import-<stamp>.txt and notes where (report.reportFile).
void saveReport(ImportReport& report, const QString& dataFolder, const QString& stamp);

} // namespace import
