#pragma once
// The program's backups: one after every run that changed the catalogue, and the command
// line's "--backup [DIR]" and "--restore DIR".
#include <QByteArray>
#include <QString>

namespace core {
struct ProgramPaths;
}

namespace app {

/// Where the program keeps its backups: Backup/ beside Data/.
QString backupFolder(const core::ProgramPaths& paths);

/// Runs "--backup [DIR]" standing at argv[at]: one backup now (also while the program
/// runs), in DIR or else the program's backup folder (which is then pruned). Prints where
/// it went; returns 0 done, 1 failed, 2 wrong arguments.
int runBackupCommand(int argc, char** argv, int at);

/// Runs "--restore DIR" standing at argv[at]: refuses while the program runs on the
/// folder, checks the backup, and puts it in Data's place, keeping the present Data.
/// Returns 0 done, 1 failed, 2 wrong arguments.
int runRestoreCommand(int argc, char** argv, int at);

/// At the end of a run of the windows: writes a backup when the catalogue's tables (the
/// stored window sizes and language aside) differ from the fingerprint taken at its
/// start, and prunes the old ones. A failure is shown once in the error box.
void backUpAfterRun(const QByteArray& fingerprintAtStart);

/// The fingerprint backUpAfterRun compares with.
QByteArray catalogueContentFingerprint();

} // namespace app
