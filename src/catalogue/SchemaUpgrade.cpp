#include "SchemaUpgrade.h"

#include "core/Errors.h"
#include "core/SectionTexts.h"
#include "data/Backups.h"
#include "data/DM.h"
#include "data/FieldTable.h"
#include "engine/Database.h"
#include "engine/TableBackup.h"
#include "engine/TableCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>

namespace catalogue {

namespace {

void upgradeFile(engine::Database& db, const data::FileVersion& file)
{
    const data::TableSpec& spec = data::tableSpec(file.fileName);
    engine::Transaction transaction(db);
    for (int version = file.version + 1; version <= data::kSchemaVersion; ++version)
        for (const QString& statement : data::upgradeStatements(spec, version, file.schema))
            db.exec(statement);
    db.exec(QStringLiteral("PRAGMA \"%1\".user_version = %2").arg(file.schema).arg(data::kSchemaVersion));
    transaction.commit();
}

} // namespace

QStringList upgradeFiles(engine::Database& db, const std::vector<data::FileVersion>& versions)
{
    QStringList upgraded;
    for (const data::FileVersion& file : versions) {
        if (file.version >= data::kSchemaVersion)
            continue;
        try {
            upgradeFile(db, file);
        } catch (const core::EDatabaseError& error) {
            throw core::EDatabaseError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(db.filePath(file.schema)), error.message()));
        }
        upgraded << file.fileName;
    }
    return upgraded;
}

QString backupParentOf(const QString& dataDir)
{
    return QFileInfo(QDir(dataDir).absolutePath()).absolutePath() + QStringLiteral("/Backup");
}

UpgradeSummary upgradeWithBackup(engine::Database& db, const std::vector<data::FileVersion>& versions,
                                 const QString& backupParent, const QDateTime& now)
{
    UpgradeSummary summary;
    summary.toVersion = data::kSchemaVersion;
    summary.fromVersion = data::kSchemaVersion;
    for (const data::FileVersion& file : versions)
        summary.fromVersion = std::min(summary.fromVersion, file.version);
    summary.backupFolder = data::writeBackup(db.dataDir(), backupParent, now, QStringLiteral("-before-upgrade"));
    upgradeFiles(db, versions);
    return summary;
}

void installUpgrade(data::TDM& dm, std::function<void(const UpgradeSummary&)> upgraded)
{
    dm.Upgrade = [upgraded](data::TDM& module, const std::vector<data::FileVersion>& versions) {
        engine::Database& db = module.database();
        const UpgradeSummary summary =
            upgradeWithBackup(db, versions, backupParentOf(db.dataDir()), QDateTime::currentDateTime());
        if (upgraded)
            upgraded(summary);
    };
}

QString upgradeNotice(const UpgradeSummary& summary)
{
    return core::sectionText("Catalogue", "Upgraded",
                             QStringLiteral("Kataloget er opgraderet fra katalogversion %1 til katalogversion %2. "
                                            "En sikkerhedskopi af kataloget, som det var før opgraderingen, ligger i \"%3\"."))
        .arg(summary.fromVersion)
        .arg(summary.toVersion)
        .arg(QDir::toNativeSeparators(summary.backupFolder));
}

std::vector<data::FileVersion> scanVersions(const QString& dataDir)
{
    std::vector<data::FileVersion> versions;
    for (const data::TableFile& file : data::catalogueFiles()) {
        const QString path = QDir(dataDir).absoluteFilePath(file.fileName);
        if (!QFileInfo(path).isFile())
            return {};
        const QString table = QFileInfo(file.fileName).completeBaseName();
        const engine::TableFileCheck check = engine::inspectTableFile(path, table, engine::Thoroughness::FieldsOnly);
        data::refuseNewerFile(path, check.version);
        // An empty file reads as a database of version 0 without tables: the opening names it.
        if (!check.problem.isEmpty() || check.columns.isEmpty() || !data::missingFields(file, check.columns, check.version).isEmpty())
            return {};
        versions.push_back({file.fileName, table, check.version});
    }
    return versions;
}

std::unique_ptr<QTemporaryDir> upgradedCopy(const QString& dataDir)
{
    if (!data::needsUpgrade(scanVersions(dataDir)))
        return nullptr;
    auto copy = std::make_unique<QTemporaryDir>();
    const QString folder = copy->path() + QStringLiteral("/Data");
    if (!copy->isValid() || !QDir().mkpath(folder))
        throw core::EInOutError(QStringLiteral("Cannot create a temporary folder: %1").arg(copy->errorString()));
    engine::backUpTableFiles(dataDir, data::catalogueFileNames(), folder);
    engine::Database db(folder);
    upgradeFiles(db, data::checkCatalogue(db));
    return copy;
}

bool upgradeFolder(const QString& dataDir, const QDateTime& now)
{
    if (!data::needsUpgrade(scanVersions(dataDir)))
        return false;
    engine::Database db(dataDir);
    upgradeWithBackup(db, data::checkCatalogue(db), backupParentOf(dataDir), now);
    return true;
}

} // namespace catalogue
