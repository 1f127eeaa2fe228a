// The export of the collection and the PDF list report on generated catalogues, the export
// next to its baseline in the same run: the same rows read with one SELECT and written with fprintf.
#include "BenchCatalogue.h"
#include "Comparison.h"

#include "core/ScriptedDialogs.h"
#include "data/DM.h"
#include "output/Export3ASCII.h"
#include "output/ExportCommand.h"
#include "output/QRListForm.h"

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sqlite3.h>

namespace {

/// The same rows written by hand: one SELECT in primary order, fprintf per value.
void exportBaseline(sqlite3* db, const QByteArray& path)
{
    const char* sql = "SELECT TapeNr, Titel, Start, Slut, Varighed, Type, Kopi, Laengde, Kategori, Udlaan, "
                      "Instruktor, Optagetaf, OptagetDato, Fabrikat FROM Video ORDER BY TapeNr";
    FILE* file = std::fopen(path.constData(), "wb");
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int c = 0; c < 14; ++c) {
            const unsigned char* text = sqlite3_column_text(statement, c);
            std::fprintf(file, c ? ";\"%s\"" : "\"%s\"", text ? reinterpret_cast<const char*>(text) : "");
        }
        std::fputs("\r\n", file);
    }
    sqlite3_finalize(statement);
    std::fclose(file);
}

void BM_Export(benchmark::State& state)
{
    bench::BenchCatalogue& catalogue = bench::BenchCatalogue::of(int(state.range(0)));
    data::TDM dm(catalogue.dataDir());
    dm.VideoTable->Open();
    QTemporaryDir out;
    output::TQExport3ASCII exporter;
    output::configureTapeExport(exporter, *dm.VideoTable, false);
    exporter.FileName = out.path() + QStringLiteral("/Video.txt");
    const QByteArray baselinePath = (out.path() + QStringLiteral("/baseline.txt")).toLocal8Bit();
    bench::Comparison comparison(state);
    for (auto _ : state)
        comparison.run([&] { exporter.Execute(); }, [&] { exportBaseline(catalogue.baseline(), baselinePath); });
}

void BM_ReportPdf(benchmark::State& state)
{
    bench::BenchCatalogue& catalogue = bench::BenchCatalogue::of(int(state.range(0)));
    data::TDM dm(catalogue.dataDir());
    dm.VideoTable->Open();
    QTemporaryDir out;
    TQRListForm report(*dm.VideoTable);
    for (auto _ : state)
        state.counters["pages"] = report.writePdf(out.path() + QStringLiteral("/list.pdf"));
}

BENCHMARK(BM_Export)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_ReportPdf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The collection's owner writes Danish dates, as the tests do.
    QLocale::setDefault(QLocale(QLocale::Danish, QLocale::Denmark));
    QApplication application(argc, argv);
    core::ScriptedDialogs dialogs;
    core::setDialogs(&dialogs);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
