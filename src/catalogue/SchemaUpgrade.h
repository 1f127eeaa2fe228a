#pragma once
// Bringing table files of an older schema version up to the program's. The steps are
// additive (a field with its default, a table, an index) and come from the field tables:
// version n adds the rows whose since is n. Each file takes its steps and its new
// user_version in one transaction, so a file is either wholly at its old version or wholly
// at the new one.
#include "data/CatalogueCheck.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QTemporaryDir;

namespace core {
class WriterLock;
}

namespace data {
class TDM;
}

namespace engine {
class Database;
}

namespace catalogue {

/// Runs the steps of every file of versions below the program's schema version on the
/// database's attached files (checked by data::checkCatalogue), one transaction per file.
/// Returns the files upgraded. Throws EDatabaseError naming the file; files upgraded before
/// the failing one stay upgraded, the failing one stays as it was.
QStringList upgradeFiles(engine::Database& db, const std::vector<data::FileVersion>& versions);

/// What an upgrade did: the oldest version it met, the version the files have now, and the
/// backup of the folder as it was before.
struct UpgradeSummary {
    int fromVersion = 0;
    int toVersion = 0;
    QString backupFolder;
};

/// The program's upgrade at opening: a backup of the whole table folder into
/// backupParent/<stamp>-before-upgrade/ first, then upgradeFiles. Nothing is upgraded when
/// the backup fails.
UpgradeSummary upgradeWithBackup(engine::Database& db, const std::vector<data::FileVersion>& versions,
                                 const QString& backupParent, const QDateTime& now);

/// Installs upgradeWithBackup on the data module, with backups in Backup/ beside its table
/// folder; upgraded, when given, hears of each upgrade once it has succeeded.
void installUpgrade(data::TDM& dm, std::function<void(const UpgradeSummary&)> upgraded = {});

/// What the user is told of an upgrade (the versions and where the backup lies), in the
/// active language.
QString upgradeNotice(const UpgradeSummary& summary);

/// An upgraded copy of a table folder in the temporary folder, removed when it goes. Its
/// run holds a writer's lock on it, so a later run removes it when a kill left it.
class UpgradedCopy {
public:
    UpgradedCopy();
    ~UpgradedCopy();
    /// The copy's table folder.
    QString dataDir() const;
    bool isValid() const;
    QString errorString() const;

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<core::WriterLock> lock_;
};

/// For commands that only read: when a file of dataDir is older than the program, an
/// upgraded copy of the whole folder, and dataDir stays untouched; null when no file is
/// older. Removes copies killed runs left first. Refuses a newer file as the opening does;
/// a file that cannot be read is left for the opening to report.
std::unique_ptr<UpgradedCopy> upgradedCopy(const QString& dataDir);

/// The schema versions of dataDir's nine files, read without writing to them once SQLite
/// has rolled back what a killed program left half-written (as any opening does). Refuses a
/// file newer than the program (EDatabaseError naming it); empty when a file is missing,
/// unreadable or lacks its table or fields, which the opening or the command reports.
std::vector<data::FileVersion> scanVersions(const QString& dataDir);

/// For commands that write Data (the imports): when a file is older than the program, the
/// folder is backed up and upgraded as the opening does; true when it was. A newer file is
/// refused; a missing or unreadable one is left to the command.
bool upgradeFolder(const QString& dataDir, const QDateTime& now);

/// Where the program keeps its backups: Backup/ beside the table folder.
QString backupParentOf(const QString& dataDir);

} // namespace catalogue
