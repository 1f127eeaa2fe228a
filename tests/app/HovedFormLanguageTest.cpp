#include "AppFixtures.h"
#include "app/HovedForm.h"
#include "common/LayoutCheck.h"
#include "common/TempProgramFolder.h"
#include "core/Dialogs.h"
#include "core/ProgramPaths.h"
#include "core/ScriptedDialogs.h"
#include "data/DM.h"
#include "locale/LanguageCoverage.h"
#include "locale/TQLanguageSource.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

class MainWindowLanguage : public apptest::AppTest {
protected:
    void TearDown() override
    {
        // The globals are the test's own to empty: nothing empties them on destruction.
        app::HovedForm = nullptr;
        data::DM = nullptr;
        form.reset();
        dm.reset();
    }
    void storeSprog(std::optional<int> sprog)
    {
        data::TDM config(folder.dataDir());
        config.ConfigTable->Open();
        config.ConfigTable->Edit();
        if (sprog)
            config.ConfigTable->FieldByName(QStringLiteral("Sprog")).SetAsInteger(*sprog);
        else
            config.ConfigTable->FieldByName(QStringLiteral("Sprog")).Clear();
        config.ConfigTable->Post();
    }
    void start()
    {
        form.reset();
        dm = std::make_unique<data::TDM>(folder.dataDir());
        data::DM = dm.get();
        form = std::make_unique<app::THovedForm>();
        app::HovedForm = form.get();
        form->show();
        QApplication::processEvents();
    }
    void restart()
    {
        form->close();
        form.reset();
        dm.reset();
        start();
    }
    int checkedItem() const
    {
        const QList<QAction*> items = form->languageItems();
        int checked = -1;
        for (int i = 0; i < items.size(); ++i)
            if (items[i]->isChecked())
                checked = checked == -1 ? i : -2;
        return checked;
    }
    std::unique_ptr<data::TDM> dm;
    std::unique_ptr<app::THovedForm> form;
};

QStringList texts(const QList<QAction*>& items)
{
    QStringList result;
    for (QAction* item : items)
        result << item->text();
    return result;
}

} // namespace

TEST_F(MainWindowLanguage, StartsInDanishWithTheMenuOfFiveLanguages)
{
    start();
    EXPECT_EQ(texts(form->languageItems()), (QStringList{"Dansk", "English", "Norsk", "Svensk", "Deutsch"}));
    EXPECT_EQ(checkedItem(), 0);
    EXPECT_EQ(form->Sproget->text(), QStringLiteral("Dansk"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Spolarkiv"));
    EXPECT_EQ(form->helpPagePath(), core::programPaths().programDir + QStringLiteral("Help/Dansk/index.html"));
    form->Help->trigger();
    EXPECT_EQ(scripted().texts(QStringLiteral("shell")), QStringList{form->helpPagePath()});
}

TEST_F(MainWindowLanguage, AStoredGermanStartsInGerman)
{
    storeSprog(3);
    start();
    EXPECT_EQ(form->Sproget->text(), QStringLiteral("Deutsch"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Bandhort"));
    EXPECT_EQ(checkedItem(), 4);
    EXPECT_EQ(form->languageItems().at(4)->data().toInt(), 5);
    EXPECT_TRUE(form->helpPagePath().endsWith(QStringLiteral("Help/Tysk/index.html")));
    EXPECT_EQ(form->SpeedButton1->text(), QStringLiteral("Video/DVD erfassen"));
}

TEST_F(MainWindowLanguage, AnEmptySprogReadsAsEnglish)
{
    storeSprog(std::nullopt);
    start();
    EXPECT_EQ(form->Sproget->text(), QStringLiteral("English"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Reelkeep"));
}

TEST_F(MainWindowLanguage, ChoosingALanguageTranslatesAndIsRememberedAfterARestart)
{
    start();
    form->languageItems().at(4)->trigger();
    EXPECT_EQ(form->Sproget->text(), QStringLiteral("Deutsch"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Bandhort"));
    EXPECT_EQ(checkedItem(), 4);
    EXPECT_EQ(form->Funktioner1->title(), QStringLiteral("Funktionen"));
    EXPECT_TRUE(form->helpPagePath().endsWith(QStringLiteral("Help/Dansk/index.html"))) << "set only at the first showing";
    form->languageItems().at(3)->trigger();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Rullarkiv"));
    form->languageItems().at(3)->trigger();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Rullarkiv"));
    EXPECT_EQ(checkedItem(), 3);
    restart();
    EXPECT_EQ(form->Sproget->text(), QStringLiteral("Svensk"));
    EXPECT_EQ(form->SpeedButton2->text(), QStringLiteral("Översikt över arkivet"));
}

TEST_F(MainWindowLanguage, DanishGivesBackEveryDesignedText)
{
    start();
    const QString designed = form->SpeedButton1->text();
    const QString menu = form->Funktioner1->title();
    form->languageItems().at(1)->trigger();
    EXPECT_EQ(form->SpeedButton1->text(), QStringLiteral("Register video/DVD"));
    form->languageItems().at(2)->trigger();
    form->languageItems().at(0)->trigger();
    EXPECT_EQ(form->SpeedButton1->text(), designed);
    EXPECT_EQ(form->Funktioner1->title(), menu);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Spolarkiv"));
}

TEST_F(MainWindowLanguage, AStoredIndexOutOfRangeLeavesDanishAndStoresMinusOne)
{
    storeSprog(7);
    start();
    EXPECT_EQ(scripted().texts(QStringLiteral("error")), QStringList{QStringLiteral("Index out of bounds (7)")});
    EXPECT_TRUE(form->languageItems().isEmpty());
    EXPECT_EQ(form->Sproget->text(), QStringLiteral("Sproget"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Spolarkiv"));
    form->close();
    dm->ConfigTable->Open();
    EXPECT_EQ(dm->configInteger(QStringLiteral("Sprog")), -1);
}

TEST_F(MainWindowLanguage, EveryLanguageFileCoversTheMainWindow)
{
    // The window as designed, before its first showing sets texts of its own.
    form = std::make_unique<app::THovedForm>();
    for (const char* file : {"English.lng", "Norsk.lng", "Svensk.lng", "Deutsch.lng"}) {
        const auto report = locale::LanguageCoverage::CheckFile(
            form.get(), {QStringLiteral("Caption"), QStringLiteral("Hint"), QStringLiteral("Warning")},
            testing_support::builtProgramDir() + QLatin1Char('/') + QString::fromLatin1(file));
        EXPECT_TRUE(report.complete()) << file << ": " << report.describe().toStdString();
    }
}

TEST_F(MainWindowLanguage, EveryTextFitsInEveryLanguageAndSize)
{
    start();
    const QSize design = form->size();
    for (int language = 0; language < 5; ++language) {
        form->languageItems().at(language)->trigger();
        for (double scale : {1.0, 0.8, 1.5}) {
            form->resize(QSize(int(design.width() * scale), int(design.height() * scale)));
            QApplication::processEvents();
            QApplication::processEvents();
            const QStringList problems = testing_support::textsThatDoNotFit(form.get());
            EXPECT_TRUE(problems.isEmpty()) << language << " at " << scale << ": " << problems.join(QStringLiteral("; ")).toStdString();
        }
        form->resize(design);
        QApplication::processEvents();
    }
}

TEST_F(MainWindowLanguage, TheHelpPageStaysThatOfTheFirstShowingThroughEveryChoice)
{
    storeSprog(3);
    start();
    const QString german = form->helpPagePath();
    ASSERT_TRUE(german.endsWith(QStringLiteral("Help/Tysk/index.html")));
    for (int item : {0, 1, 0}) {
        form->languageItems().at(item)->trigger();
        EXPECT_EQ(form->helpPagePath(), german) << item;
    }
    form->Help->trigger();
    EXPECT_EQ(scripted().texts(QStringLiteral("shell")), QStringList{german});
}

TEST_F(MainWindowLanguage, AMissingLanguageFileIsNoError)
{
    ASSERT_TRUE(QFile::remove(folder.file(QStringLiteral("Norsk.lng"))));
    start();
    const QString designed = form->SpeedButton1->text();
    form->languageItems().at(2)->trigger();
    EXPECT_TRUE(scripted().texts(QStringLiteral("error")).isEmpty());
    EXPECT_EQ(form->Sproget->text(), QStringLiteral("Norsk"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Spolarkiv"));
    EXPECT_EQ(checkedItem(), 2);
    EXPECT_EQ(form->SpeedButton1->text(), designed) << "the window keeps the texts it has";
    restart();
    EXPECT_EQ(form->Sproget->text(), QStringLiteral("Norsk")) << "stored like any other language";
}

TEST_F(MainWindowLanguage, TheNoticesAreTheSameDanishTextInEveryLanguage)
{
    start();
    for (int item = 0; item < 5; ++item) {
        form->languageItems().at(item)->trigger();
        form->Dataplacering1->trigger();
        form->Omskrmstrrelser1->trigger();
    }
    const QStringList messages = scripted().texts(QStringLiteral("message"));
    const QStringList notices = scripted().texts(QStringLiteral("information"));
    ASSERT_EQ(messages.size(), 5);
    ASSERT_EQ(notices.size(), 5);
    EXPECT_TRUE(messages.first().startsWith(QStringLiteral("Data for dette program er placeret i ")));
    EXPECT_TRUE(notices.first().startsWith(QStringLiteral("SKÆRMSTØRRELSER")));
    EXPECT_EQ(messages.count(messages.first()), 5);
    EXPECT_EQ(notices.count(notices.first()), 5);
}

TEST_F(MainWindowLanguage, TheExportNoticeCountsUnwritableCharactersInEveryLanguage)
{
    const char* lines[] = {
        "Tegn der ikke kunne skrives i filens tegnsæt: 1 (erstattet af et bogstav uden accent eller et spørgsmålstegn).",
        "Characters that could not be written in the file's character set: 1 (replaced by a letter without its accent or a question mark).",
        "Tegn som ikke kunne skrives i filens tegnsett: 1 (erstattet med en bokstav uten aksent eller et spørsmålstegn).",
        "Tecken som inte kunde skrivas i filens teckenuppsättning: 1 (ersatta med en bokstav utan accent eller ett frågetecken).",
        "Zeichen, die im Zeichensatz der Datei nicht geschrieben werden konnten: 1 (ersetzt durch einen Buchstaben ohne Akzent oder ein Fragezeichen).",
    };
    start();
    dm->VideoTable->Insert();
    dm->VideoTable->FieldByName(QStringLiteral("TapeNr")).SetAsString(QStringLiteral("0001-00"));
    dm->VideoTable->FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("Łódka"));
    dm->VideoTable->Post();
    QDir::setCurrent(folder.path());
    for (int item = 0; item < 5; ++item) {
        form->languageItems().at(item)->trigger();
        scripted().clear();
        scripted().inputAnswers = {QStringLiteral("Tegn.txt")};
        form->Eksport1->trigger();
        const QStringList notices = scripted().texts(QStringLiteral("information"));
        ASSERT_EQ(notices.size(), 1) << item;
        EXPECT_TRUE(notices.first().endsWith(QStringLiteral("\n\r") + QString::fromUtf8(lines[item])))
            << notices.first().toStdString();
    }
}

// With the edit group ("Ny video" and its list) shown, whose button needs the most room.
TEST_F(MainWindowLanguage, TheMinimumSizeIsTheSmallestAtWhichNothingClips)
{
    start();
    form->showEditGroup(true);
    const auto mainIn = [this](int language) {
        form->languageItems().at(language + 1)->trigger();
        return static_cast<QWidget*>(form.get());
    };
    EXPECT_EQ(testing_support::minimumSizeFaults(mainIn, {app::THovedForm::kDesignWidth, app::THovedForm::kDesignHeight},
                                                 {app::THovedForm::kMinimumWidth, app::THovedForm::kMinimumHeight}),
              QStringList());
}
