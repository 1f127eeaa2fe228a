#include "common/TempProgramFolder.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/ScriptedDialogs.h"
#include "data/DM.h"
#include "output/Export3ASCII.h"
#include "output/ExportCommand.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QByteArray kCaptions = "\"TapeNr\";\"Titel\";\"Start\";\"Slut\";\"Varighed\";\"Type\";\"Kopi\";\"Laengde\";"
                             "\"Kategori\";\"Udlaan\";\"Instruktor\";\"Optagetaf\";\"OptagetDato\";\"Fabrikat\"\r\n";

class Export : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.install();
        dm = std::make_unique<data::TDM>(folder.dataDir());
        dm->OpenTables();
        output::configureTapeExport(exporter, *dm->VideoTable, false);
        exporter.FileName = folder.file(QStringLiteral("out/Video.txt"));
        scripted().clear();
    }
    core::ScriptedDialogs& scripted() { return static_cast<core::ScriptedDialogs&>(core::dialogs()); }
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

    testing_support::TempProgramFolder folder;
    std::unique_ptr<data::TDM> dm;
    output::TQExport3ASCII exporter;
};

} // namespace

TEST_F(Export, WritesTheCaptionLineAndOneQuotedLinePerTape)
{
    add({{"TapeNr", "0001-00"}, {"Kopi", "Original"}, {"Udlaan", "Nej"}});
    exporter.Execute();
    EXPECT_EQ(written(), kCaptions + "\"0001-00\";\"\";\"\";\"\";\"\";\"\";\"Original\";\"\";\"\";\"Nej\";\"\";\"\";\"\";\"\"\r\n");
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
    exporter.Execute();
    const QList<QByteArray> lines = written().split('\n');
    ASSERT_EQ(lines.size(), 4); // captions, two tapes, empty after the last CR LF
    EXPECT_TRUE(lines[1].startsWith("\"0002-00\""));
    EXPECT_TRUE(lines[2].startsWith("\"0001-00\""));
}

TEST_F(Export, AnEmptySelectionGivesTheCaptionLineOnlyAndAnOldFileIsReplaced)
{
    QDir().mkpath(folder.file(QStringLiteral("out")));
    QFile old(exporter.FileName);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old content that is longer than the new one ........................................................");
    old.close();
    exporter.Execute();
    EXPECT_EQ(written(), kCaptions);
}

TEST_F(Export, AFolderThatCannotBeMadeIsReportedAndNothingIsWritten)
{
    QFile blocker(folder.file(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    exporter.FileName = folder.file(QStringLiteral("blocker/sub/Video.txt"));
    try {
        exporter.Execute();
        FAIL() << "exported";
    } catch (const core::EExportError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Directory \"%1\" not found and cannot be created").arg(folder.file(QStringLiteral("blocker/sub"))));
    }
    EXPECT_FALSE(dm->VideoTable->ControlsDisabled());
}

TEST_F(Export, AClosedTableIsReportedAfterTheFileIsCreated)
{
    dm->VideoTable->Close();
    try {
        exporter.Execute();
        FAIL() << "exported";
    } catch (const core::EExportError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Export source (DataSet) is closed"));
    }
    EXPECT_EQ(written(), QByteArray());
}

TEST_F(Export, TheCommandAsksPerLanguageAndCancelWritesNothing)
{
    add({{"TapeNr", "0001-00"}});
    QDir::setCurrent(folder.path());
    scripted().inputAnswers = {std::nullopt};
    output::runExportCommand(exporter, -1);
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("Video.txt"))));
    ASSERT_EQ(scripted().shown.size(), 1u);
    EXPECT_EQ(scripted().shown[0].caption, QStringLiteral("Data export til semikolon separeret fil"));
    EXPECT_EQ(scripted().shown[0].text, QStringLiteral("Skriv et filnavn f.eks. Video.txt"));
    EXPECT_EQ(scripted().shown[0].extra, QStringLiteral("Video.txt"));

    scripted().clear();
    scripted().inputAnswers = {QStringLiteral("Liste.txt")};
    output::runExportCommand(exporter, 3);
    EXPECT_EQ(scripted().shown[0].caption, QStringLiteral("Data export to comma separeted file"));
    EXPECT_EQ(scripted().texts(QStringLiteral("information")),
              QStringList{QStringLiteral("Data exported to Liste.txt\n\rThe file can be imported into an Excel worksheet.")});
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("Liste.txt"))));
    EXPECT_EQ(output::exportNotice(QStringLiteral("x.txt"), 1),
              QStringLiteral("Data er exporteret til x.txt\n\rFilen kan evt. importeres i et Excel regneark."));
}

TEST_F(Export, ShowFileHandsTheFileToTheDesktop)
{
    exporter.ShowFile = true;
    exporter.Execute();
    EXPECT_EQ(scripted().texts(QStringLiteral("shell")), QStringList{exporter.FileName});
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
