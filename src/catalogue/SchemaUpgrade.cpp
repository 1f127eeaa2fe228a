#include "SchemaUpgrade.h"

#include "core/Errors.h"
#include "core/LeftOvers.h"
#include "core/SectionTexts.h"
#include "data/Backups.h"
#include "data/DM.h"
#include "data/FieldTable.h"
#include "data/Loans.h"
#include "engine/Database.h"
#include "engine/StaleJournals.h"
#include "engine/TableBackup.h"
#include "engine/TableCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>

namespace catalogue {

namespace {

// What a step does besides adding fields and indexes: values the newer version keeps that
// the older one never had.
struct UpgradeContext {
    int loanDays = data::kDefaultLoanDays;
};

void fillValues(engine::Database& db, const data::FileVersion& file, int version, const UpgradeContext& context)
{
    // Before version 4 a loan of the first releases kept no due date after its upgrade, so it
    // was never overdue: it is due at its date plus the loan period, as a new loan is.
    if (version == 4 && file.fileName == QLatin1String("Udlaan.db"))
        data::fillMissingDueDates(db, file.schema, context.loanDays);
}

void upgradeFile(engine::Database& db, const data::FileVersion& file, const UpgradeContext& context)
{
    const data::TableSpec& spec = data::tableSpec(file.fileName);
    engine::Transaction transaction(db);
    for (int version = file.version + 1; version <= data::kSchemaVersion; ++version) {
        for (const QString& statement : data::upgradeStatements(spec, version, file.schema))
            db.exec(statement);
        fillValues(db, file, version, context);
    }
    db.exec(QStringLiteral("PRAGMA \"%1\".user_version = %2").arg(file.schema).arg(data::kSchemaVersion));
    transaction.commit();
}

} // namespace

QStringList upgradeFiles(engine::Database& db, const std::vector<data::FileVersion>& versions)
{
    // Read before any file changes: the configuration may be upgraded after the loans.
    UpgradeContext context;
    for (const data::FileVersion& file : versions)
        if (file.fileName == QLatin1String("Config.DB"))
            context.loanDays = data::storedLoanDays(db, file.schema);
    QStringList upgraded;
    for (const data::FileVersion& file : versions) {
        if (file.version >= data::kSchemaVersion)
            continue;
        try {
            upgradeFile(db, file, context);
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
    // An upgrade killed inside a file's transaction left its journal: the file is at its old
    // version once SQLite has rolled it back, and only then can a read-only look see it.
    engine::rollBackHotJournals(dataDir, data::catalogueFileNames());
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

namespace {
const QString kCopyPrefix = QStringLiteral("spolarkiv-upgraded-");
}

UpgradedCopy::UpgradedCopy()
    : dir_(std::make_unique<QTemporaryDir>(QDir::tempPath() + QLatin1Char('/') + kCopyPrefix + QStringLiteral("XXXXXX"))),
      lock_(std::make_unique<core::WriterLock>())
{
    if (dir_->isValid())
        lock_->lock(dir_->path());
}

UpgradedCopy::~UpgradedCopy() = default;

QString UpgradedCopy::dataDir() const
{
    return dir_->path() + QStringLiteral("/Data");
}

bool UpgradedCopy::isValid() const
{
    return dir_->isValid();
}

QString UpgradedCopy::errorString() const
{
    return dir_->errorString();
}

std::unique_ptr<UpgradedCopy> upgradedCopy(const QString& dataDir)
{
    if (!data::needsUpgrade(scanVersions(dataDir)))
        return nullptr;
    core::removeLeftOvers(QDir::tempPath(), QRegularExpression(QStringLiteral("^%1[A-Za-z0-9]{6}$").arg(kCopyPrefix)));
    auto copy = std::make_unique<UpgradedCopy>();
    const QString folder = copy->dataDir();
    if (!copy->isValid() || !QDir().mkpath(folder))
        throw core::EInOutError(core::sectionText("Catalogue", "NoTemporaryFolder", QStringLiteral("Der kan ikke laves en midlertidig mappe: %1"))
                                    .arg(copy->errorString()));
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
