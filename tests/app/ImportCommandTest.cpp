// Bringing an old catalogue in through the main window: the "Importér…" command and the offer
// made at start when Data holds Paradox tables. Boxes are answered through the scripted dialogs.
#include "AppFixtures.h"
#include "OldCatalogue.h"
#include "common/FolderSnapshot.h"
#include "engine/Field.h"
#include "engine/Table.h"
#include "locale/TQLanguageSource.h"

#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>

namespace {

using testing_support::snapshot;

using paradoxtest::OldCatalogue;

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A running program on a program folder: main window, data module, overview, registration.
class ImportThroughTheWindow : public apptest::RunningProgram {
protected:
    explicit ImportThroughTheWindow(bool withData = true) : RunningProgram(withData) {}
    void SetUp() override
    {
        ASSERT_TRUE(oldRoot.isValid());
        RunningProgram::SetUp();
    }
    QStringList tapeNumbers()
    {
        QStringList numbers;
        engine::Table& video = *dm->VideoTable;
        for (video.First(); !video.Eof(); video.Next())
            numbers << video.FieldByName(QStringLiteral("TapeNr")).AsString();
        return numbers;
    }
    void addTape(const QString& tapeNr)
    {
        engine::Table& video = *dm->VideoTable;
        video.Insert();
        video.FieldByName(QStringLiteral("TapeNr")).SetAsString(tapeNr);
        video.FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("Min film"));
        video.Post();
    }

    QTemporaryDir oldRoot;
};

TEST_F(ImportThroughTheWindow, TheCommandStandsUnderFunktionerAfterTheExport)
{
    start();
    const QList<QAction*> items = form->Funktioner1->actions();
    const int exportAt = int(items.indexOf(form->Eksport1));
    ASSERT_GE(exportAt, 0);
    ASSERT_LT(exportAt + 1, items.size());
    EXPECT_EQ(items[exportAt + 1], form->Import1);
    EXPECT_EQ(form->Import1->text(), u("Importér…"));
    // The language files give it its text, and the import's texts follow the language.
    form->QLanguageSource1->SetActiveLanguage(0);
    EXPECT_EQ(form->Import1->text(), u("Import…"));
    const OldCatalogue old = paradoxtest::writeOldCatalogue(oldRoot.path());
    scripted().folderAnswers.push_back(old.dataFolder());
    form->Import1->trigger();
    ASSERT_EQ(scripted().texts(QStringLiteral("report")).size(), 1);
    EXPECT_TRUE(scripted().texts(QStringLiteral("report")).first().contains(QStringLiteral("6 records read, 3 stored")));
    ASSERT_GE(scripted().shown.size(), 2u);
    EXPECT_EQ(scripted().shown[0].kind, QStringLiteral("choose"));
    EXPECT_EQ(scripted().shown[0].extra, QStringLiteral("An old catalogue (Paradox tables)|A spreadsheet or an export (CSV file)"));
    EXPECT_EQ(scripted().shown[1].caption, QStringLiteral("Choose the folder with the old Paradox tables"));
}

TEST_F(ImportThroughTheWindow, AnImportIntoAnEmptyCatalogueShowsTheReportAndTheNewTapes)
{
    start();
    const OldCatalogue old = paradoxtest::writeOldCatalogue(oldRoot.path());
    scripted().folderAnswers.push_back(old.dataFolder());
    form->Import1->trigger();
    EXPECT_TRUE(scripted().texts(QStringLiteral("confirm")).isEmpty()) << "an empty catalogue is not asked about";
    EXPECT_EQ(scripted().texts(QStringLiteral("progress")).size(), 1);
    EXPECT_EQ(scripted().texts(QStringLiteral("endProgress")).size(), 1);
    const QStringList reports = scripted().texts(QStringLiteral("report"));
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports.first().contains(u("Video.db: 6 poster læst, 3 gemt"))) << reports.first().toStdString();
    EXPECT_TRUE(scripted().texts(QStringLiteral("error")).isEmpty());
    // The tables the windows use show the new catalogue at once.
    EXPECT_TRUE(dm->VideoTable->Active());
    EXPECT_EQ(tapeNumbers(), QStringList({u("0001-00"), u("0002-00"), u("0003-00")}));
    dm->VideoTable->First();
    EXPECT_EQ(dm->MedvirkTable->RecordCount(), 2);
    EXPECT_EQ(dm->configInteger(QStringLiteral("W_Reg")), 1010);
}

TEST_F(ImportThroughTheWindow, ACatalogueWithTapesIsReplacedOnlyAfterYes)
{
    start();
    addTape(QStringLiteral("0007-00"));
    const OldCatalogue old = paradoxtest::writeOldCatalogue(oldRoot.path());
    const auto before = snapshot(folder.dataDir());

    scripted().folderAnswers.push_back(old.dataFolder());
    scripted().confirmAnswers.push_back(false);
    form->Import1->trigger();
    const QStringList questions = scripted().texts(QStringLiteral("confirm"));
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions.first().startsWith(QStringLiteral("Kataloget indeholder 1 film."))) << questions.first().toStdString();
    EXPECT_TRUE(scripted().texts(QStringLiteral("report")).isEmpty());
    EXPECT_EQ(snapshot(folder.dataDir()), before);
    EXPECT_EQ(tapeNumbers(), QStringList{QStringLiteral("0007-00")});

    scripted().folderAnswers.push_back(old.dataFolder());
    scripted().confirmAnswers.push_back(true);
    form->Import1->trigger();
    EXPECT_EQ(tapeNumbers(), QStringList({u("0001-00"), u("0002-00"), u("0003-00")}));
    const QStringList kept = QDir(folder.path()).entryList({QStringLiteral("Data-before-import-*")}, QDir::Dirs);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(snapshot(folder.file(kept.first())), before);
}

TEST_F(ImportThroughTheWindow, CancellingChangesNothingAndTheWindowsKeepTheirCatalogue)
{
    start();
    addTape(QStringLiteral("0007-00"));
    const OldCatalogue old = paradoxtest::writeOldCatalogue(oldRoot.path());
    const auto before = snapshot(folder.path());

    // The choice of source, then the folder chooser cancelled: nothing is asked or done.
    scripted().chooseAnswers.push_back(std::nullopt);
    form->Import1->trigger();
    EXPECT_EQ(scripted().shown.size(), 1u);
    form->Import1->trigger();
    EXPECT_EQ(scripted().shown.size(), 3u);

    scripted().folderAnswers.push_back(old.dataFolder());
    scripted().confirmAnswers.push_back(true);
    scripted().cancelAfterProgressCalls = 0;
    form->Import1->trigger();
    EXPECT_EQ(scripted().texts(QStringLiteral("information")),
              QStringList{u("Indlæsningen er afbrudt; intet er ændret.")});
    EXPECT_TRUE(scripted().texts(QStringLiteral("report")).isEmpty());
    EXPECT_EQ(snapshot(folder.path()), before);
    EXPECT_EQ(tapeNumbers(), QStringList{QStringLiteral("0007-00")});
}

TEST_F(ImportThroughTheWindow, ADamagedOldTableIsReportedAndTheCatalogueStaysOpen)
{
    start();
    addTape(QStringLiteral("0007-00"));
    const OldCatalogue old = paradoxtest::writeOldCatalogue(oldRoot.path());
    QFile video(old.dataFolder() + QStringLiteral("/VIDEO.DB"));
    ASSERT_TRUE(video.resize(0x70));
    scripted().folderAnswers.push_back(old.dataFolder());
    scripted().confirmAnswers.push_back(true);
    form->Import1->trigger();
    const QStringList errors = scripted().texts(QStringLiteral("error"));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains(QStringLiteral("VIDEO.DB"))) << errors.first().toStdString();
    EXPECT_EQ(tapeNumbers(), QStringList{QStringLiteral("0007-00")});
}

// Data holds the old Paradox tables when the program starts.
class StartWithOldTables : public ImportThroughTheWindow {
protected:
    StartWithOldTables() : ImportThroughTheWindow(false) {}
    void SetUp() override
    {
        old = paradoxtest::writeOldCatalogue(folder.path());
        ImportThroughTheWindow::SetUp();
    }
    OldCatalogue old;
};

TEST_F(StartWithOldTables, YesConvertsThemInPlaceAndOpensTheNewCatalogue)
{
    const auto originals = snapshot(folder.dataDir());
    scripted().confirmAnswers.push_back(true);
    start();
    const QStringList questions = scripted().texts(QStringLiteral("confirm"));
    ASSERT_EQ(questions.size(), 1);
    // The old catalogue was used in English (its Sprog is 0): so is the question.
    EXPECT_TRUE(questions.first().startsWith(QStringLiteral("The Data folder holds Paradox tables")))
        << questions.first().toStdString();
    EXPECT_EQ(scripted().texts(QStringLiteral("report")).size(), 1);
    EXPECT_TRUE(scripted().texts(QStringLiteral("error")).isEmpty())
        << scripted().texts(QStringLiteral("error")).join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(tapeNumbers(), QStringList({u("0001-00"), u("0002-00"), u("0003-00")}));
    EXPECT_EQ(form->QLanguageSource1->ActiveLanguage(), 0);
    const QStringList kept = QDir(folder.path()).entryList({QStringLiteral("Data-paradox-*")}, QDir::Dirs);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(snapshot(folder.file(kept.first())), originals);
}

TEST_F(StartWithOldTables, NoEndsTheProgramAndTouchesNoFile)
{
    const auto before = snapshot(folder.path());
    scripted().confirmAnswers.push_back(false);
    start();
    QApplication::processEvents();
    EXPECT_EQ(scripted().texts(QStringLiteral("confirm")).size(), 1);
    EXPECT_FALSE(form->isVisible()) << "the program ends";
    EXPECT_FALSE(dm->ConfigTable->Active());
    EXPECT_TRUE(scripted().texts(QStringLiteral("error")).isEmpty())
        << scripted().texts(QStringLiteral("error")).join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(snapshot(folder.path()), before);
}



// A spreadsheet's file into a catalogue that holds a tape: the way chosen decides what stays.
struct FileImportCase {
    const char* name;
    std::optional<int> way;
    QStringList tapesAfter;
    bool reported;
};

class FileThroughTheWindow : public ImportThroughTheWindow, public ::testing::WithParamInterface<FileImportCase> {};

TEST_P(FileThroughTheWindow, TheWayChosenDecidesWhatTheCatalogueHolds)
{
    start();
    addTape(QStringLiteral("0007-00"));
    const QString file = oldRoot.filePath(QStringLiteral("film.csv"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("TapeNr;Titel\r\n0007-00;Ny titel\r\n0008-00;Ny\r\n");
    out.close();
    form->QLanguageSource1->SetActiveLanguage(0);
    scripted().chooseAnswers = {1, GetParam().way};
    scripted().openFileAnswers.push_back(file);
    form->Import1->trigger();

    const QStringList choices = scripted().texts(QStringLiteral("choose"));
    ASSERT_EQ(choices.size(), 2);
    EXPECT_TRUE(choices[1].startsWith(QStringLiteral("The catalogue holds 1 films. Add the file's new films"))) << choices[1].toStdString();
    EXPECT_EQ(scripted().shown[1].caption, QStringLiteral("Choose the spreadsheet's file (CSV or text)"));
    EXPECT_EQ(scripted().shown[1].extra, QStringLiteral("Spreadsheets and text|*.csv;*.txt;*.tsv|All files|*"));
    EXPECT_EQ(tapeNumbers(), GetParam().tapesAfter);
    const QStringList reports = scripted().texts(QStringLiteral("report"));
    ASSERT_EQ(reports.size(), GetParam().reported ? 1 : 0);
    if (GetParam().reported && GetParam().way == 0) {
        EXPECT_TRUE(reports.first().contains(QStringLiteral("Films that were there already and are not changed: 1\n  0007-00\n")))
            << reports.first().toStdString();
    }
    dm->VideoTable->First();
    EXPECT_EQ(dm->VideoTable->FieldByName(QStringLiteral("Titel")).AsString(),
              GetParam().way == 1 ? QStringLiteral("Ny titel") : QStringLiteral("Min film"));
}

const FileImportCase fileImportCases[] = {
    {"AddKeepsTheTapeThere", 0, {"0007-00", "0008-00"}, true},
    {"ReplaceTakesTheFilesTapes", 1, {"0007-00", "0008-00"}, true},
    {"CancelChangesNothing", std::nullopt, {"0007-00"}, false},
};

INSTANTIATE_TEST_SUITE_P(Cases, FileThroughTheWindow, ::testing::ValuesIn(fileImportCases),
                         [](const ::testing::TestParamInfo<FileImportCase>& info) { return std::string(info.param.name); });

} // namespace
