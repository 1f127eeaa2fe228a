// The import of an old Paradox catalogue (descriptions of about 1.5 KB, three cast rows per tape)
// next to its baseline in the same run: the same rows inserted with hand-written SQL into a new
// table folder in one transaction, without reading or converting anything. The peak memory of
// the import alone is reported too: it must not grow with the number of tapes.
#include "Comparison.h"
#include "Memory.h"
#include "OldCatalogue.h"

#include "data/CatalogueFolder.h"
#include "import/CatalogueImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <sqlite3.h>

namespace {

constexpr int descriptionBytes = 1500;

struct OldFolder {
    QTemporaryDir dir;
    QString data() const { return dir.path() + QStringLiteral("/Data"); }
};

OldFolder& oldCatalogue(int tapes)
{
    static std::map<int, std::unique_ptr<OldFolder>> made;
    std::unique_ptr<OldFolder>& folder = made[tapes];
    if (!folder) {
        folder = std::make_unique<OldFolder>();
        paradoxtest::writeLargeOldCatalogue(folder->data(), tapes, descriptionBytes);
    }
    return *folder;
}

void exec(sqlite3* db, const char* sql)
{
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// The same rows, written by hand into the nine new tables.
void importBaseline(const QString& data, int tapes)
{
    data::createCatalogue(data);
    sqlite3* db = nullptr;
    sqlite3_open((data + QStringLiteral("/Video.db")).toUtf8().constData(), &db);
    exec(db, ("ATTACH '" + (data + QStringLiteral("/Medvirker.db")).toUtf8() + "' AS m").constData());
    exec(db, "PRAGMA synchronous=EXTRA");
    exec(db, "PRAGMA m.synchronous=EXTRA");
    exec(db, "BEGIN");
    sqlite3_stmt* video = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Video(TapeNr, Titel, Start, Slut, Varighed, Type, Kopi, Laengde, Kategori, Udlaan, "
                       "Instruktor, Optagetaf, OptagetDato, Fabrikat, Indhold) "
                       "VALUES(?, ?, '01:30', '03:00', '01:30:00', 'VHS', 'Original', '02:00', 'Drama', 'Nej', "
                       "'Instruktør', 'Far', '2000-01-01', 'Sony', ?)",
                       -1, &video, nullptr);
    sqlite3_stmt* cast = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO m.Medvirker(Tapenr, Titel, Skuespiller, Rolle) VALUES(?, ?, ?, 'Rolle')", -1,
                       &cast, nullptr);
    const QByteArray description(descriptionBytes, 'd');
    for (int i = 1; i <= tapes; ++i) {
        const QByteArray number = QStringLiteral("%1-00").arg(i, 4, 10, QLatin1Char('0')).toUtf8();
        const QByteArray title = "Film " + QByteArray::number(i);
        sqlite3_bind_text(video, 1, number.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(video, 2, title.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(video, 3, description.constData(), int(description.size()), SQLITE_STATIC);
        sqlite3_step(video);
        sqlite3_reset(video);
        for (int c = 0; c < 3; ++c) {
            const QByteArray actor = "Skuespiller " + QByteArray::number(i % 997 + c);
            sqlite3_bind_text(cast, 1, number.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(cast, 2, title.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(cast, 3, actor.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_step(cast);
            sqlite3_reset(cast);
        }
    }
    sqlite3_finalize(video);
    sqlite3_finalize(cast);
    exec(db, "COMMIT");
    sqlite3_close(db);
}

void BM_ImportParadox(benchmark::State& state)
{
    const int tapes = int(state.range(0));
    OldFolder& old = oldCatalogue(tapes);
    bench::Comparison comparison(state);
    double growth = 0;
    for (auto _ : state) {
        QTemporaryDir program;
        import::ImportOptions options;
        options.sourceFolder = old.data();
        options.dataFolder = program.path() + QStringLiteral("/Data");
        options.picturesFolder = program.path() + QStringLiteral("/Billeder");
        QTemporaryDir baseline;
        comparison.run(
            [&] {
                bench::resetPeakMemory();
                const double before = bench::memoryMb("VmRSS:");
                import::importParadox(options);
                growth = std::max(growth, bench::memoryMb("VmHWM:") - before);
            },
            [&] { importBaseline(baseline.path() + QStringLiteral("/Data"), tapes); });
    }
    state.counters["memory_growth_mb"] = growth;
}

BENCHMARK(BM_ImportParadox)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
