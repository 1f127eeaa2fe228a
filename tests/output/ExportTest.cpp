#include "common/TestCatalogue.h"
#include "common/TinyDisk.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/ScriptedDialogs.h"
#include "data/DM.h"
#include "engine/Database.h"
#include "engine/Table.h"
#include "output/Export3ASCII.h"
#include "output/ExportCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

namespace {

const QByteArray kCaptions = "\"TapeNr\";\"Titel\";\"Start\";\"Slut\";\"Varighed\";\"Type\";\"Kopi\";\"Laengde\";"
                             "\"Kategori\";\"Udlaan\";\"Instruktor\";\"Optagetaf\";\"OptagetDato\";\"Fabrikat\";"
                             "\"Placering\";\"EAN\"\r\n";

class Export : public testing_support::CatalogueTest {
protected:
    void SetUp() override
    {
        CatalogueTest::SetUp();
        output::configureTapeExport(exporter, *dm->VideoTable, false);
        exporter.FileName = folder->file(QStringLiteral("out/Video.txt"));
    }
    void add(std::initializer_list<std::pair<const char*, QString>> fields)
    {
        dm->VideoTable->Insert();
        for (const auto& [field, value] : fields)
            dm->VideoTable->FieldByName(QString::fromLatin1(field)).SetAsString(value);
        dm->VideoTable->Post();
    }
    QByteArray written(const QString& path = QString())
    {
        QFile file(path.isEmpty() ? exporter.FileName : path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    output::TQExport3ASCII exporter;
};

// The command's boxes in each language the program offers, by its index.
struct CommandTextsCase {
    int index;
    const char* language;
    bool english;
};

const CommandTextsCase kCommandTextsCases[] = {
    {-1, "Dansk", false}, {0, "English", true}, {1, "Norsk", false}, {2, "Svensk", false}, {3, "Deutsch", true},
};

class ExportCommandTexts : public Export, public ::testing::WithParamInterface<CommandTextsCase> {};

} // namespace

TEST_F(Export, WritesTheCaptionLineAndOneQuotedLinePerTape)
{
    add({{"TapeNr", "0001-00"}, {"Kopi", "Original"}, {"Udlaan", "Nej"}});
    exporter.Execute();
    EXPECT_EQ(written(), kCaptions + "\"0001-00\";\"\";\"\";\"\";\"\";\"\";\"Original\";\"\";\"\";\"Nej\";\"\";\"\";\"\";\"\";\"\";\"\"\r\n");
    EXPECT_TRUE(dm->VideoTable->Eof()) << "the table is left at its end";
    EXPECT_FALSE(dm->VideoTable->ControlsDisabled());
}

TEST_F(Export, QuotesAreDoubledSemicolonsKeptBlanksTrimmedLettersAsSingleBytes)
{
    add({{"TapeNr", "0001-00"}, {"Titel", "  Han sagde \"nej\"; farvel  "}, {"Kategori", "Gyser/Ærgrelse"},
         {"OptagetDato", "2003-04-05"}, {"Indhold", "never exported"}});
    exporter.Execute();
    const QByteArray line = written().mid(kCaptions.size());
    EXPECT_TRUE(line.startsWith("\"0001-00\";\"Han sagde \"\"nej\"\"; farvel\";")) << line.constData();
    EXPECT_TRUE(line.contains("\"Gyser/\xC6rgrelse\"")) << "Æ is one Windows-1252 byte";
    EXPECT_TRUE(line.contains(QLocale().toString(QDate(2003, 4, 5), QLocale::ShortFormat).toLatin1()));
    EXPECT_FALSE(written().contains("Indhold"));
    EXPECT_FALSE(written().contains("never exported"));
    EXPECT_TRUE(line.endsWith("\r\n"));
}

TEST_F(Export, ANulInsideAValueIsNeverWrittenRaw)
{
    add({{"TapeNr", "0001-00"}, {"Titel", QStringLiteral("Før") + QChar(0) + QStringLiteral("efter")}});
    exporter.Execute();
    EXPECT_FALSE(written().contains('\0'));
    EXPECT_TRUE(written().contains("\"F\xF8r?efter\"")) << written().constData();
}

TEST_F(Export, CharactersTheCodePageLacksAreReplacedOneEachAndCountedInTheNotice)
{
    add({{"TapeNr", "0001-00"}, {"Titel", "Dvořák 🎬 Łódź"}});
    QDir::setCurrent(folder->path());
    dialogs().inputAnswers = {QStringLiteral("Tegn.txt")};
    output::runExportCommand(exporter, -1);
    const QByteArray line = written(folder->file(QStringLiteral("Tegn.txt"))).mid(kCaptions.size());
    EXPECT_TRUE(line.startsWith("\"0001-00\";\"Dvor\xE1k ? ?\xF3" "dz\";")) << line.constData();
    EXPECT_EQ(dialogs().texts(QStringLiteral("information")),
              QStringList{QStringLiteral("Data er exporteret til Tegn.txt\n\rFilen kan evt. importeres i et Excel regneark."
                                         "\n\rTegn der ikke kunne skrives i filens tegnsæt: 4 (erstattet af et bogstav "
                                         "uden accent eller et spørgsmålstegn).")});

    // A run that needs no replacement shows the usual notice only.
    dm->VideoTable->Edit();
    dm->VideoTable->FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("Dvorak"));
    dm->VideoTable->Post();
    dialogs().clear();
    dialogs().inputAnswers = {QStringLiteral("Tegn.txt")};
    output::runExportCommand(exporter, -1);
    EXPECT_EQ(dialogs().texts(QStringLiteral("information")),
              QStringList{QStringLiteral("Data er exporteret til Tegn.txt\n\rFilen kan evt. importeres i et Excel regneark.")});
}

TEST_F(Export, UserFormatsAndCaptionsApplyPerFieldAndUnreadableDatesComeOutEmpty)
{
    add({{"TapeNr", "0001-00"}, {"OptagetDato", "2003-04-05"}});
    dm->VideoTable->Insert();
    dm->VideoTable->FieldByName(QStringLiteral("TapeNr")).SetAsString(QStringLiteral("0002-00"));
    dm->VideoTable->FieldByName(QStringLiteral("OptagetDato")).SetValue(QStringLiteral("not a date"));
    dm->VideoTable->Post();
    exporter.ExportedFields = QStringList{QStringLiteral("TapeNr"), QStringLiteral("OptagetDato")};
    exporter.UserFormats = QStringList{QStringLiteral("optagetdato=yyyy/MM/dd")};
    exporter.Captions = QStringList{QStringLiteral("TapeNr=Bånd")};
    exporter.Execute();
    EXPECT_EQ(written(), QByteArray("\"B\xE5nd\";\"OptagetDato\"\r\n\"0001-00\";\"2003/04/05\"\r\n\"0002-00\";\"\"\r\n"));

    // A second run with other settings is not served from the first run's formats.
    exporter.UserFormats.clear();
    exporter.CSVQuoteStrings = false;
    exporter.Execute();
    const QByteArray danishDate = QLocale().toString(QDate(2003, 4, 5), QLocale::ShortFormat).toLatin1();
    EXPECT_EQ(written(), "B\xE5nd;OptagetDato\r\n0001-00;" + danishDate + "\r\n0002-00;\r\n");
}

TEST_F(Export, FollowsTheOrderAndFilterTheOverviewLeft)
{
    add({{"TapeNr", "0001-00"}, {"Titel", "Zulu"}, {"Kategori", "Krig"}});
    add({{"TapeNr", "0002-00"}, {"Titel", "Alfa"}, {"Kategori", "Krig"}});
    add({{"TapeNr", "0003-00"}, {"Titel", "Beta"}, {"Kategori", "Komedie"}});
    dm->VideoTable->SetIndexName(QStringLiteral("IndexTitel"));
    dm->VideoTable->SetFilter(QStringLiteral("Kategori = 'Krig'"));
    dm->VideoTable->SetFiltered(true);
    dm->VideoTable->Last();
    exporter.Execute();
    const QList<QByteArray> lines = written().split('\n');
    ASSERT_EQ(lines.size(), 4); // captions, two tapes, empty after the last CR LF
    EXPECT_TRUE(lines[1].startsWith("\"0002-00\""));
    EXPECT_TRUE(lines[2].startsWith("\"0001-00\""));
    // Not brought back: the last record of the order is current.
    EXPECT_EQ(dm->VideoTable->FieldByName(QStringLiteral("TapeNr")).AsString(), QStringLiteral("0001-00"));
}

TEST_F(Export, AnEmptySelectionGivesTheCaptionLineOnlyAndAnOldFileIsReplaced)
{
    QDir().mkpath(folder->file(QStringLiteral("out")));
    QFile old(exporter.FileName);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old content that is longer than the new one ........................................................");
    old.close();
    exporter.Execute();
    EXPECT_EQ(written(), kCaptions);
}

TEST_F(Export, AFolderThatCannotBeMadeIsReportedAndNothingIsWritten)
{
    QFile blocker(folder->file(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    exporter.FileName = folder->file(QStringLiteral("blocker/sub/Video.txt"));
    try {
        exporter.Execute();
        FAIL() << "exported";
    } catch (const core::EExportError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Directory \"%1\" not found and cannot be created").arg(folder->file(QStringLiteral("blocker/sub"))));
    }
    EXPECT_FALSE(dm->VideoTable->ControlsDisabled());
}

TEST_F(Export, AClosedOrMissingTableIsReportedAndTheOldFileStays)
{
    const struct {
        bool assigned;
        const char* message;
    } cases[] = {
        {true, "Export source (DataSet) is closed"},
        {false, "Export source (DataSet) is not assigned"},
    };
    dm->VideoTable->Close();
    QDir().mkpath(folder->file(QStringLiteral("out")));
    QFile old(exporter.FileName);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the last export");
    old.close();
    for (const auto& c : cases) {
        exporter.DataSet = c.assigned ? dm->VideoTable : nullptr;
        try {
            exporter.Execute();
            ADD_FAILURE() << "exported";
        } catch (const core::EExportError& e) {
            EXPECT_EQ(e.message(), QLatin1String(c.message));
        }
        EXPECT_EQ(written(), QByteArray("the last export")) << c.message;
        EXPECT_EQ(QDir(folder->file(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden),
                  QStringList(QStringLiteral("Video.txt")));
    }
}

TEST_F(Export, AFileThatCannotBeCreatedIsReportedAndTheTableIsNotMoved)
{
    add({{"TapeNr", "0001-00"}});
    add({{"TapeNr", "0002-00"}});
    dm->VideoTable->First();
    const QString folderAsFile = folder->file(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(folderAsFile));
    for (const QString& name : {folderAsFile, QString()}) {
        exporter.FileName = name;
        try {
            exporter.Execute();
            ADD_FAILURE() << "exported to " << qPrintable(name);
        } catch (const core::EExportError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(QFileInfo(name).absoluteFilePath())))
                << qPrintable(e.message());
        }
        EXPECT_EQ(dm->VideoTable->FieldByName(QStringLiteral("TapeNr")).AsString(), QStringLiteral("0001-00"));
        EXPECT_FALSE(dm->VideoTable->ControlsDisabled());
    }
}

TEST_F(Export, TheCataloguesOwnFolderIsNeverWritten)
{
    add({{"TapeNr", "0001-00"}, {"Titel", "Alien"}});
    const QString table = QDir(folder->dataDir()).filePath(QStringLiteral("Video.db"));
    const QByteArray before = written(table);
    for (const QString& name : {table, QDir(folder->dataDir()).filePath(QStringLiteral("Video.db-journal")),
                                QDir(folder->dataDir()).filePath(QStringLiteral("../Data/Liste.txt"))}) {
        exporter.FileName = name;
        try {
            exporter.Execute();
            ADD_FAILURE() << "exported to " << qPrintable(name);
        } catch (const core::EExportError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Cannot create file"))) << qPrintable(e.message());
        }
        EXPECT_FALSE(QFileInfo::exists(name) && name != table) << qPrintable(name);
    }
    const QString link = folder->file(QStringLiteral("Liste.txt"));
    ASSERT_TRUE(QFile::link(table, link));
    exporter.FileName = link;
    EXPECT_THROW(exporter.Execute(), core::EExportError) << "a link into the folder";
    EXPECT_EQ(written(table), before);
    dm->VideoTable->First();
    EXPECT_EQ(dm->VideoTable->FieldByName(QStringLiteral("Titel")).AsString(), QStringLiteral("Alien"));
}

// Lines are buffered, so a full disk may only show when the file is closed: that too is a
// failed export, not a file handed to the desktop with lines missing, and the export before
// it stays as it was.
TEST_F(Export, AFullDiskFailsTheExportKeepsTheOldFileAndTheNextRunStillWorks)
{
    testing_support::TinyDisk disk(64);
    if (!disk.mounted())
        GTEST_SKIP() << "no small disk can be mounted here";
    add({{"TapeNr", "0001-00"}, {"Titel", "Alien"}});
    exporter.ShowFile = true;
    exporter.FileName = disk.file(QStringLiteral("Video.txt"));
    exporter.Execute();
    const QByteArray before = written();
    dialogs().clear();
    disk.fill();
    const struct {
        const char* name;
        QStringList header;
    } cases[] = {
        {"lines fail only at the end", {}},
        // Too long for the buffer: fails while it is written, before any record.
        {"a line fails while written", {QString(40000, QLatin1Char('x'))}},
    };
    for (const auto& c : cases) {
        exporter.Header = c.header;
        try {
            exporter.Execute();
            ADD_FAILURE() << c.name << ": exported";
        } catch (const core::EInOutError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Filen \"%1\" kan ikke skrives. Der er ikke mere plads på disken").arg(exporter.FileName))
                << c.name;
        }
        EXPECT_EQ(written(), before) << c.name;
        EXPECT_TRUE(dialogs().texts(QStringLiteral("shell")).isEmpty());
        EXPECT_FALSE(dm->VideoTable->ControlsDisabled());
    }
    EXPECT_EQ(QDir(disk.file(QString())).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral(".filler"), QStringLiteral("Video.txt")}));

    // The command ends at the error: no notice.
    exporter.Header.clear();
    dialogs().inputAnswers = {exporter.FileName};
    EXPECT_THROW(output::runExportCommand(exporter, -1), core::EInOutError);
    EXPECT_TRUE(dialogs().texts(QStringLiteral("information")).isEmpty());

    disk.release();
    exporter.Execute();
    EXPECT_TRUE(written().startsWith(kCaptions));
    EXPECT_EQ(dialogs().texts(QStringLiteral("shell")), QStringList{exporter.FileName});
}

TEST_F(Export, OnlyARegularFileIsReplacedAndALinkToOneIsWrittenThrough)
{
    QDir().mkpath(folder->file(QStringLiteral("out")));
    const QString fifo = folder->file(QStringLiteral("out/pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString linkToFifo = folder->file(QStringLiteral("out/pipe.txt"));
    ASSERT_TRUE(QFile::link(fifo, linkToFifo));
    for (const QString& name : {fifo, linkToFifo}) {
        exporter.FileName = name;
        try {
            exporter.Execute();
            ADD_FAILURE() << "exported to " << qPrintable(name);
        } catch (const core::EExportError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Cannot create file \"%1\". Det er ikke en almindelig fil").arg(name));
        }
    }
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));

    const QString real = folder->file(QStringLiteral("out/real.txt"));
    ASSERT_TRUE(QFile(real).open(QIODevice::WriteOnly));
    exporter.FileName = folder->file(QStringLiteral("out/link.txt"));
    ASSERT_TRUE(QFile::link(real, exporter.FileName));
    exporter.Execute();
    EXPECT_TRUE(QFileInfo(exporter.FileName).isSymLink());
    EXPECT_EQ(written(real), kCaptions);
}

// More tapes than the engine reads at once, so the last ones are read only as the export gets
// to them; another program deletes one before that.
TEST_F(Export, ATapeDeletedElsewhereMeanwhileIsLeftOutNotWrittenEmpty)
{
    engine::Database& db = dm->VideoTable->database();
    db.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                           "INSERT INTO Video.Video(TapeNr, Titel) SELECT printf('%04d-00', i), 'Film' FROM n"));
    dm->VideoTable->Refresh();
    data::TDM other(folder->dataDir());
    other.VideoTable->Open();
    other.VideoTable->database().exec(QStringLiteral("DELETE FROM Video.Video WHERE TapeNr = '0300-00'"));
    exporter.Execute();
    const QList<QByteArray> lines = written().split('\n');
    EXPECT_EQ(lines.size(), 1 + 299 + 1) << "captions, the tapes left, and nothing after the last line end";
    EXPECT_FALSE(written().contains("0300-00"));
    EXPECT_FALSE(written().contains("\n\"\";\"\";")) << "no line of empty values";
}

TEST_F(Export, CancellingTheFileNameBoxWritesNothing)
{
    add({{"TapeNr", "0001-00"}});
    QDir::setCurrent(folder->path());
    dialogs().inputAnswers = {std::nullopt};
    output::runExportCommand(exporter, -1);
    EXPECT_FALSE(QFile::exists(folder->file(QStringLiteral("Video.txt"))));
    ASSERT_EQ(dialogs().shown.size(), 1u);
    EXPECT_EQ(dialogs().shown[0].kind, QStringLiteral("input"));
}

TEST_P(ExportCommandTexts, FollowTheLanguageIndex)
{
    const CommandTextsCase& c = GetParam();
    QDir::setCurrent(folder->path());
    const QString file = QStringLiteral("Liste %1.txt").arg(c.index);
    dialogs().inputAnswers = {file};
    output::runExportCommand(exporter, c.index);
    ASSERT_EQ(dialogs().shown.size(), 2u) << c.index;
    EXPECT_EQ(dialogs().shown[0].caption, c.english ? QStringLiteral("Data export to comma separeted file")
                                                    : QStringLiteral("Data export til semikolon separeret fil"));
    EXPECT_EQ(dialogs().shown[0].text, c.english ? QStringLiteral("Please write a filename e.g. Video.txt")
                                                 : QStringLiteral("Skriv et filnavn f.eks. Video.txt"));
    EXPECT_EQ(dialogs().shown[0].extra, QStringLiteral("Video.txt"));
    EXPECT_EQ(dialogs().shown[1].kind, QStringLiteral("information"));
    EXPECT_EQ(dialogs().shown[1].text,
              c.english ? QStringLiteral("Data exported to ") + file
                              + QStringLiteral("\n\rThe file can be imported into an Excel worksheet.")
                        : QStringLiteral("Data er exporteret til ") + file
                              + QStringLiteral("\n\rFilen kan evt. importeres i et Excel regneark."));
    EXPECT_TRUE(QFile::exists(folder->file(file))) << c.index;
}

INSTANTIATE_TEST_SUITE_P(Languages, ExportCommandTexts, ::testing::ValuesIn(kCommandTextsCases),
                         [](const auto& info) { return std::string(info.param.language); });

TEST(ExportDefaults, AllRecordsEveryValueQuotedCaptionsFirst)
{
    output::TQExport3ASCII fresh;
    EXPECT_TRUE(fresh.GoToFirstRecord);
    EXPECT_FALSE(fresh.CurrentRecordOnly);
    EXPECT_FALSE(fresh.OnlyVisibleFields);
    EXPECT_EQ(fresh.ExportRecCount, 0);
    EXPECT_EQ(fresh.SkipRecCount, 0);
    EXPECT_TRUE(fresh.ExportEmpty);
    EXPECT_TRUE(fresh.AllowCaptions);
    EXPECT_TRUE(fresh.ExportedFields.isEmpty());
    EXPECT_TRUE(fresh.Captions.isEmpty());
    EXPECT_TRUE(fresh.UserFormats.isEmpty());
    EXPECT_TRUE(fresh.Header.isEmpty());
    EXPECT_TRUE(fresh.Footer.isEmpty());
    EXPECT_FALSE(fresh.PrintFile);
    EXPECT_EQ(fresh.CSVQuote, QLatin1Char('"'));
    EXPECT_TRUE(fresh.CSVQuoteStrings);

    const QLocale locale;
    const output::TQExportFormats& formats = fresh.Formats;
    EXPECT_EQ(formats.IntegerFormat, QStringLiteral("#,###,##0"));
    EXPECT_EQ(formats.FloatFormat, QStringLiteral("#,###,##0.00"));
    EXPECT_EQ(formats.DateFormat, locale.dateFormat(QLocale::ShortFormat));
    EXPECT_EQ(formats.TimeFormat, locale.timeFormat(QLocale::ShortFormat));
    EXPECT_EQ(formats.DateTimeFormat, formats.DateFormat + QLatin1Char(' ') + formats.TimeFormat);
    EXPECT_TRUE(formats.CurrencyFormat.contains(QStringLiteral("#,###,##0.00")));
    EXPECT_TRUE(formats.CurrencyFormat.contains(locale.currencySymbol()));
    EXPECT_EQ(formats.BooleanTrue, QStringLiteral("true"));
    EXPECT_EQ(formats.BooleanFalse, QStringLiteral("false"));
    EXPECT_TRUE(formats.NullString.isEmpty());
}

TEST_F(Export, ShowFileHandsTheFileToTheDesktop)
{
    exporter.ShowFile = true;
    exporter.Execute();
    EXPECT_EQ(dialogs().texts(QStringLiteral("shell")), QStringList{exporter.FileName});
}

TEST(ExportFormats, NumberPatterns)
{
    const QLocale locale;
    const QString group = locale.groupSeparator();
    EXPECT_EQ(output::formatNumber(1234567, QStringLiteral("#,###,##0")),
              QStringLiteral("1") + group + QStringLiteral("234") + group + QStringLiteral("567"));
    EXPECT_EQ(output::formatNumber(0, QStringLiteral("#,###,##0")), QStringLiteral("0"));
    EXPECT_EQ(output::formatNumber(2.5, QStringLiteral("#,###,##0.00")), QStringLiteral("2") + locale.decimalPoint() + QStringLiteral("50"));
}
