// The table engine against hand-written SQL on the same generated catalogues, in one run.
// Each benchmark's time is the engine's; the counters give both and their ratio.
#include "BenchCatalogue.h"
#include "BenchSql.h"
#include "Comparison.h"

#include "engine/DataSource.h"
#include "engine/Database.h"
#include "engine/Filter.h"
#include "engine/Table.h"

#include <QLocale>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>
#include <vector>

namespace {

using bench::BenchCatalogue;

using bench::Comparison;
using bench::secondsOf;

using bench::bindText;
using bench::stepAll;

/// The data module's ten components, opened in its order.
struct OpenCatalogue {
    explicit OpenCatalogue(const QString& dataDir) : db(dataDir)
    {
        const char* files[] = {"Config.DB", "Video.db", "Skuespiller.DB", "Medvirker.db", "Medvirker.db",
                               "Kategori.db", "Type.db", "Udlaan.db", "Instruktor.db", "Optagetaf.db"};
        for (const char* file : files)
            tables.push_back(std::make_unique<engine::Table>(db, QLatin1String(file)));
        videoSource = std::make_unique<engine::DataSource>(video());
        engine::Table& cast = *tables[3];
        cast.SetMasterSource(videoSource.get());
        cast.SetMasterFields(QStringLiteral("Tapenr"));
        cast.SetIndexFieldNames(QStringLiteral("Tapenr"));
        for (auto& table : tables)
            table->Open();
    }
    engine::Table* video() { return tables[1].get(); }

    engine::Database db;
    std::vector<std::unique_ptr<engine::Table>> tables;
    std::unique_ptr<engine::DataSource> videoSource;
};

const QStringList kOrderNames = {QStringLiteral("IndexTitel"), QStringLiteral("IndexKategori"),
                                 QStringLiteral("IndexType"), QString()};
const QStringList kOrderBy = {QStringLiteral("Titel_sortkey, Titel"), QStringLiteral("Kategori_sortkey, Kategori"),
                              QStringLiteral("Type_sortkey, Type"), QStringLiteral("TapeNr")};

void BM_OpenAllTables(benchmark::State& state)
{
    BenchCatalogue& catalogue = BenchCatalogue::of(int(state.range(0)));
    Comparison comparison(state);
    for (auto _ : state) {
        comparison.run([&] { OpenCatalogue open(catalogue.dataDir()); },
                       [&] {
                           // Each file opened with the same settings, its rows read in primary order.
                           const std::pair<const char*, const char*> files[] = {
                               {"Config.DB", "SELECT rowid FROM Config"},
                               {"Video.db", "SELECT rowid FROM Video ORDER BY TapeNr"},
                               {"Skuespiller.DB", "SELECT rowid FROM Skuespiller ORDER BY Skuespiller_sortkey, Skuespiller"},
                               {"Medvirker.db", "SELECT rowid FROM Medvirker WHERE Tapenr = '0001-00' ORDER BY Tapenr"},
                               {"Medvirker.db", "SELECT rowid FROM Medvirker"},
                               {"Kategori.db", "SELECT rowid FROM Kategori ORDER BY Kategori_sortkey, Kategori"},
                               {"Type.db", "SELECT rowid FROM Type ORDER BY Type_sortkey, Type"},
                               {"Udlaan.db", "SELECT rowid FROM Udlaan"},
                               {"Instruktor.db", "SELECT rowid FROM Instruktor ORDER BY Instruktor_sortkey, Instruktor"},
                               {"Optagetaf.db", "SELECT rowid FROM Optagetaf ORDER BY Optagetaf_sortkey, Optagetaf"}};
                           for (const auto& [file, sql] : files) {
                               sqlite3* db = nullptr;
                               sqlite3_open((catalogue.dataDir() + QLatin1Char('/') + QLatin1String(file)).toUtf8().constData(), &db);
                               sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=EXTRA", nullptr, nullptr, nullptr);
                               stepAll(db, QLatin1String(sql));
                               sqlite3_close(db);
                           }
                       });
    }
}

void BM_SwitchOrder(benchmark::State& state)
{
    BenchCatalogue& catalogue = BenchCatalogue::of(int(state.range(0)));
    OpenCatalogue open(catalogue.dataDir());
    Comparison comparison(state);
    for (auto _ : state) {
        comparison.run(
            [&] {
                for (const QString& name : kOrderNames)
                    open.video()->SetIndexName(name);
            },
            [&] {
                for (const QString& order : kOrderBy)
                    stepAll(catalogue.baseline(), QStringLiteral("SELECT rowid FROM Video ORDER BY ") + order);
            });
    }
}

void BM_SelectCategory(benchmark::State& state)
{
    BenchCatalogue& catalogue = BenchCatalogue::of(int(state.range(0)));
    OpenCatalogue open(catalogue.dataDir());
    open.video()->SetFiltered(true);
    Comparison comparison(state);
    int i = 0;
    for (auto _ : state) {
        const QString category = catalogue.categories().at(i++ % catalogue.categories().size());
        comparison.run([&] { open.video()->SetFilter(engine::makeFilter(QStringLiteral("Kategori"), category)); },
                       [&] {
                           stepAll(catalogue.baseline(), QStringLiteral("SELECT rowid FROM Video WHERE Kategori = ?1 ORDER BY TapeNr"),
                                   {category});
                       });
    }
}

QString storedTitle(BenchCatalogue& catalogue, int tape)
{
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(catalogue.baseline(), "SELECT Titel FROM Video WHERE TapeNr = ?1", -1, &statement, nullptr);
    bindText(statement, 1, BenchCatalogue::tapeNr(tape));
    QString title;
    if (sqlite3_step(statement) == SQLITE_ROW)
        title = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return title;
}

void BM_LocateTitle(benchmark::State& state)
{
    BenchCatalogue& catalogue = BenchCatalogue::of(int(state.range(0)));
    OpenCatalogue open(catalogue.dataDir());
    Comparison comparison(state);
    int i = 0;
    for (auto _ : state) {
        // The stored title: the post benchmark edits titles of a kept catalogue.
        const QString title = storedTitle(catalogue, (i++ * 7919) % catalogue.tapes());
        comparison.run(
            [&] {
                if (!open.video()->Locate(QStringLiteral("Titel"), title))
                    state.SkipWithError("title not found");
            },
            [&] {
                stepAll(catalogue.baseline(), QStringLiteral("SELECT rowid FROM Video WHERE Titel = ?1 ORDER BY TapeNr LIMIT 1"),
                        {title});
            });
    }
}

void BM_PostEditedTape(benchmark::State& state)
{
    BenchCatalogue& catalogue = BenchCatalogue::of(int(state.range(0)));
    OpenCatalogue open(catalogue.dataDir());
    engine::Table& video = *open.video();
    video.SetIndexName(state.range(1) ? QStringLiteral("IndexTitel") : QString());
    Comparison comparison(state);
    int i = 0;
    for (auto _ : state) {
        const int tape = (i * 7919) % catalogue.tapes();
        const QString title = catalogue.title(tape) + QStringLiteral(" (%1)").arg(i++);
        video.Locate(QStringLiteral("TapeNr"), BenchCatalogue::tapeNr(tape));
        comparison.run(
            [&] {
                video.Edit();
                video.FieldByName(QStringLiteral("Titel")).SetAsString(title);
                video.Post();
            },
            [&] {
                sqlite3* db = catalogue.baseline();
                sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
                stepAll(db, QStringLiteral("UPDATE Video SET Titel = ?1 WHERE TapeNr = ?2"),
                        {title + QStringLiteral("'"), BenchCatalogue::tapeNr(tape)});
                sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
            });
    }
}

/// Steps the whole table in tape-number order, handing each row's text columns to a reader.
void stepInOrder(BenchCatalogue& catalogue, const QStringList& columns, const std::function<void(sqlite3_stmt*)>& read)
{
    sqlite3* db = catalogue.baseline();
    sqlite3_stmt* statement = nullptr;
    const QByteArray sql = QStringLiteral("SELECT %1 FROM Video ORDER BY TapeNr").arg(columns.join(QStringLiteral(", "))).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    while (sqlite3_step(statement) == SQLITE_ROW)
        read(statement);
    sqlite3_finalize(statement);
}

QStringList fieldNames(engine::Table& table)
{
    QStringList names;
    for (int f = 0; f < table.FieldCount(); ++f)
        names << table.Fields(f).FieldName();
    return names;
}

// Moving through every record, reading the tape number (the next-number rule, a title list).
void BM_WalkAllRecords(benchmark::State& state)
{
    BenchCatalogue& catalogue = BenchCatalogue::of(int(state.range(0)));
    OpenCatalogue open(catalogue.dataDir());
    engine::Table& video = *open.video();
    const QStringList columns = fieldNames(video);
    Comparison comparison(state);
    for (auto _ : state) {
        comparison.run(
            [&] {
                engine::ControlsDisabled quiet(video);
                engine::Field& tapeNr = video.FieldByName(QStringLiteral("TapeNr"));
                for (video.First(); !video.Eof(); video.Next())
                    benchmark::DoNotOptimize(tapeNr.AsString());
            },
            [&] {
                stepInOrder(catalogue, columns, [](sqlite3_stmt* s) {
                    benchmark::DoNotOptimize(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0))));
                });
            });
    }
}

// Every field of every record as text (the export). The baseline turns every column into a
// QString too; "plain_sql_ms" only steps the rows.
void BM_WalkReadingEveryField(benchmark::State& state)
{
    BenchCatalogue& catalogue = BenchCatalogue::of(int(state.range(0)));
    OpenCatalogue open(catalogue.dataDir());
    engine::Table& video = *open.video();
    const QStringList columns = fieldNames(video);
    Comparison comparison(state);
    double plain = 0;
    for (auto _ : state) {
        comparison.run(
            [&] {
                engine::ControlsDisabled quiet(video);
                for (video.First(); !video.Eof(); video.Next())
                    for (int f = 0; f < video.FieldCount(); ++f)
                        benchmark::DoNotOptimize(video.Fields(f).AsString());
            },
            [&] {
                stepInOrder(catalogue, columns, [&](sqlite3_stmt* s) {
                    for (int c = 0; c < columns.size(); ++c)
                        benchmark::DoNotOptimize(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                                                   sqlite3_column_bytes(s, c)));
                });
            });
        plain += secondsOf([&] {
            stepInOrder(catalogue, columns, [&](sqlite3_stmt* s) {
                for (int c = 0; c < columns.size(); ++c)
                    benchmark::DoNotOptimize(sqlite3_column_text(s, c));
            });
        });
    }
    state.counters["plain_sql_ms"] = 1000.0 * plain / double(state.iterations());
}

void sizes(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseManualTime();
    for (int tapes : {1000, 10000, 100000})
        b->Arg(tapes);
}

BENCHMARK(BM_OpenAllTables)->Apply(sizes);
BENCHMARK(BM_SwitchOrder)->Apply(sizes);
BENCHMARK(BM_SelectCategory)->Apply(sizes);
BENCHMARK(BM_LocateTitle)->Apply(sizes);
BENCHMARK(BM_PostEditedTape)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->ArgNames({"tapes", "titleOrder"});
BENCHMARK(BM_WalkAllRecords)->Apply(sizes);
BENCHMARK(BM_WalkReadingEveryField)->Apply(sizes);

} // namespace

int main(int argc, char** argv)
{
    QLocale::setDefault(QLocale(QLocale::Danish, QLocale::Denmark));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
