// The import of a spreadsheet's text file: the program's own export comes back byte for byte,
// columns are found by name or title, rows that cannot be stored are named by their line,
// and a catalogue that holds tapes gains the new ones and loses nothing.
#include "CatalogueQuery.h"
#include "common/FolderSnapshot.h"
#include "common/ProgramRun.h"
#include "common/TempProgramFolder.h"
#include "common/TestCatalogue.h"
#include "core/Win1252.h"
#include "data/DM.h"
#include "engine/Table.h"
#include "import/CsvImport.h"
#include "catalogue/FolderSwap.h"
#include "import/ImportError.h"
#include "locale/CommaText.h"
#include "locale/TQLanguageFile.h"
#include "output/Export3ASCII.h"
#include "output/ExportCommand.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using testing_support::addTape;
using testing_support::bytesOf;
using testing_support::snapshot;

namespace {

const char header[] = "TapeNr;Titel;Start;Slut;Varighed;Type;Kopi;Laengde;Kategori;Udlaan;Instruktor;Optagetaf;OptagetDato;Fabrikat;"
                      "Placering;EAN\r\n";

using importtest::query;

void exportCatalogue(const QString& dataFolder, const QString& file)
{
    data::TDM dm(dataFolder);
    dm.OpenTables();
    output::TQExport3ASCII exporter;
    output::configureTapeExport(exporter, *dm.VideoTable, false);
    exporter.FileName = file;
    exporter.Execute();
}

class CsvImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        // As the program does: the overview's titles read from the built language files.
        QList<QStringList> titles;
        for (const char* language : {"English", "Norsk", "Svensk", "Deutsch"})
            titles << locale::CommaText::read(
                locale::TQLanguageFile(testing_support::builtProgramDir() + QStringLiteral("/%1.lng").arg(QLatin1String(language)))
                    .readString(QStringLiteral("OversigtForm"), QStringLiteral("DBGrid1.Columns"), QString()));
        import::setOverviewTitles(titles);
        options.dataFolder = program.dataDir();
        options.picturesFolder = program.file(QStringLiteral("Billeder"));
    }
    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("in.csv"))
    {
        const QString path = program.file(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    void addTapes(std::function<void(data::TDM&)> fill)
    {
        data::TDM dm(program.dataDir());
        dm.OpenTables();
        fill(dm);
    }
    QStringList entries() const
    {
        return QDir(program.path()).entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    }

    testing_support::TempProgramFolder program;
    import::ImportOptions options;
};

TEST_F(CsvImport, TheProgramsOwnExportComesBackByteForByte)
{
    testing_support::TempProgramFolder source;
    {
        data::TDM dm(source.dataDir());
        dm.OpenTables();
        addTape(dm, QStringLiteral("0001-00"), QString::fromUtf8("Æblet \"Rødt\"; to linjer\r\nanden linje"),
                {{"Start", "01:30"}, {"Slut", "02:45"}, {"Type", "VHS"}, {"Kopi", "Kopi"}, {"Laengde", "03:00"},
                 {"Kategori", QString::fromUtf8("Børnefilm")}, {"Udlaan", "Ja"},
                 {"Instruktor", QString::fromUtf8("Søren Kragh-Jacobsen")}, {"Optagetaf", QString::fromUtf8("Åse")},
                 {"OptagetDato", "12.10.2001"}, {"Fabrikat", "Sony; \"Premium\""}, {"Placering", "Hylde 3; \"B\""},
                 {"EAN", "0012345678905"},
                 {"Indhold", QStringLiteral("Linje 1\nLinje \"2\"; slut")}});
        addTape(dm, QStringLiteral("0002-00"), QStringLiteral("Kort"), {{"Kopi", "Original"}});
        addTape(dm, QStringLiteral("0003-00"), QStringLiteral("=cmd|' /C calc'!A0"),
                {{"Type", "@SUM(1)"}, {"Kopi", "-00"}, {"Laengde", "+SUM(1)"}, {"Kategori", "'citat"},
                 {"Instruktor", "=HYPERLINK(\"http://x\")"}, {"Fabrikat", "''to"}});
    }
    const QString first = source.file(QStringLiteral("first.txt"));
    exportCatalogue(source.dataDir(), first);

    const import::ImportReport report = import::importCsv(first, options);
    EXPECT_TRUE(report.refused.isEmpty());
    EXPECT_EQ(report.storedRows(), 3);
    const QString second = program.file(QStringLiteral("second.txt"));
    exportCatalogue(program.dataDir(), second);
    EXPECT_EQ(bytesOf(second), bytesOf(first));
    EXPECT_TRUE(bytesOf(first).contains(core::win1252::encode(QString::fromUtf8("\"Æblet \"\"Rødt\"\"; to linjer\r\nanden linje\""))));
    for (const char* marked : {"\"'=cmd|' /C calc'!A0\"", "\"'@SUM(1)\";\"'-00\";\"'+SUM(1)\";\"''citat\"",
                               "\"'=HYPERLINK(\"\"http://x\"\")\"", "\"'''to\""})
        EXPECT_TRUE(bytesOf(first).contains(marked)) << marked << "\n" << bytesOf(first).constData();
    EXPECT_EQ(query(program.dataDir(), QStringLiteral("SELECT Varighed, OptagetDato, ifnull(Indhold, 'none') FROM Video.Video "
                                                      "WHERE TapeNr = '0001-00'")),
              QStringList{"01:15:00|2001-10-12|none"});
}

TEST_F(CsvImport, AShortDateFormWithATwoDigitYearKeepsTheCentury)
{
    const struct LocaleAgain {
        ~LocaleAgain() { QLocale::setDefault(QLocale(QLocale::Danish, QLocale::Denmark)); }
    } again;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_EQ(QLocale().dateFormat(QLocale::ShortFormat), QStringLiteral("M/d/yy"));
    import::importCsv(write("TapeNr;OptagetDato\r\n0001-00;10/12/01\r\n0002-00;10/12/87\r\n"), options);
    EXPECT_EQ(query(program.dataDir(), QStringLiteral("SELECT OptagetDato FROM Video.Video ORDER BY TapeNr")),
              (QStringList{"2001-10-12", "1987-10-12"}));
}

TEST_F(CsvImport, IntoAnEmptyCatalogueTheRecordRulesApplyAndThePreviousDataIsKept)
{
    const QString file = write(QByteArray(header) + "0001-00;A;01:30;02:45;09:09:09;VHS;Original;;Drama;Nej;Bille;Far;2001-10-12;\r\n"
                                                    "0002-00;B;01:30;;09:09:09;;;;drama;;;;12.10.2001;\r\n"
                                                    "0003-00;C;;;;;;;Drama;;;;;\r\n");
    const import::ImportReport report = import::importCsv(file, options);
    EXPECT_EQ(query(program.dataDir(), QStringLiteral("SELECT TapeNr, Varighed, OptagetDato FROM Video.Video ORDER BY TapeNr")),
              (QStringList{"0001-00|01:15:00|2001-10-12", "0002-00|09:09:09|2001-10-12", "0003-00|NULL|NULL"}));
    EXPECT_EQ(query(program.dataDir(), QStringLiteral("SELECT Kategori FROM Kategori.Kategori ORDER BY Kategori")),
              (QStringList{"Drama", "drama"}));
    EXPECT_EQ(query(program.dataDir(), QStringLiteral("SELECT Instruktor FROM Instruktor.Instruktor")), QStringList{"Bille"});
    EXPECT_EQ(report.lookupValuesAdded, 4);
    EXPECT_EQ(entries().filter(QRegularExpression(QStringLiteral("^Data-before-import-"))).size(), 1);
    EXPECT_TRUE(QFile::exists(report.reportFile));
    EXPECT_TRUE(report.text().contains(QStringLiteral("Video.db: 3 poster læst, 3 gemt")));
}

TEST_F(CsvImport, ColumnsAreFoundByNameInAnyCaseAndByTheOverviewsTitlesUnknownOnesAreReported)
{
    const QString file = write(QByteArray("tapenr,Title,Recorded on,Farve,Kategorie\n0001-00,Film,2001-10-12,rød,Krimi\n"));
    const import::ImportReport report = import::importCsv(file, options);
    EXPECT_EQ(query(program.dataDir(), QStringLiteral("SELECT TapeNr, Titel, OptagetDato, Kategori FROM Video.Video")),
              QStringList{"0001-00|Film|2001-10-12|Krimi"});
    EXPECT_TRUE(report.text().contains(QStringLiteral("  Felter der ikke bruges: Farve\n"))) << report.text().toStdString();
    EXPECT_TRUE(report.text().contains(QStringLiteral("Tegnsæt UTF-8, skilletegn ,"))) << report.text().toStdString();
}

TEST_F(CsvImport, ATitleOfEveryLanguageFilesOverviewGridNamesItsField)
{
    for (const char* language : {"English", "Norsk", "Svensk", "Deutsch"}) {
        QFile file(testing_support::sourceDir() + QStringLiteral("/resources/languages/%1/OversigtForm.txt").arg(QLatin1String(language)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        const QRegularExpressionMatch line = QRegularExpression(QStringLiteral("DBGrid1.Columns=\"(.*)\"")).match(text);
        ASSERT_TRUE(line.hasMatch());
        const QStringList titles = locale::CommaText::read(line.captured(1).replace(QStringLiteral("\"\""), QStringLiteral("\"")));
        const QStringList fields = {"TapeNr", "Titel", "Start", "Slut", "Varighed", "Type", "Kopi",
                                    "Laengde", "Kategori", "Udlaan", "Instruktor", "Optagetaf", "OptagetDato", "Fabrikat",
                                    "Placering"};
        ASSERT_EQ(titles.size(), fields.size()) << language;
        for (int i = 0; i < titles.size(); ++i)
            EXPECT_EQ(import::fieldOfColumn(titles[i]), fields[i]) << language << ": " << titles[i].toStdString();
    }
}

TEST_F(CsvImport, AFileWithoutATapeNumberColumnIsRefusedAndNothingChanges)
{
    const auto before = snapshot(program.path());
    const QString file = write("Titel;Kategori\r\nFilm;Drama\r\n");
    try {
        import::importCsv(file, options);
        FAIL() << "imported";
    } catch (const import::EImportError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("\"%1\" har ingen kolonne med båndnummeret (TapeNr).").arg(file));
    }
    QFile::remove(file);
    EXPECT_EQ(snapshot(program.path()), before);
}

TEST_F(CsvImport, RowsThatCannotBeStoredAreListedWithTheirLineAndReason)
{
    const QString file = write(QByteArray(header) + "0001-00;Godt\r\n"
                                                    "0002-00;Dato;;;;;;;;;;;32.13.2001;\r\n"
                                                    ";Intet nummer\r\n"
                                                    "0003-00;Tid;25:00;02:00\r\n"
                                                    "0001-00;Igen\r\n"
                                                    "0004-00;\"To\r\nlinjer\"\r\n"
                                                    "Nummer 12;Langt\r\n"
                                                    "\x01\x02;Styretegn\r\n"
                                                    "\"00\t6-00\";Tabulator\r\n"
                                                    "0006-00;Stregkode;;;;;;;;;;;;;;5701234567898\r\n"
                                                    "0005-00;\"Aldrig lukket\r\n");
    const import::ImportReport report = import::importCsv(file, options);
    EXPECT_EQ(query(program.dataDir(), QStringLiteral("SELECT TapeNr FROM Video.Video ORDER BY TapeNr")),
              (QStringList{"0001-00", "0004-00"}));
    const QString text = report.text();
    for (const char* line : {"Poster der ikke er gemt: 9", "  in.csv, linje 3: OptagetDato: \"32.13.2001\" er ikke en dato",
                             "  in.csv, linje 4: TapeNr: tom værdi", "  in.csv, linje 5: Start: '25:00' is not a valid time",
                             "  in.csv, linje 6: TapeNr \"0001-00\" findes allerede",
                             "  in.csv, linje 9: TapeNr: \"Nummer 12\" er længere end 7 tegn",
                             "  in.csv, linje 10: TapeNr: \"\\x01\\x02\" indeholder styretegn",
                             "  in.csv, linje 11: TapeNr: \"00\\x096-00\" indeholder styretegn",
                             "  in.csv, linje 12: EAN-koden '5701234567898' kan ikke gemmes: kontrolcifferet (det sidste ciffer) "
                             "passer ikke. Se efter om koden er tastet rigtigt.",
                             "  in.csv, linje 13: anførselstegnet lukkes ikke før filens slutning",
                             "Video.db: 11 poster læst, 2 gemt"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line << "\n" << text.toStdString();
}

TEST_F(CsvImport, IntoACatalogueWithTapesOnlyNewNumbersAreAddedAndExistingTapesStayAsTheyWere)
{
    addTapes([](data::TDM& dm) { addTape(dm, QStringLiteral("0001-00"), QStringLiteral("Gammel"), {{"Kategori", "Drama"}}); });
    const QString file = write(QByteArray(header) + "0001-00;Ny titel;;;;;;;Komedie\r\n0002-00;Ny;;;;;;;Krimi\r\n");
    const import::ImportReport report = import::importCsv(file, options);
    EXPECT_EQ(query(program.dataDir(), QStringLiteral("SELECT TapeNr, Titel, Kategori FROM Video.Video ORDER BY TapeNr")),
              (QStringList{"0001-00|Gammel|Drama", "0002-00|Ny|Krimi"}));
    EXPECT_EQ(query(program.dataDir(), QStringLiteral("SELECT Kategori FROM Kategori.Kategori ORDER BY Kategori")),
              (QStringList{"Drama", "Krimi"}));
    EXPECT_EQ(report.skipped, QStringList{"0001-00"});
    EXPECT_TRUE(report.text().contains(QStringLiteral("Film der fandtes i forvejen og ikke er ændret: 1\n  0001-00\n")));
    EXPECT_TRUE(report.keptData.isEmpty());
    EXPECT_TRUE(entries().filter(QRegularExpression(QStringLiteral("^Data-"))).isEmpty()) << entries().join(' ').toStdString();
    EXPECT_TRUE(QFile::exists(report.reportFile));
}

TEST_F(CsvImport, ReplaceBuildsANewCatalogueAndKeepsTheOldOne)
{
    addTapes([](data::TDM& dm) { addTape(dm, QStringLiteral("0001-00"), QStringLiteral("Gammel")); });
    options.replace = true;
    const import::ImportReport report = import::importCsv(write(QByteArray(header) + "0007-00;Ny\r\n"), options);
    EXPECT_EQ(query(program.dataDir(), QStringLiteral("SELECT TapeNr, Titel FROM Video.Video")), QStringList{"0007-00|Ny"});
    EXPECT_EQ(query(report.keptData, QStringLiteral("SELECT TapeNr, Titel FROM Video.Video")), QStringList{"0001-00|Gammel"});
}

// Only a header, or every row refused: the catalogue with tapes is never swapped for an empty one.
TEST_F(CsvImport, AFileThatGivesNoTapeNeverReplacesACatalogueThatHoldsSome)
{
    addTapes([](data::TDM& dm) { addTape(dm, QStringLiteral("0001-00"), QStringLiteral("Gammel")); });
    const QString onlyHeader = write(QByteArray(header), QStringLiteral("header.csv"));
    const QString refused = write(QByteArray(header) + "0002-00;Dato;;;;;;;;;;;32.13.2001;\r\n", QStringLiteral("dates.csv"));
    const auto before = snapshot(program.path());
    options.replace = true;
    const std::pair<QString, QString> cases[] = {
        {onlyHeader, QString()}, {refused, QStringLiteral(" Linje 2: OptagetDato: \"32.13.2001\" er ikke en dato")}};
    for (const auto& [file, reason] : cases) {
        try {
            import::importCsv(file, options);
            ADD_FAILURE() << "replaced by " << file.toStdString();
        } catch (const import::EImportError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Ingen film fra \"%1\" kan gemmes; kataloget med 1 film erstattes ikke af et "
                                                  "uden film.%2").arg(file, reason));
        }
        EXPECT_EQ(snapshot(program.path()), before) << file.toStdString();
    }
}

TEST_F(CsvImport, JunkInTheSearchIndexNeverStopsAnAdd)
{
    addTapes([](data::TDM& dm) { addTape(dm, QStringLiteral("0001-00"), QStringLiteral("Gammel")); });
    testing_support::execOnDatabase(program.dataDir() + QStringLiteral("/Video.db"),
                                    "UPDATE VideoSoeg_data SET block = randomblob(length(block)) WHERE id > 5");
    import::importCsv(write(QByteArray(header) + "0007-00;Nyheder\r\n"), options);
    EXPECT_EQ(query(program.dataDir(), QStringLiteral("SELECT v.TapeNr FROM Video.VideoSoeg('yhe') s "
                                                      "JOIN Video.Video v ON v.rowid = s.rowid")),
              QStringList{"0007-00"});
}

TEST_F(CsvImport, TheNewCatalogueOpensWithItsSearchIndexMade)
{
    import::importCsv(write(QByteArray(header) + "0007-00;Nyheder\r\n0008-00;Gamle\r\n"), options);
    EXPECT_EQ(query(program.dataDir(), QStringLiteral("SELECT v.TapeNr FROM Video.VideoSoeg('yhe') s "
                                                      "JOIN Video.Video v ON v.rowid = s.rowid")),
              QStringList{"0007-00"});
}

TEST_F(CsvImport, ADryRunReportsWhatWouldHappenAndWritesNothing)
{
    addTapes([](data::TDM& dm) { addTape(dm, QStringLiteral("0001-00"), QStringLiteral("Gammel")); });
    const QString file = write(QByteArray(header) + "0001-00;Ny\r\n0002-00;Ny\r\n");
    const auto before = snapshot(program.path());
    options.dryRun = true;
    for (const bool replace : {false, true}) {
        options.replace = replace;
        const import::ImportReport report = import::importCsv(file, options);
        EXPECT_EQ(report.storedRows(), replace ? 2 : 1);
        EXPECT_TRUE(report.text().startsWith(QStringLiteral("Prøveindlæsning fra %1").arg(file)));
        EXPECT_EQ(snapshot(program.path()), before);
    }
}

TEST_F(CsvImport, ACancelledImportLeavesTheCatalogueAsItWas)
{
    addTapes([](data::TDM& dm) { addTape(dm, QStringLiteral("0001-00"), QStringLiteral("Gammel")); });
    QByteArray rows(header);
    for (int i = 2; i < 2000; ++i)
        rows += QStringLiteral("%1-00;Film\r\n").arg(i, 4, 10, QLatin1Char('0')).toLatin1();
    const QString file = write(rows);
    const auto before = snapshot(program.path());
    for (const bool replace : {false, true}) {
        options.replace = replace;
        EXPECT_THROW(import::importCsv(file, options, [](qint64, qint64) { return false; }), core::EAbort);
        EXPECT_EQ(snapshot(program.path()), before);
    }
}

TEST(ReportName, ASecondReportInTheSameSecondKeepsItsExtension)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("Import-2026-12-09-181613"));
    EXPECT_EQ(catalogue::unusedName(base, QStringLiteral(".txt")), base + QStringLiteral(".txt"));
    QFile(base + QStringLiteral(".txt")).open(QIODevice::WriteOnly);
    EXPECT_EQ(catalogue::unusedName(base, QStringLiteral(".txt")), base + QStringLiteral("-2.txt"));
}

} // namespace
