#pragma once
// Questions about a table file's make-up that the engine answers without opening a table:
// which fields a table has, whether a closed file is sound, and which fields a schema gives.
#include <QString>
#include <QStringList>

namespace engine {

class Database;

/// The fields of the attached schema's table (generated sort-key columns left out), in
/// their order. Throws EDatabaseError with SQLite's message.
QStringList columnNames(Database& db, const QString& schema);

/// The fields the statements (CREATE TABLE and CREATE INDEX) give the table, read from a
/// private database in memory. Throws EDatabaseError when the statements fail.
QStringList declaredColumns(const QStringList& statements, const QString& table);

/// What a read-only look at a closed table file finds: SQLite's integrity check and the
/// fields of the table named like the file.
struct TableFileCheck {
    QString problem;     ///< empty when the file opened and passed the integrity check
    QStringList columns; ///< the table's fields; empty when it has no such table
    int version = 0;     ///< the file's schema version (PRAGMA user_version)
};

/// How thorough the look is: SQLite's integrity check and the fields, or the fields only.
/// The integrity check reads every record and computes every sort key, some 10 to 20 s for
/// 100,000 tapes, so only a restore makes it.
enum class Thoroughness { Full, FieldsOnly };

/// Reads the file at path without writing to it or beside it (no journal is rolled back).
TableFileCheck inspectTableFile(const QString& path, const QString& table, Thoroughness how = Thoroughness::Full);

} // namespace engine
