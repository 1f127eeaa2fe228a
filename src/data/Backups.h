#pragma once
// The program's own copies of the catalogue: Backup/<date>-<time>/ in the program folder,
// each with the nine table files as they stood at one moment.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace data {

/// How many of the newest backups are always kept, and for how many months the newest of
/// each month is kept besides.
constexpr int kBackupsKept = 10;
constexpr int kMonthlyBackupsKept = 12;

/// A cheap mark of the table files' present state (each file's identity, size, time and
/// SQLite's change counter, which every commit raises): equal marks, unchanged catalogue.
/// The files named in leftOut do not count.
QByteArray catalogueFingerprint(const QString& dataDir, const QStringList& leftOut = {});

/// Writes the nine tables of dataDir into a new folder in parentDir (made when missing)
/// named after now, "2026-12-09-181530" ("-2", "-3", ... when taken), and returns its
/// path. The copies are taken with SQLite's online backup, so the program may be running;
/// each copy must hold its table with the fields of its schema version, and none may be newer
/// than the program. The folder appears only once
/// complete, and a failure leaves nothing of it behind. Throws EDatabaseError or
/// EInOutError with the cause. A suffix ("-before-upgrade") names a copy kept apart: it is
/// neither listed nor pruned as one of the backups.
QString writeBackup(const QString& dataDir, const QString& parentDir, const QDateTime& now,
                    const QString& suffix = QString());

/// Deletes the backups in parentDir beyond the newest kBackupsKept, except the newest of
/// each of the last kMonthlyBackupsKept months (now's month counted), and what a write
/// that was cut off left. Only folders named like a backup are touched. Returns the
/// folders deleted.
QStringList pruneBackups(const QString& parentDir, const QDateTime& now);

/// The backups in parentDir, newest first (folder names).
QStringList backupsIn(const QString& parentDir);

} // namespace data
