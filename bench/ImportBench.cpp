// The imports next to their baselines in the same run. An old Paradox catalogue (descriptions of
// about 1.5 KB, three cast rows per tape) against the same rows inserted with hand-written SQL
// into a new table folder in one transaction, without reading or converting anything; a
// spreadsheet's file likewise. The peak memory of each import alone is reported too: it must
// not grow with the number of tapes.
#include "BenchCatalogue.h"
#include "Comparison.h"
#include "Memory.h"
#include "OldCatalogue.h"

#include "data/CatalogueFolder.h"
#include "data/DM.h"
#include "data/TextIndex.h"
#include "output/Export3ASCII.h"
#include "output/ExportCommand.h"
#include "import/CatalogueImport.h"
#include "import/CsvImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <functional>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <vector>

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

// A new table folder, its Video table open for hand-written SQL.
sqlite3* openNewCatalogue(const QString& data)
{
    data::createCatalogue(data);
    sqlite3* db = nullptr;
    sqlite3_open((data + QStringLiteral("/Video.db")).toUtf8().constData(), &db);
    return db;
}

// The same rows, written by hand into the nine new tables.
void importBaseline(const QString& data, int tapes)
{
    sqlite3* db = openNewCatalogue(data);
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

// A spreadsheet's file in the export's form (Windows-1252, ';', every value quoted, every field
// filled) next to the same values, already split, inserted by hand in one transaction. Two ways
// in: into an empty catalogue (a new one built and swapped in) and added to one holding a tape
// (one transaction on the catalogue itself).
QByteArray valueOf(int tape, int column)
{
    switch (column) {
    case 0: return QStringLiteral("%1-00").arg(tape, 4, 10, QLatin1Char('0')).toLatin1();
    case 1: return "Film \xE6\xF8\xE5 \"\"nr.\"\" " + QByteArray::number(tape) + "; del 1";
    case 2: return "01:30";
    case 3: return "03:15";
    case 4: return "01:45:00";
    case 5: return "VHS";
    case 6: return "Original";
    case 7: return "03:00";
    case 8: return "Kategori " + QByteArray::number(tape % 40);
    case 9: return "Nej";
    case 10: return "Instrukt\xF8r " + QByteArray::number(tape % 500);
    case 11: return "Optager " + QByteArray::number(tape % 20);
    case 12: return QByteArray::number(10 + tape % 18) + ".0" + QByteArray::number(1 + tape % 9) + ".1999";
    default: return "Sony";
    }
}

constexpr int columns = 14;

struct CsvFile {
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("Video.txt")); }
};

CsvFile& csvFile(int tapes)
{
    static std::map<int, std::unique_ptr<CsvFile>> made;
    std::unique_ptr<CsvFile>& file = made[tapes];
    if (!file) {
        file = std::make_unique<CsvFile>();
        QFile out(file->path());
        out.open(QIODevice::WriteOnly);
        out.write("\"TapeNr\";\"Titel\";\"Start\";\"Slut\";\"Varighed\";\"Type\";\"Kopi\";\"Laengde\";\"Kategori\";\"Udlaan\";"
                  "\"Instruktor\";\"Optagetaf\";\"OptagetDato\";\"Fabrikat\"\r\n");
        for (int tape = 1; tape <= tapes; ++tape) {
            QByteArray line;
            for (int c = 0; c < columns; ++c)
                line += (c ? ";\"" : "\"") + valueOf(tape, c) + "\"";
            out.write(line + "\r\n");
        }
    }
    return *file;
}

// A new table folder's Video.db with the three lookup files the tapes name attached, each
// written as safely as the import writes.
sqlite3* openWithLookups(const QString& data)
{
    sqlite3* db = openNewCatalogue(data);
    for (const char* lookup : {"Kategori", "Instruktor", "Optagetaf"})
        exec(db, ("ATTACH '" + (data + QLatin1Char('/') + QLatin1String(lookup) + QStringLiteral(".db")).toUtf8() + "' AS "
                  + lookup).constData());
    for (const char* schema : {"main", "Kategori", "Instruktor", "Optagetaf"})
        exec(db, (QByteArray("PRAGMA ") + schema + ".synchronous=EXTRA").constData());
    return db;
}

// The same tapes and lookup values, written by hand into a new table folder.
void csvBaseline(const QString& data, int tapes)
{
    sqlite3* db = openWithLookups(data);
    exec(db, "BEGIN");
    sqlite3_stmt* video = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Video(TapeNr, Titel, Start, Slut, Varighed, Type, Kopi, Laengde, Kategori, Udlaan, "
                       "Instruktor, Optagetaf, OptagetDato, Fabrikat) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                       -1, &video, nullptr);
    for (int tape = 1; tape <= tapes; ++tape) {
        for (int c = 0; c < columns; ++c) {
            const QByteArray value = valueOf(tape, c);
            sqlite3_bind_text(video, c + 1, value.constData(), int(value.size()), SQLITE_TRANSIENT);
        }
        sqlite3_step(video);
        sqlite3_reset(video);
    }
    sqlite3_finalize(video);
    for (const char* lookup : {"Kategori", "Instruktor", "Optagetaf"})
        exec(db, QStringLiteral("INSERT OR IGNORE INTO %1.%1(%1) SELECT DISTINCT %1 FROM Video")
                     .arg(QLatin1String(lookup)).toUtf8().constData());
    exec(db, "COMMIT");
    sqlite3_close(db);
}

// Imports csv into a new program folder, beside baseline writing the same rows by hand into
// the folder it is given; into a catalogue holding one tape when intoTapes.
void runCsvImport(benchmark::State& state, const QString& csv, const std::function<void(const QString&)>& baseline,
                  bool intoTapes)
{
    const int tapes = int(state.range(0));
    bench::Comparison comparison(state);
    double growth = 0;
    for (auto _ : state) {
        QTemporaryDir program;
        import::ImportOptions options;
        options.dataFolder = program.path() + QStringLiteral("/Data");
        options.picturesFolder = program.path() + QStringLiteral("/Billeder");
        if (intoTapes) {
            const QString one = program.filePath(QStringLiteral("one.csv"));
            QFile out(one);
            out.open(QIODevice::WriteOnly);
            out.write("TapeNr\r\n0000-00\r\n");
            out.close();
            import::importCsv(one, options);
        }
        QTemporaryDir baselineDir;
        comparison.run(
            [&] {
                bench::resetPeakMemory();
                const double before = bench::memoryMb("VmRSS:");
                const import::ImportReport report = import::importCsv(csv, options);
                if (report.storedRows() != tapes) {
                    std::fputs(report.text().left(2000).toUtf8().constData(), stderr);
                    state.SkipWithError("not every row was stored");
                }
                growth = std::max(growth, bench::memoryMb("VmHWM:") - before);
            },
            [&] { baseline(baselineDir.path() + QStringLiteral("/Data")); });
    }
    state.counters["memory_growth_mb"] = growth;
}

void BM_ImportCsvIntoEmpty(benchmark::State& state)
{
    const int tapes = int(state.range(0));
    runCsvImport(state, csvFile(tapes).path(), [tapes](const QString& dir) { csvBaseline(dir, tapes); }, false);
}

void BM_ImportCsvAddedToTapes(benchmark::State& state)
{
    const int tapes = int(state.range(0));
    runCsvImport(state, csvFile(tapes).path(), [tapes](const QString& dir) { csvBaseline(dir, tapes); }, true);
}

BENCHMARK(BM_ImportCsvIntoEmpty)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
BENCHMARK(BM_ImportCsvAddedToTapes)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);


// The program's own export of a generated catalogue (made once, beside it) imported into an
// empty catalogue, next to the same rows bound by hand into the new tables, the indexes (the
// search index too) dropped before the rows and made after them, as the import does.
struct OwnExport {
    QString file;
    QStringList columns;
    std::string pool; // every value, one after the other
    std::vector<std::pair<size_t, int>> values; // offset and length per row and column; -1 for null
};

OwnExport& ownExport(int tapes)
{
    static std::map<int, std::unique_ptr<OwnExport>> made;
    std::unique_ptr<OwnExport>& result = made[tapes];
    if (result)
        return *result;
    result = std::make_unique<OwnExport>();
    bench::BenchCatalogue& catalogue = bench::BenchCatalogue::of(tapes);
    result->file = catalogue.dataDir() + QStringLiteral("/../Video-export.txt");
    if (!QFileInfo::exists(result->file)) {
        data::TDM dm(catalogue.dataDir());
        dm.VideoTable->Open();
        output::TQExport3ASCII exporter;
        output::configureTapeExport(exporter, *dm.VideoTable, false);
        exporter.FileName = result->file;
        exporter.Execute();
    }
    QFile in(result->file);
    in.open(QIODevice::ReadOnly);
    for (const QByteArray& name : in.readLine().trimmed().split(';'))
        result->columns << QString::fromLatin1(name).remove(QLatin1Char('"'));
    sqlite3* db = catalogue.baseline();
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, ("SELECT " + result->columns.join(QStringLiteral(", ")) + " FROM Video ORDER BY TapeNr").toUtf8().constData(), -1,
                       &select, nullptr);
    while (sqlite3_step(select) == SQLITE_ROW)
        for (int c = 0; c < result->columns.size(); ++c) {
            const char* text = reinterpret_cast<const char*>(sqlite3_column_text(select, c));
            const int length = sqlite3_column_bytes(select, c);
            result->values.emplace_back(result->pool.size(), text ? length : -1);
            if (text)
                result->pool.append(text, size_t(length));
        }
    sqlite3_finalize(select);
    return *result;
}

void ownExportBaseline(const QString& data, const OwnExport& rows)
{
    sqlite3* db = openWithLookups(data);
    exec(db, "PRAGMA cache_size = -32768");
    exec(db, "BEGIN");
    QStringList indexes;
    sqlite3_stmt* list = nullptr;
    sqlite3_prepare_v2(db, "SELECT name, sql FROM sqlite_master WHERE type = 'index' AND tbl_name = 'Video' "
                           "AND sql IS NOT NULL AND name <> 'PrimaryKey'", -1, &list, nullptr);
    QStringList names;
    while (sqlite3_step(list) == SQLITE_ROW) {
        names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list, 0)));
        indexes << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list, 1)));
    }
    sqlite3_finalize(list);
    for (const QString& name : names)
        exec(db, ("DROP INDEX \"" + name + "\"").toUtf8().constData());
    exec(db, "DROP TRIGGER VideoSoeg_ny; DROP TRIGGER VideoSoeg_ret; DROP TRIGGER VideoSoeg_slet; DROP TABLE VideoSoeg");
    const int columns = int(rows.columns.size());
    QStringList marks;
    for (int c = 1; c <= columns; ++c)
        marks << QStringLiteral("?%1").arg(c);
    sqlite3_stmt* video = nullptr;
    sqlite3_prepare_v2(db, QStringLiteral("INSERT INTO Video(%1) VALUES(%2)").arg(rows.columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")))
                               .toUtf8().constData(), -1, &video, nullptr);
    for (size_t row = 0; row < rows.values.size(); row += size_t(columns)) {
        for (int c = 0; c < columns; ++c) {
            const auto& [offset, length] = rows.values[row + size_t(c)];
            if (length < 0)
                sqlite3_bind_null(video, c + 1);
            else
                sqlite3_bind_text(video, c + 1, rows.pool.data() + offset, length, SQLITE_STATIC);
        }
        sqlite3_step(video);
        sqlite3_reset(video);
    }
    sqlite3_finalize(video);
    for (const QString& index : std::as_const(indexes))
        exec(db, index.toUtf8().constData());
    for (const QString& statement : data::textIndexStatements(QString()))
        exec(db, statement.toUtf8().constData());
    for (const char* lookup : {"Kategori", "Instruktor", "Optagetaf"})
        exec(db, QStringLiteral("INSERT OR IGNORE INTO %1.%1(%1) SELECT DISTINCT %1 FROM Video WHERE %1 <> ''")
                     .arg(QLatin1String(lookup)).toUtf8().constData());
    exec(db, "COMMIT");
    sqlite3_close(db);
}

void BM_ImportOwnExport(benchmark::State& state)
{
    const OwnExport& rows = ownExport(int(state.range(0)));
    runCsvImport(state, rows.file, [&rows](const QString& dir) { ownExportBaseline(dir, rows); }, false);
}

BENCHMARK(BM_ImportOwnExport)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    // The collection's owner writes Danish dates, as the other benchmarks do.
    QLocale::setDefault(QLocale(QLocale::Danish, QLocale::Denmark));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
