// The export of the collection and the PDF list report on generated catalogues, the export
// next to its baseline in the same run: the same rows read with one SELECT and written with fprintf.
// The list report's peak memory is reported, and compared with laying out every page first.
#include "BenchCatalogue.h"
#include "Comparison.h"
#include "Memory.h"

#include "core/ScriptedDialogs.h"
#include "data/DM.h"
#include "output/Export3ASCII.h"
#include "output/ExportCommand.h"
#include "output/QRListForm.h"
#include "report/ReportPrinting.h"

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <algorithm>
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

// Peak memory while the list is written: it must stay flat however many pages there are
// (under 150 MB at 1,000,000 tapes).
// wholeDocument: every page laid out before the first is written, for comparison.
void reportPdf(benchmark::State& state, bool wholeDocument)
{
    bench::BenchCatalogue& catalogue = bench::BenchCatalogue::of(int(state.range(0)));
    data::TDM dm(catalogue.dataDir());
    dm.VideoTable->Open();
    QTemporaryDir out;
    const QString path = out.path() + QStringLiteral("/list.pdf");
    TQRListForm report(*dm.VideoTable);
    double peak = 0;
    double growth = 0;
    for (auto _ : state) {
        bench::resetPeakMemory();
        const double before = bench::memoryMb("VmRSS:");
        state.counters["pages"] = wholeDocument ? report::writePdf(report.layout(), path) : report.writePdf(path);
        peak = std::max(peak, bench::memoryMb("VmHWM:"));
        growth = std::max(growth, bench::memoryMb("VmHWM:") - before);
    }
    // SPK_BENCH_PDF names a file that keeps the list, to compare the output of two builds.
    if (const QString kept = qEnvironmentVariable("SPK_BENCH_PDF"); !kept.isEmpty()) {
        QFile::remove(kept);
        QFile::copy(path, kept);
    }
    state.counters["peak_rss_mb"] = peak;
    state.counters["memory_growth_mb"] = growth;
}

void BM_ReportPdf(benchmark::State& state)
{
    reportPdf(state, false);
}

void BM_ReportPdfWholeDocument(benchmark::State& state)
{
    reportPdf(state, true);
}

BENCHMARK(BM_Export)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_ReportPdf)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(300000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReportPdfWholeDocument)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

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
