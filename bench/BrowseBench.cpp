// The overview, its searches and the content search on a generated catalogue, each against a
// hand-written SQL baseline on the same files in the same run. The windows are the real
// ones (offscreen); their handlers are driven as a click would drive them.
#include "BenchCatalogue.h"
#include "BenchSql.h"
#include "Comparison.h"
#include "Memory.h"

#include <QDate>

#include "core/Dialogs.h"
#include "core/ScriptedDialogs.h"
#include "data/DM.h"
#include "data/TextIndex.h"
#include "dbctrls/DBLookupComboBox.h"
#include "dbctrls/DBLookupListModel.h"
#include "engine/Table.h"
#include "forms/IndholdForm.h"
#include "forms/OversigtForm.h"
#include "support/EasyFind.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QStyleFactory>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>

namespace {

using bench::BenchCatalogue;

using bench::Comparison;
using bench::secondsOf;

using bench::stepAll;

const QString kByTapeNr = QStringLiteral(" ORDER BY TapeNr");

/// The generated catalogue fills only the category list; the record rules would have added
/// every type, director and recorded-by name of the tapes to their lists as well.
void fillLookupLists(const QString& dataDir)
{
    for (const char* list : {"Type", "Instruktor", "Optagetaf"}) {
        sqlite3* db = nullptr;
        const QString file = dataDir + QStringLiteral("/%1.db").arg(QLatin1String(list));
        if (sqlite3_open(file.toUtf8().constData(), &db) != SQLITE_OK)
            throw std::runtime_error("cannot open " + file.toStdString());
        const QString sql = QStringLiteral("ATTACH '%1/Video.db' AS v; INSERT INTO main.\"%2\"(\"%2\") "
                                           "SELECT DISTINCT \"%2\" FROM v.Video WHERE \"%2\" IS NOT NULL "
                                           "AND \"%2\" NOT IN (SELECT \"%2\" FROM main.\"%2\")")
                                .arg(dataDir, QLatin1String(list));
        char* error = nullptr;
        if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string message = error ? error : "?";
            sqlite3_free(error);
            sqlite3_close(db);
            throw std::runtime_error(message);
        }
        sqlite3_close(db);
    }
}

/// The running program's state: the data module open on the catalogue, the overview made.
struct Program {
    explicit Program(BenchCatalogue& catalogue) : dm((fillLookupLists(catalogue.dataDir()), catalogue.dataDir()))
    {
        data::DM = &dm;
        // The first opening of a catalogue makes the searches' full-text index.
        const double seconds = secondsOf([&] { dm.OpenTables(); });
        std::fprintf(stderr, "opening with the text index made if missing: %.1f s\n", seconds);
        overview = std::make_unique<forms::TOversigtForm>();
    }
    ~Program()
    {
        overview.reset();
        data::DM = nullptr;
    }
    engine::Table& video() { return *dm.VideoTable; }

    data::TDM dm;
    std::unique_ptr<forms::TOversigtForm> overview;
};

// Freed before the application object goes.
std::unique_ptr<Program> gProgram;
int gProgramTapes = 0;

Program& program(benchmark::State& state)
{
    if (!gProgram || gProgramTapes != int(state.range(0))) {
        gProgram.reset();
        gProgramTapes = int(state.range(0));
        gProgram = std::make_unique<Program>(BenchCatalogue::of(gProgramTapes));
    }
    return *gProgram;
}

/// The searches' full-text index in use (the program's way) or not (the walk), for one benchmark.
class IndexUse {
public:
    IndexUse(Program& p, benchmark::State& state) : db_(p.dm.database())
    {
        const bool walk = state.range(1) == 1;
        if (walk)
            db_.setTextIndex(QStringLiteral("Video"), {});
        else if (!data::useTextIndexIfSound(db_))
            state.SkipWithError("no sound text index");
        state.SetLabel(walk ? "walk" : "indexed");
    }
    ~IndexUse() { data::useTextIndexIfSound(db_); }

private:
    engine::Database& db_;
};

void choose(dbctrls::TDBLookupComboBox* list, const QString& value)
{
    list->chooseRow(list->listModel()->rowOfKey(value));
}

// Showing the overview with its grid painted (the rows on screen are read).
void BM_OverviewOpening(benchmark::State& state)
{
    Program& p = program(state);
    BenchCatalogue& catalogue = BenchCatalogue::of(int(state.range(0)));
    Comparison comparison(state);
    for (auto _ : state) {
        comparison.run(
            [&] {
                p.overview->show();
                benchmark::DoNotOptimize(p.overview->grab());
            },
            [&] {
                stepAll(catalogue.baseline(), QStringLiteral("SELECT rowid FROM Video") + kByTapeNr);
                stepAll(catalogue.baseline(), QStringLiteral("SELECT * FROM Video") + kByTapeNr + QStringLiteral(" LIMIT 30"));
            });
        p.overview->hide();
    }
}

void BM_OrderSwitch(benchmark::State& state)
{
    Program& p = program(state);
    BenchCatalogue& catalogue = BenchCatalogue::of(int(state.range(0)));
    forms::TOversigtForm& f = *p.overview;
    const std::pair<void (forms::TOversigtForm::*)(), QString> orders[] = {
        {&forms::TOversigtForm::RadioButton9Click, QStringLiteral("Type_sortkey, Type")},
        {&forms::TOversigtForm::RadioButton5Click, QStringLiteral("Titel_sortkey, Titel")},
        {&forms::TOversigtForm::RadioButton6Click, QStringLiteral("Kategori_sortkey, Kategori")},
        {&forms::TOversigtForm::RadioButton4Click, QStringLiteral("TapeNr")},
    };
    const auto& [handler, orderBy] = orders[state.range(1)];
    // Each measured click changes the order: start from another one.
    const auto other = orders[state.range(1) == 3 ? 0 : 3].first;
    Comparison comparison(state);
    for (auto _ : state) {
        (f.*other)();
        comparison.run([&] { (f.*handler)(); },
                       [&] { stepAll(catalogue.baseline(), QStringLiteral("SELECT rowid FROM Video ORDER BY ") + orderBy); });
    }
    f.RadioButton4Click();
    state.SetLabel(orderBy.toStdString());
}

/// The row ids of a query into a vector, as the table keeps its view.
std::vector<qint64> readIds(sqlite3* db, const QString& sql)
{
    std::vector<qint64> ids;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    while (sqlite3_step(statement) == SQLITE_ROW)
        ids.push_back(sqlite3_column_int64(statement, 0));
    sqlite3_finalize(statement);
    return ids;
}

// The first switch to an order: another program's change since makes every kept view stale.
// The baseline reads the same row ids into a vector, its file read page by page (0), or
// mapped as the engine maps it for scans (1). With 2 the overview was shown and idle after
// the change, long enough to read the other orders ahead (read_ahead_ms, with the
// 300 ms the window waits before it starts).
void BM_FirstOrderSwitch(benchmark::State& state)
{
    Program& p = program(state);
    BenchCatalogue& catalogue = BenchCatalogue::of(int(state.range(0)));
    forms::TOversigtForm& f = *p.overview;
    const bool titel = state.range(1) == 0;
    const QString orderBy = titel ? QStringLiteral("Titel_sortkey, Titel") : QStringLiteral("Kategori_sortkey, Kategori");
    const bool mapped = state.range(2) == 1;
    const bool idle = state.range(2) == 2;
    stepAll(catalogue.baseline(), QStringLiteral("PRAGMA mmap_size=%1").arg(mapped ? qint64(1) << 30 : 0));
    if (idle) {
        f.show();
        f.activateWindow();
    }
    Comparison comparison(state);
    double readAheadMs = 0;
    const double heapBefore = bench::memoryMb("RssAnon:");
    for (auto _ : state) {
        // A value that stays the same writes nothing: the file would not change.
        stepAll(catalogue.baseline(), QStringLiteral("UPDATE Video SET Fabrikat = iif(Fabrikat = 'a', 'b', 'a') WHERE rowid = 1"));
        f.RadioButton4Click();
        readAheadMs += 1000 * secondsOf([&] {
            while (idle && f.readingAhead())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        });
        comparison.run([&] { titel ? f.RadioButton5Click() : f.RadioButton6Click(); },
                       [&] { benchmark::DoNotOptimize(readIds(catalogue.baseline(), QStringLiteral("SELECT rowid FROM Video ORDER BY ") + orderBy)); });
    }
    f.hide();
    f.RadioButton4Click();
    stepAll(catalogue.baseline(), QStringLiteral("PRAGMA mmap_size=0"));
    if (idle) {
        state.counters["read_ahead_ms"] = readAheadMs / double(state.iterations());
        // The kept views of five orders (the mapped file's pages are not counted).
        state.counters["heap_growth_mb"] = bench::memoryMb("RssAnon:") - heapBefore;
    }
    state.SetLabel(orderBy.toStdString() + (idle ? ", after idle, SQL read" : mapped ? ", SQL mapped" : ", SQL read"));
}

void BM_Selection(benchmark::State& state)
{
    Program& p = program(state);
    BenchCatalogue& catalogue = BenchCatalogue::of(int(state.range(0)));
    forms::TOversigtForm& f = *p.overview;
    f.RadioButton4Click();
    p.video().First();
    const QString kategori = catalogue.categories().at(3);
    const QString type = QStringLiteral("DVD");
    const QString instruktor = QStringLiteral("Instruktør 17");
    const QString optager = QStringLiteral("Optager 4");
    const struct {
        const char* label;
        std::function<void()> select;
        QString where;
        QString value;
    } selections[] = {
        {"Kategori", [&] { choose(f.DBLookupComboBox1, kategori); }, QStringLiteral("Kategori"), kategori},
        {"Type", [&] { choose(f.DBLookupComboBox3, type); }, QStringLiteral("Type"), type},
        {"Instruktor", [&] { choose(f.DBLookupComboBox5, instruktor); }, QStringLiteral("Instruktor"), instruktor},
        {"Optagetaf", [&] { choose(f.DBLookupComboBox6, optager); }, QStringLiteral("Optagetaf"), optager},
        {"Udlaante", [&] { f.RadioButton8Click(); }, QStringLiteral("Udlaan"), QStringLiteral("Ja")},
        {"Overskredne", [&] { f.RadioButton11Click(); }, QStringLiteral("Overdue"), QDate::currentDate().toString(Qt::ISODate)},
        {"Alle", [&] { f.RadioButton7Click(); }, QString(), QString()},
    };
    const auto& s = selections[state.range(1)];
    Comparison comparison(state);
    for (auto _ : state) {
        // A write makes every kept view stale, so each choice is read as the first time.
        p.dm.database().exec(QStringLiteral("UPDATE Config.Config SET Sprog = Sprog"));
        // Each measured choice changes the view: start from another selection.
        if (s.where.isEmpty())
            f.RadioButton8Click();
        else
            f.RadioButton7Click();
        comparison.run(s.select, [&] {
            if (s.where.isEmpty())
                stepAll(catalogue.baseline(), QStringLiteral("SELECT rowid FROM Video") + kByTapeNr);
            else if (s.where == QLatin1String("Overdue"))
                stepAll(catalogue.baseline(),
                        QStringLiteral("SELECT rowid FROM Video WHERE TapeNr IN (SELECT Tapenr FROM Udlaan.Udlaan WHERE "
                                       "coalesce(Returneret, '') <> 'Ja' AND coalesce(ReturDato, '') = '' AND Forfald < ?1)")
                            + kByTapeNr,
                        {s.value});
            else
                stepAll(catalogue.baseline(), QStringLiteral("SELECT rowid FROM Video WHERE %1 = ?1").arg(s.where) + kByTapeNr,
                        {s.value});
        });
    }
    f.RadioButton7Click();
    state.SetLabel(s.label);
}

// A search of the description that matches nothing walks every record.
void BM_FindDescriptionNoMatch(benchmark::State& state)
{
    Program& p = program(state);
    const IndexUse use(p, state);
    BenchCatalogue& catalogue = BenchCatalogue::of(int(state.range(0)));
    forms::TOversigtForm& f = *p.overview;
    f.RadioButton7Click();
    f.RadioButton4Click();
    const QString key = QStringLiteral("zebraflugt");
    Comparison comparison(state);
    for (auto _ : state) {
        comparison.run(
            [&] {
                f.Edit3->setText(key); // Edit3Change: EasyFind2.Find
                if (f.EasyFind2->Found())
                    state.SkipWithError("found");
            },
            [&] { stepAll(catalogue.baseline(), QStringLiteral("SELECT rowid FROM Video WHERE instr(Indhold, ?1) > 0") + kByTapeNr, {key}); });
        f.Edit3->blockSignals(true);
        f.Edit3->clear();
        f.Edit3->blockSignals(false);
    }
}

// Typing a title that no tape has (also a walk of every record).
void BM_FindTitle(benchmark::State& state)
{
    Program& p = program(state);
    const IndexUse use(p, state);
    BenchCatalogue& catalogue = BenchCatalogue::of(int(state.range(0)));
    forms::TOversigtForm& f = *p.overview;
    f.RadioButton7Click();
    f.RadioButton4Click();
    f.RadioButton2Click();
    const QString key = QStringLiteral("zebraflugt");
    Comparison comparison(state);
    for (auto _ : state) {
        comparison.run(
            [&] {
                f.Edit1->setText(key);
                if (f.EasyFind1->Found())
                    state.SkipWithError("found");
            },
            [&] { stepAll(catalogue.baseline(), QStringLiteral("SELECT rowid FROM Video WHERE instr(Titel, ?1) > 0") + kByTapeNr, {key}); });
        f.Edit1->blockSignals(true);
        f.Edit1->clear();
        f.Edit1->blockSignals(false);
    }
}

// The content search window collecting its 1001 lines.
void BM_ContentSearch1001(benchmark::State& state)
{
    Program& p = program(state);
    const IndexUse use(p, state);
    BenchCatalogue& catalogue = BenchCatalogue::of(int(state.range(0)));
    p.overview->RadioButton7Click();
    p.overview->RadioButton4Click();
    forms::TIndholdForm content(p.overview.get());
    const QString key = QStringLiteral("hævn");
    content.OrdIndtast->setText(key);
    Comparison comparison(state);
    for (auto _ : state) {
        comparison.run(
            [&] {
                content.FindButtonClick();
                if (content.Label10->text() != QLatin1String("1001"))
                    state.SkipWithError("not 1001 lines");
            },
            [&] {
                stepAll(catalogue.baseline(),
                        QStringLiteral("SELECT TapeNr, Titel FROM Video WHERE instr(Indhold, ?1) > 0") + kByTapeNr
                            + QStringLiteral(" LIMIT 1001"),
                        {key});
            });
    }
}

void sizes(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseManualTime()->Arg(100000)->Arg(1000000);
}

// The searches with the full-text index (0) and walking (1).
void searchSizes(benchmark::internal::Benchmark* b)
{
    // A fixed count: the baselines scan every description, many times ours.
    b->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5)->ArgsProduct({{100000}, {0, 1}})->Args({1000000, 0});
}

BENCHMARK(BM_OverviewOpening)->Apply(sizes);
BENCHMARK(BM_OrderSwitch)->Unit(benchmark::kMillisecond)->UseManualTime()->ArgsProduct({{100000, 1000000}, {0, 1, 2, 3}});
BENCHMARK(BM_FirstOrderSwitch)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5)->ArgsProduct({{100000, 1000000}, {0, 1}, {0, 1, 2}});
BENCHMARK(BM_Selection)->Unit(benchmark::kMillisecond)->UseManualTime()->ArgsProduct({{100000, 1000000}, {0, 1, 2, 3, 4, 5, 6}});
BENCHMARK(BM_FindDescriptionNoMatch)->Apply(searchSizes);
BENCHMARK(BM_FindTitle)->Apply(searchSizes);
BENCHMARK(BM_ContentSearch1001)->Apply(searchSizes);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    QLocale::setDefault(QLocale(QLocale::Danish, QLocale::Denmark));
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    core::ScriptedDialogs dialogs;
    core::setDialogs(&dialogs);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gProgram.reset();
    core::setDialogs(nullptr);
    if (!dialogs.texts(QStringLiteral("error")).isEmpty()) {
        fprintf(stderr, "errors: %s\n", qPrintable(dialogs.texts(QStringLiteral("error")).join(QLatin1Char('\n'))));
        return 1;
    }
    return 0;
}
