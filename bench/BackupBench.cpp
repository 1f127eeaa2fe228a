// A backup of the nine tables on generated catalogues, next to its baseline in the same run:
// each file copied by hand-written SQL ("VACUUM INTO"), with no common snapshot and no check.
// The copy alone (the online backup without the check of the copies) is reported as well.
#include "BenchCatalogue.h"
#include "Comparison.h"

#include "data/Backups.h"
#include "data/Schema.h"
#include "engine/TableBackup.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

void vacuumInto(const QString& dataDir, const QString& target)
{
    QDir().mkpath(target);
    for (const QString& name : data::catalogueFileNames()) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(QDir(dataDir).filePath(name).toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        const QByteArray sql = QStringLiteral("VACUUM INTO '%1'").arg(QDir(target).filePath(name)).toUtf8();
        sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
}

void BM_Backup(benchmark::State& state)
{
    bench::BenchCatalogue& catalogue = bench::BenchCatalogue::of(int(state.range(0)));
    bench::Comparison comparison(state);
    int round = 0;
    for (auto _ : state) {
        QTemporaryDir out;
        const QString baseline = out.path() + QStringLiteral("/baseline-%1").arg(round++);
        comparison.run([&] { data::writeBackup(catalogue.dataDir(), out.path(), QDateTime::currentDateTime()); },
                       [&] { vacuumInto(catalogue.dataDir(), baseline); });
    }
}

void BM_BackupCopyOnly(benchmark::State& state)
{
    bench::BenchCatalogue& catalogue = bench::BenchCatalogue::of(int(state.range(0)));
    bench::Comparison comparison(state);
    int round = 0;
    for (auto _ : state) {
        QTemporaryDir out;
        const QString copy = out.path() + QStringLiteral("/copy");
        const QString baseline = out.path() + QStringLiteral("/baseline-%1").arg(round++);
        QDir().mkpath(copy);
        comparison.run([&] { engine::backUpTableFiles(catalogue.dataDir(), data::catalogueFileNames(), copy); },
                       [&] { vacuumInto(catalogue.dataDir(), baseline); });
    }
}

} // namespace

BENCHMARK(BM_Backup)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BackupCopyOnly)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
