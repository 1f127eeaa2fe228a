#pragma once
// Copies of table files taken with SQLite's online backup while the files may be in use.
#include <QString>
#include <QStringList>

namespace engine {

/// Copies the table files named (in dataDir) into targetDir, which exists and holds none of
/// them. All copies come from one state of the catalogue: a read lock on every file is held
/// from the first page copied to the last, so a writer waits (within the busy timeout) and
/// a copy never holds half a transaction. Each copy is written to disk before the call
/// returns. Nothing in dataDir is written, except that SQLite undoes a change a killed
/// program left half-written, as every open does. Throws EDatabaseError naming the file.
void backUpTableFiles(const QString& dataDir, const QStringList& fileNames, const QString& targetDir);

} // namespace engine
