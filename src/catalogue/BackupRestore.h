#pragma once
// Putting one of the program's backups (or any folder with the nine table files) in the
// place of Data, after every table in it has been checked.
#include <QString>

namespace catalogue {

/// Checks the backup in backupDir without writing to it: each of the nine table files is a
/// regular file with no journal beside it, passes SQLite's integrity check and has its
/// table with the catalogue's fields. Throws ECatalogueError naming the file and the fault.
void checkBackup(const QString& backupDir);

/// Checks the backup, copies it into a new folder beside dataFolder and swaps that into
/// dataFolder's place; the present Data (when there is one) is kept as
/// "Data-before-restore-<date>-<time>", whose path is returned ("" when there was none).
/// An unfinished copy a killed restore left beside Data is removed first. Throws
/// ECatalogueError; the present Data is then as it was.
QString restoreBackup(const QString& backupDir, const QString& dataFolder);

} // namespace catalogue
