// The registration window on a catalogue of 100,000 tapes (three cast rows each, descriptions
// of about 1 KB): showing it, moving to the last tape, and the main window's title list
// opening over every title. Targets: 200 ms, 200 ms, 300 ms. A plain SQLite read of the
// primary order's row ids is the baseline next to them.
#include "core/ProgramPaths.h"
#include "data/DM.h"
#include "data/Schema.h"
#include "dbctrls/DBLookupComboBox.h"
#include "dbctrls/DBLookupListModel.h"
#include "dbctrls/DBNavigator.h"
#include "engine/Table.h"
#include "forms/RegForm.h"
#include "forms/TapeCommands.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>

namespace {

constexpr int kTapes = 100000;

void exec(sqlite3* db, const QString& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

// Tapes, their cast and the lookup values, written by SQL in one transaction per file.
void generateCatalogue(const QString& dataDir)
{
    QDir().mkpath(dataDir);
    for (const data::TableFile& file : data::catalogueFiles()) {
        sqlite3* db = nullptr;
        sqlite3_open((dataDir + QLatin1Char('/') + file.fileName).toUtf8().constData(), &db);
        exec(db, file.statements.join(QStringLiteral(";\n")));
        if (file.fileName == QLatin1String("Config.DB"))
            exec(db, data::configSeedStatement());
        sqlite3_close(db);
    }
    sqlite3* db = nullptr;
    sqlite3_open((dataDir + QStringLiteral("/Video.db")).toUtf8().constData(), &db);
    exec(db, QStringLiteral("ATTACH '%1/Medvirker.db' AS m; ATTACH '%1/Skuespiller.DB' AS s; BEGIN;"
                            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %2) "
                            "INSERT INTO Video(TapeNr, Titel, Start, Slut, Varighed, Type, Kopi, Kategori, Udlaan, "
                            "Instruktor, Optagetaf, Fabrikat, Indhold) "
                            "SELECT printf('%04d-00', i), 'Titel ' || ((i * 7919) % 100003), '01:30', '03:15', "
                            "'01:45:00', 'VHS', 'Original', 'Kategori ' || (i % 20), "
                            "CASE WHEN i % 10 = 0 THEN 'Ja' ELSE 'Nej' END, 'Instruktør ' || (i % 200), "
                            "'Optager ' || (i % 10), 'Maxell', substr(replace(hex(zeroblob(128)), '00', "
                            "'en lang beskrivelse af film nummer ' || i || ' '), 1, 1024) FROM n;"
                            "INSERT INTO m.Medvirker(Tapenr, Titel, Skuespiller, Rolle) "
                            "SELECT TapeNr, Titel, 'Skuespiller ' || ((CAST(TapeNr AS INTEGER) * c) % 2000), 'Rolle ' || c "
                            "FROM Video, (SELECT 1 AS c UNION ALL SELECT 2 UNION ALL SELECT 3);"
                            "INSERT INTO s.Skuespiller(Skuespiller) SELECT DISTINCT Skuespiller FROM m.Medvirker;"
                            "COMMIT;")
                 .arg(dataDir)
                 .arg(kTapes));
    sqlite3_close(db);
}

// One catalogue and one registration window for the whole run, as in the program.
struct Program {
    Program()
    {
        if (!folder.isValid())
            throw std::runtime_error("no temporary folder");
        // The shipped placeholders: the window shows them for tapes without pictures.
        const QString pictures = folder.path() + QStringLiteral("/Billeder");
        QDir().mkpath(pictures);
        for (const QString& name : QDir(QStringLiteral(SPK_BENCH_PROGRAM_DIR "/Billeder")).entryList(QDir::Files))
            QFile::copy(QStringLiteral(SPK_BENCH_PROGRAM_DIR "/Billeder/") + name, pictures + QLatin1Char('/') + name);
        core::setProgramPaths(core::ProgramPaths::forFolder(folder.path()));
        generateCatalogue(folder.path() + QStringLiteral("/Data"));
        dm = std::make_unique<data::TDM>(folder.path() + QStringLiteral("/Data"));
        data::DM = dm.get();
        dm->OpenTables();
        form = std::make_unique<forms::TRegForm>();
    }
    QTemporaryDir folder;
    std::unique_ptr<data::TDM> dm;
    std::unique_ptr<forms::TRegForm> form;
};

std::unique_ptr<Program> running;

Program& program()
{
    if (!running)
        running = std::make_unique<Program>();
    return *running;
}

void settle()
{
    QApplication::processEvents();
}

void BM_ShowRegForm(benchmark::State& state)
{
    forms::TRegForm& form = *program().form;
    for (auto _ : state) {
        form.show();
        settle();
        state.PauseTiming();
        form.hide();
        settle();
        state.ResumeTiming();
    }
    state.counters["target_ms"] = 200;
}

void BM_MoveToLastTape(benchmark::State& state)
{
    forms::TRegForm& form = *program().form;
    form.show();
    settle();
    for (auto _ : state) {
        state.PauseTiming();
        form.DBNavigator1->click(dbctrls::TDBNavigator::Button::First);
        settle();
        state.ResumeTiming();
        form.DBNavigator1->click(dbctrls::TDBNavigator::Button::Last);
        settle();
    }
    form.hide();
    state.counters["target_ms"] = 200;
}

void BM_TitleListOpens(benchmark::State& state)
{
    program();
    QWidget window;
    dbctrls::TDBLookupComboBox titles(&window);
    titles.setGeometry(10, 10, 300, 24);
    forms::setUpTitleList(titles, *data::DM);
    window.show();
    settle();
    for (auto _ : state) {
        titles.showPopup();
        settle();
        state.PauseTiming();
        benchmark::DoNotOptimize(titles.dropDownVisible());
        titles.hidePopup();
        settle();
        state.ResumeTiming();
    }
    state.counters["titles"] = titles.listModel()->rowCount();
    state.counters["target_ms"] = 300;
}

// Baseline: the primary order's row ids read by plain SQLite on the same file.
void BM_BaselineReadOrder(benchmark::State& state)
{
    program();
    sqlite3* db = nullptr;
    sqlite3_open_v2((program().folder.path() + QStringLiteral("/Data/Video.db")).toUtf8().constData(), &db,
                    SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT rowid FROM Video ORDER BY TapeNr", -1, &statement, nullptr);
    for (auto _ : state) {
        qint64 sum = 0;
        while (sqlite3_step(statement) == SQLITE_ROW)
            sum += sqlite3_column_int64(statement, 0);
        sqlite3_reset(statement);
        benchmark::DoNotOptimize(sum);
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
}

} // namespace

BENCHMARK(BM_ShowRegForm)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_MoveToLastTape)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_TitleListOpens)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_BaselineReadOrder)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The window and the tables go before the application does.
    running.reset();
    return 0;
}
