// The upgrade of an older catalogue at opening (the check, the backup before it and the steps),
// next to its baseline in the same run: the same columns and index added by hand-written
// ALTER TABLE statements, with no check and no backup. The older catalogue is the generated
// one with the fields of later versions taken out again.
#include "BenchCatalogue.h"
#include "Comparison.h"

#include "catalogue/SchemaUpgrade.h"
#include "data/DM.h"
#include "data/FieldTable.h"
#include "data/Schema.h"
#include "engine/SortExpression.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <map>
#include <sqlite3.h>

namespace {

void execOn(const QString& path, const QString& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK)
        qFatal("%s: %s", qPrintable(sql), error);
    sqlite3_close(db);
}

void copyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QString& name : data::catalogueFileNames())
        QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name));
}

// The generated catalogue as version 0 made it, once per size.
QString versionZero(bench::BenchCatalogue& catalogue)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> made;
    std::unique_ptr<QTemporaryDir>& dir = made[catalogue.tapes()];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        copyFolder(catalogue.dataDir(), dir->path());
        for (const data::TableSpec& spec : data::tableSpecs()) {
            QString sql;
            for (const data::IndexSpec& index : spec.indexes)
                if (index.since > 0)
                    sql += QStringLiteral("DROP INDEX IF EXISTS \"%1\";").arg(index.name);
            // A sort key's columns go before the field they are made from, the last first.
            for (const data::FieldSpec& field : spec.fields)
                if (field.sorted && std::max(field.since, field.sortedSince) > 0) {
                    QStringList columns = engine::danishSortColumns(QLatin1String(field.name));
                    std::reverse(columns.begin(), columns.end());
                    for (const QString& column : columns)
                        sql += QStringLiteral("ALTER TABLE \"%1\" DROP COLUMN %2;").arg(spec.table, column.section(QLatin1Char(' '), 0, 0));
                }
            for (const data::FieldSpec& field : spec.fields)
                if (field.since > 0)
                    sql += QStringLiteral("ALTER TABLE \"%1\" DROP COLUMN \"%2\";").arg(spec.table, QLatin1String(field.name));
            execOn(QDir(dir->path()).filePath(spec.fileName), sql + QStringLiteral("PRAGMA user_version = 0; VACUUM;"));
        }
    }
    return dir->path();
}

void alterByHand(const QString& dataDir)
{
    const QString pragmas = QStringLiteral("PRAGMA journal_mode=DELETE; PRAGMA synchronous=EXTRA; BEGIN;");
    QString placeKey;
    for (const QString& column : engine::danishSortColumns(QStringLiteral("Placering")))
        placeKey += QStringLiteral("ALTER TABLE Video ADD COLUMN %1; ").arg(column);
    execOn(dataDir + QStringLiteral("/Video.db"),
           pragmas + QStringLiteral("ALTER TABLE Video ADD COLUMN Placering TEXT; ALTER TABLE Video ADD COLUMN EAN TEXT; ") + placeKey
               + QStringLiteral("CREATE INDEX IndexPlacering ON Video(Placering_sortkey, Placering); PRAGMA user_version = 3; COMMIT"));
    execOn(dataDir + QStringLiteral("/Udlaan.db"), pragmas + QStringLiteral("ALTER TABLE Udlaan ADD COLUMN Forfald DATE; "
                                                                           "ALTER TABLE Udlaan ADD COLUMN ReturDato DATE; "
                                                                           "CREATE INDEX IndexForfald ON Udlaan(Forfald); "
                                                                           "CREATE INDEX IndexAabne ON Udlaan(Forfald, Tapenr) WHERE "
                                                                           "coalesce(Returneret, '') <> 'Ja' AND coalesce(ReturDato, '') = ''; "
                                                                           "PRAGMA user_version = 3; COMMIT"));
    execOn(dataDir + QStringLiteral("/Config.DB"),
           pragmas + QStringLiteral("ALTER TABLE Config ADD COLUMN Laanetid INTEGER DEFAULT 30; "
                                    "ALTER TABLE Config ADD COLUMN VisOverskredne INTEGER DEFAULT 1; PRAGMA user_version = 3; COMMIT"));
    for (const char* name : {"Kategori.db", "Type.db", "Instruktor.db", "Optagetaf.db", "Skuespiller.DB", "Medvirker.db"})
        execOn(QDir(dataDir).filePath(QLatin1String(name)), QStringLiteral("PRAGMA user_version = 3"));
}

void upgrade(const QString& dataDir, bool withBackup)
{
    data::TDM dm(dataDir);
    if (withBackup) {
        catalogue::installUpgrade(dm);
    } else {
        dm.Upgrade = [](data::TDM& module, const std::vector<data::FileVersion>& versions) {
            catalogue::upgradeFiles(module.database(), versions);
        };
    }
    dm.CheckTables();
}

void runUpgrade(benchmark::State& state, bool withBackup)
{
    bench::BenchCatalogue& catalogue = bench::BenchCatalogue::of(int(state.range(0)));
    const QString old = versionZero(catalogue);
    bench::Comparison comparison(state);
    for (auto _ : state) {
        QTemporaryDir out;
        const QString ours = out.path() + QStringLiteral("/ours/Data");
        const QString baseline = out.path() + QStringLiteral("/baseline");
        copyFolder(old, ours);
        copyFolder(old, baseline);
        comparison.run([&] { upgrade(ours, withBackup); }, [&] { alterByHand(baseline); });
    }
}

void BM_Upgrade(benchmark::State& state)
{
    runUpgrade(state, true);
}

void BM_UpgradeStepsOnly(benchmark::State& state)
{
    runUpgrade(state, false);
}

} // namespace

BENCHMARK(BM_Upgrade)->Arg(1000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UpgradeStepsOnly)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
