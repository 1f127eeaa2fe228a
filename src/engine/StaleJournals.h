#pragma once
// Leftovers of killed writers in a table folder: rollback journals that SQLite no longer
// counts as hot and super-journals that no journal needs any more.
#include <QString>
#include <QStringList>

namespace engine {

/// Removes what is provably stale in dataDir and returns the names of the removed files:
/// a "<file>-journal" that is empty or whose 28-byte header is all zero (SQLite never rolls
/// such a journal back), and a "<file>-mj<hex>" super-journal that no existing journal names.
/// Nothing is removed unless every table file of the folder could be locked for writing at
/// once, so no other program is in the middle of a transaction. Never throws; on any doubt
/// the file stays.
QStringList removeStaleJournals(const QString& dataDir) noexcept;

/// Lets SQLite roll back what a killed program left half-written (a hot journal) in the
/// named table files of dataDir, as any read-write opening would, before a read-only look
/// at them. A file that is a link or cannot be opened is left to the opening to report; a
/// journal another program still holds is left alone by SQLite. Never throws.
void rollBackHotJournals(const QString& dataDir, const QStringList& fileNames) noexcept;

} // namespace engine
