#include "AppFixtures.h"
#include "app/ApplicationSetup.h"
#include "app/HovedForm.h"
#include "app/JustOneGuard.h"
#include "common/FocusWalk.h"
#include "common/TempProgramFolder.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/ProgramPaths.h"
#include "core/ScriptedDialogs.h"
#include "data/DM.h"
#include "dbctrls/DBLookupComboBox.h"
#include "engine/Table.h"
#include "forms/WindowPlacement.h"
#include "support/WindowSize.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QToolButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

class MainWindow : public apptest::AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        dm = std::make_unique<data::TDM>(folder.dataDir());
        data::DM = dm.get();
    }
    void TearDown() override
    {
        // The globals are the test's own to empty: nothing empties them on destruction.
        app::HovedForm = nullptr;
        data::DM = nullptr;
        form.reset();
        dm.reset();
    }
    void start()
    {
        form = std::make_unique<app::THovedForm>();
        app::HovedForm = form.get();
        form->show();
        QApplication::processEvents();
    }
    std::unique_ptr<data::TDM> dm;
    std::unique_ptr<app::THovedForm> form;
};

QStringList actionTexts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (QAction* a : actions)
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

} // namespace

TEST_F(MainWindow, FirstShowingOpensAllTablesAndRestoresTheStoredSize)
{
    dm->ConfigTable->Open();
    dm->storeConfig({{QStringLiteral("H_Main"), 500}, {QStringLiteral("W_Main"), 700}});
    dm->ConfigTable->Close();
    start();
    for (engine::Table* table : dm->startupOrder())
        EXPECT_TRUE(table->Active()) << table->objectName().toStdString();
    EXPECT_EQ(support::outerSize(form.get()), QSize(700, 500));
    EXPECT_TRUE(scripted().texts(QStringLiteral("error")).isEmpty());
}

TEST_F(MainWindow, AFreshOrUnusableStoredSizeGivesTheDesignClientSizeCentred)
{
    const QSize screen = QApplication::primaryScreen()->availableGeometry().size();
    for (const QSize stored : {QSize(895, 600), QSize(-5, 0)}) {
        dm->ConfigTable->Open();
        dm->storeConfig({{QStringLiteral("H_Main"), stored.height()}, {QStringLiteral("W_Main"), stored.width()}});
        dm->ConfigTable->Close();
        start();
        const QSize frame = support::outerSize(form.get()) - form->size();
        EXPECT_EQ(form->size(), QSize(895, 600).boundedTo(screen - frame)) << stored.width();
        const QPoint centre = QApplication::primaryScreen()->availableGeometry().center();
        EXPECT_LE((form->geometry().center() - centre).manhattanLength(), 4) << stored.width();
        form->close();
        form.reset();
        dm = std::make_unique<data::TDM>(folder.dataDir());
        data::DM = dm.get();
    }
}

TEST_F(MainWindow, ClosingStoresSizeAndLanguageAndClosesTheConfiguration)
{
    start();
    form->resize(800, 520);
    const QSize outer = support::outerSize(form.get());
    form->close();
    EXPECT_FALSE(dm->ConfigTable->Active());
    dm->ConfigTable->Open();
    EXPECT_EQ(dm->configInteger(QStringLiteral("H_Main")), outer.height());
    EXPECT_EQ(dm->configInteger(QStringLiteral("W_Main")), outer.width());
    EXPECT_EQ(dm->configInteger(QStringLiteral("Sprog")), -1);
}

TEST_F(MainWindow, AFailedWriteOfTheConfigurationIsReportedAndTheWindowClosesAnyway)
{
    start();
    dm->ConfigTable->BeforePost = [](engine::Table&) { throw core::EDatabaseError(QStringLiteral("Table is read only.")); };
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(scripted().texts(QStringLiteral("error")), QStringList{QStringLiteral("Table is read only.")});
}

TEST_F(MainWindow, AMissingTableIsReportedAndTheWindowStillShows)
{
    QFile::remove(folder.dataDir() + QStringLiteral("/Kategori.db"));
    start();
    ASSERT_EQ(scripted().texts(QStringLiteral("error")).size(), 1);
    EXPECT_TRUE(scripted().texts(QStringLiteral("error")).first().contains(QStringLiteral("Kategori.db")));
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(dm->TypeTable->Active());
}

TEST_F(MainWindow, ShowsTheDesignedControlsAndMenus)
{
    start();
    EXPECT_EQ(form->SpeedButton2->text(), QStringLiteral("Spolarkiv oversigt"));
    EXPECT_EQ(form->SpeedButton1->text(), QStringLiteral("Registrering af Video/DVD"));
    EXPECT_EQ(form->SpeedButton4->text(), QStringLiteral("Afslut Spolarkiv"));
    EXPECT_EQ(form->Sproget->text(), QStringLiteral("Dansk"));
    EXPECT_TRUE(form->SpeedButton1->isVisible());
    EXPECT_FALSE(form->SpeedButton3->isVisible());
    EXPECT_EQ(actionTexts(form->menuBar()->actions()),
              (QStringList{"Funktioner", "Sprog/Language/Sprache", "Emner i Hjælp", "Afslut"}));
    EXPECT_EQ(actionTexts(form->Funktioner1->actions()),
              (QStringList{"Udskrivning", "Data eksport", "Importér…", "Eksportér som webside...", "-", "&Overskredne udlån...",
                           "&Lånere...", "&Indstillinger...", "-", "Kategori", "Typer", "Instruktører", "Skuespillere",
                           "Optaget af", "Dataplacering", "-", "Afslut"}));
    EXPECT_EQ(actionTexts(form->Udskrivning1->actions()), (QStringList{"På Printer", "På Skærm", "Udskriv etiketter..."}));
    EXPECT_EQ(actionTexts(form->Hjlp1->actions()), (QStringList{"Hjælp", "Om skærmstørrelser", "Information"}));
}

TEST_F(MainWindow, TheEditGroupComesAndGoes)
{
    start();
    QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
    EXPECT_FALSE(form->SpeedButton1->isVisible());
    EXPECT_TRUE(form->SpeedButton3->isVisible());
    EXPECT_TRUE(form->Label1->isVisible());
    EXPECT_EQ(formtest::spokenName(form->DBLookupComboBox1), QStringLiteral("Redigering"));
    form->showEditGroup(false);
    EXPECT_TRUE(form->SpeedButton1->isVisible());
    EXPECT_FALSE(form->Label1->isVisible());
}

TEST_F(MainWindow, TheNoticesShowTheirExactTexts)
{
    start();
    form->Dataplacering1->trigger();
    form->Omskrmstrrelser1->trigger();
    ASSERT_EQ(scripted().texts(QStringLiteral("message")).size(), 1);
    EXPECT_EQ(scripted().texts(QStringLiteral("message")).first(),
              QStringLiteral("Data for dette program er placeret i ") + core::programPaths().workingDir
                  + QStringLiteral("Data\n\r\n\rDet er meget vigtigt, at du sikkerhedskopierer filer i datamappen, "
                                   "hver gang du har ændret eller tilføjet data i programmet!"));
    ASSERT_EQ(scripted().texts(QStringLiteral("information")).size(), 1);
    const QString notice = scripted().texts(QStringLiteral("information")).first();
    EXPECT_TRUE(notice.startsWith(QStringLiteral("SKÆRMSTØRRELSER\n\r\n\rI dag findes der et utal")));
    EXPECT_TRUE(notice.contains(QStringLiteral("størrelse. \n\r\n\rBEMÆRK\n\rDen størrelse på vinduet")));
    EXPECT_TRUE(notice.endsWith(QStringLiteral("næste gang du åbner dette program!")));
}

TEST_F(MainWindow, BothAfslutCommandsAndTheButtonCloseTheWindow)
{
    for (int way = 0; way < 3; ++way) {
        start();
        if (way == 0)
            form->Luk1->trigger();
        else if (way == 1)
            form->Afslut1->trigger();
        else
            QTest::mouseClick(form->SpeedButton4, Qt::LeftButton);
        EXPECT_FALSE(form->isVisible()) << way;
        form.reset();
    }
}

TEST(SingleInstance, ASecondGuardOnTheSameKeyFindsTheFirstAndBringsItForward)
{
    const QTemporaryDir folder;
    const QString key = folder.path();
    QWidget first;
    first.show();
    app::TJustOneGuard running(key, &first);
    EXPECT_FALSE(running.anotherCopyRuns());
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::processEvents();
    {
        app::TJustOneGuard second(key, nullptr);
        EXPECT_TRUE(second.anotherCopyRuns());
    }
    for (int i = 0; i < 20 && QApplication::activeWindow() != &first; ++i)
        QTest::qWait(20);
    EXPECT_EQ(QApplication::activeWindow(), &first);
}

TEST(WindowPlacement, TheDesignClientSizeOpensAtDesignAndEveryOtherSizeIsOuter)
{
    // A fresh configuration holds each window's design client size; what a window stores on
    // closing is its outer size. Neither may shrink or grow the window from run to run.
    const QSize design(400, 300);
    QWidget probe;
    probe.show();
    QApplication::processEvents();
    const QSize frame = support::outerSize(&probe) - probe.size();
    ASSERT_FALSE(frame.isNull()) << "the test needs a window frame";
    const struct {
        QSize stored;
        QSize client;
    } cases[] = {
        {design, design},                                  // fresh configuration
        {design + frame, design},                          // stored after a run at design size
        {QSize(500, 350), QSize(500, 350) - frame},        // resized by the user
        {QSize(0, 0), design},                             // empty fields
        {QSize(-1, 300), design},                          // negative
        {QSize(100000, 100000), design},                   // larger than the screen
    };
    for (const auto& c : cases) {
        QWidget window;
        window.show();
        QApplication::processEvents();
        forms::restoreOuterSize(&window, c.stored, design, QSize(100, 100));
        EXPECT_EQ(window.size(), c.client) << c.stored.width() << "x" << c.stored.height();
        // The next run restores what this one stores.
        const QSize storedNow = support::outerSize(&window);
        forms::restoreOuterSize(&window, storedNow, design, QSize(100, 100));
        EXPECT_EQ(window.size(), c.client) << "second run from " << c.stored.width();
    }
}

TEST(ApplicationSetup, CaptionsReachTheWindowSystemExactlyAsDesigned)
{
    app::setUpApplication();
    // On X11 Qt appends a display name the program sets to every window and box caption;
    // left unset, the display name is just the application name and nothing is appended.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    EXPECT_EQ(QApplication::style()->name(), QStringLiteral("fusion"));
    EXPECT_EQ(core::applicationTitle(), QStringLiteral("Spolarkiv"));
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("dk.spolarkiv.Spolarkiv"));
}
