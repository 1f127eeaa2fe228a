// The program's windows and data module over their whole life: made, shown, closed and freed,
// twice in one process, whatever the opening met. Nothing may stay behind: no window, and no
// global that still points at something freed.
#include "app/HovedForm.h"
#include "app/ProgramWindows.h"
#include "VersionZero.h"
#include "common/ProgramRun.h"
#include "common/TempProgramFolder.h"
#include "core/Dialogs.h"
#include "core/ScriptedDialogs.h"
#include "data/DM.h"
#include "engine/Table.h"
#include "forms/AppContext.h"
#include "forms/OversigtForm.h"
#include "forms/RegForm.h"
#include "import/ImportTexts.h"
#include "locale/TQLanguageSource.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <gtest/gtest.h>

namespace {

const QString kDanishQuestion = QStringLiteral("Hvad vil du indlæse?");

struct Opening {
    const char* name;
    const char* missingFile; ///< a table file removed before the start, or nullptr
    int sprog;               ///< the stored language
    const char* question;    ///< the import's first question while the windows are open
};

core::ScriptedDialogs& scripted()
{
    return static_cast<core::ScriptedDialogs&>(core::dialogs());
}

int windowsLeft()
{
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return int(QApplication::topLevelWidgets().size());
}

void expectNoGlobalLeft()
{
    EXPECT_EQ(app::HovedForm, nullptr);
    EXPECT_EQ(data::DM, nullptr);
    EXPECT_EQ(forms::OversigtForm, nullptr);
    EXPECT_EQ(forms::RegForm, nullptr);
    EXPECT_EQ(forms::appContext().languageSource, nullptr);
    EXPECT_EQ(forms::appContext().languageName(), QString());
    // The import's texts no longer read the freed main window's language.
    EXPECT_EQ(import::importText("ChooseKind", kDanishQuestion), kDanishQuestion);
}

class ProgramWindowsLife : public ::testing::TestWithParam<Opening> {
protected:
    void SetUp() override
    {
        folder.install();
        data::TDM config(folder.dataDir());
        config.ConfigTable->Open();
        config.storeConfig({{QStringLiteral("Sprog"), GetParam().sprog}});
        config.ConfigTable->Close();
        if (GetParam().missingFile) {
            ASSERT_TRUE(QFile::remove(folder.dataDir() + QLatin1Char('/') + QLatin1String(GetParam().missingFile)));
        }
    }

    testing_support::TempProgramFolder folder;
};

TEST_P(ProgramWindowsLife, MadeShownClosedAndFreedTwiceLeavesNoWindowAndNoGlobal)
{
    const int windowsBefore = windowsLeft();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        scripted().clear();
        QPointer<QWidget> main, overview, registration;
        {
            app::ProgramWindows windows;
            ASSERT_FALSE(windows.anotherCopyRuns());
            main = windows.hovedForm();
            overview = windows.oversigtForm();
            registration = windows.regForm();
            EXPECT_EQ(app::HovedForm, windows.hovedForm());
            EXPECT_EQ(data::DM, windows.dm());
            EXPECT_EQ(forms::OversigtForm, windows.oversigtForm());
            EXPECT_EQ(forms::RegForm, windows.regForm());
            EXPECT_EQ(forms::appContext().languageSource, windows.hovedForm()->QLanguageSource1);
            // The modal windows stay above the main window.
            EXPECT_EQ(overview->parentWidget(), main);
            EXPECT_EQ(registration->parentWidget(), main);

            main->show();
            QApplication::processEvents();
            EXPECT_EQ(scripted().texts(QStringLiteral("error")).size(), GetParam().missingFile ? 1 : 0);
            EXPECT_EQ(import::importText("ChooseKind", kDanishQuestion), QString::fromUtf8(GetParam().question));
            main->close();
            EXPECT_FALSE(main->isVisible());
        }
        EXPECT_TRUE(main.isNull());
        EXPECT_TRUE(overview.isNull());
        EXPECT_TRUE(registration.isNull());
        EXPECT_EQ(windowsLeft(), windowsBefore);
        expectNoGlobalLeft();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Openings, ProgramWindowsLife,
    ::testing::Values(Opening{"Danish", nullptr, -1, "Hvad vil du indlæse?"},
                      Opening{"English", nullptr, 0, "What do you want to bring in?"},
                      Opening{"MissingTable", "Kategori.db", -1, "Hvad vil du indlæse?"}),
    [](const ::testing::TestParamInfo<Opening>& info) { return std::string(info.param.name); });

TEST(ProgramWindowsSecondCopy, MakesNoWindowAndLeavesTheFirstCopysGlobalsAlone)
{
    testing_support::TempProgramFolder folder;
    folder.install();
    const QString key = folder.path();
    app::ProgramWindows first(key);
    ASSERT_FALSE(first.anotherCopyRuns());
    const int windowsBefore = windowsLeft();
    {
        app::ProgramWindows second(key);
        EXPECT_TRUE(second.anotherCopyRuns());
        EXPECT_EQ(second.hovedForm(), nullptr);
        EXPECT_EQ(second.dm(), nullptr);
        EXPECT_EQ(second.oversigtForm(), nullptr);
        EXPECT_EQ(second.regForm(), nullptr);
        EXPECT_EQ(windowsLeft(), windowsBefore);
    }
    EXPECT_EQ(app::HovedForm, first.hovedForm());
    EXPECT_EQ(data::DM, first.dm());
    EXPECT_EQ(forms::OversigtForm, first.oversigtForm());
    EXPECT_EQ(forms::RegForm, first.regForm());
    EXPECT_EQ(forms::appContext().languageSource, first.hovedForm()->QLanguageSource1);
}

// A catalogue of the first releases (its stored language Svensk) is upgraded at the first
// start, and the user is told so once, in that language, with the backup's folder.
TEST(ProgramWindowsUpgrade, TellsOnceInTheStoredLanguageWhatWasUpgradedAndWhereTheBackupLies)
{
    testing_support::TempProgramFolder folder(false);
    folder.install();
    testing_support::makeVersionZeroCatalogue(folder.dataDir());
    // Lent today: no overdue list comes up to wait on.
    testing_support::execOnDatabase(folder.dataDir() + QStringLiteral("/Udlaan.db"),
                                    "UPDATE Udlaan SET Dato = date('now', 'localtime')");
    scripted().clear();
    for (int start = 0; start < 2; ++start) {
        app::ProgramWindows windows;
        windows.hovedForm()->show();
        QApplication::processEvents();
        windows.hovedForm()->close();
    }
    const QStringList told = scripted().texts(QStringLiteral("information"));
    const QDir backups(folder.file(QStringLiteral("Backup")));
    ASSERT_EQ(told.size(), 1) << told.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(told.front().startsWith(QStringLiteral("Katalogen har uppgraderats från katalogversion 0 till katalogversion")));
    EXPECT_TRUE(told.front().contains(backups.absoluteFilePath(backups.entryList(QDir::Dirs | QDir::NoDotAndDotDot).value(0))));
}

} // namespace
