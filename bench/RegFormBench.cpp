// The registration window on a catalogue of 100,000 tapes (three cast rows each, descriptions
// of about 1 KB): showing it, moving to the last tape, and the main window's title list
// opening over every title. Targets: 200 ms, 200 ms, 300 ms. A plain SQLite read of the
// primary order's row ids is the baseline next to them.
#include "BenchCatalogue.h"

#include "core/ProgramPaths.h"
#include "data/DM.h"
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
        dm = std::make_unique<data::TDM>(catalogue.dataDir());
        data::DM = dm.get();
        dm->OpenTables();
        form = std::make_unique<forms::TRegForm>();
    }
    bench::BenchCatalogue& catalogue = bench::BenchCatalogue::of(kTapes);
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
    sqlite3* db = program().catalogue.baseline();
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
