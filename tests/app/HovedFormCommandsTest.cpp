// The main window's commands with the windows of a running program: the data module, the
// overview and the registration window created after it, in that order.
#include "AppFixtures.h"
#include "dbctrls/DBEdit.h"
#include "dbctrls/DBLookupComboBox.h"
#include "dbctrls/DBLookupListModel.h"
#include "engine/Field.h"
#include "engine/Table.h"
#include "report/DefaultPrinter.h"
#include "report/ReportPreview.h"
#include "support/AboutBox.h"
#include "support/AboutWnd.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QShortcut>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

class MainWindowCommands : public apptest::RunningProgram {
protected:
    void SetUp() override
    {
        RunningProgram::SetUp();
        start();
    }
    void TearDown() override
    {
        expectNoErrorsLeft();
        RunningProgram::TearDown();
    }

    void addTape(const QString& tapeNr, const QString& title, const QString& category = QString())
    {
        engine::Table& video = *dm->VideoTable;
        video.Insert();
        video.FieldByName(QStringLiteral("TapeNr")).SetAsString(tapeNr);
        video.FieldByName(QStringLiteral("Titel")).SetAsString(title);
        video.FieldByName(QStringLiteral("Kategori")).SetAsString(category);
        video.Post();
    }
    QString field(const char* name) const { return dm->VideoTable->FieldByName(QString::fromLatin1(name)).AsString(); }

    // Runs action on the modal window as soon as it shows, then closes it.
    struct Modal {
        QWidget* window = nullptr;
        bool editGroupHidden = false;
        QString tapeNr;
        QString udlaan;
        QWidget* focus = nullptr;
    };
    Modal whileModal(const std::function<void()>& command)
    {
        Modal seen;
        auto* timer = new QTimer;
        timer->setInterval(5);
        auto ticks = std::make_shared<int>(0);
        QObject::connect(timer, &QTimer::timeout, [&, timer, ticks] {
            QWidget* modal = QApplication::activeModalWidget();
            if (++*ticks < 2000 && (!modal || !modal->isVisible()))
                return;
            timer->stop();
            timer->deleteLater();
            if (!modal)
                return;
            seen.window = modal;
            seen.editGroupHidden = editGroupHidden();
            seen.tapeNr = field("TapeNr");
            seen.udlaan = field("Udlaan");
            seen.focus = modal->focusWidget();
            modal->close();
        });
        timer->start();
        command();
        return seen;
    }
    bool editGroupHidden() const
    {
        return form->SpeedButton1->isVisible() && !form->SpeedButton3->isVisible() && !form->Label1->isVisible()
               && !form->DBLookupComboBox1->isVisible() && !form->Bevel3->isVisible();
    }

};

struct NewTapeCase {
    std::vector<const char*> tapes;
    const char* expected;
};

} // namespace

TEST_F(MainWindowCommands, NyVideoHidesTheEditGroupAndOpensTheRegistrationWindowOnTheNewTape)
{
    const NewTapeCase cases[] = {{{}, "0001-00"}, {{"0040-00", "0041-00"}, "0042-00"}};
    for (const NewTapeCase& c : cases) {
        for (const char* tapeNr : c.tapes)
            addTape(QString::fromLatin1(tapeNr), QStringLiteral("Film ") + QString::fromLatin1(tapeNr));
        QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
        ASSERT_TRUE(form->SpeedButton3->isVisible());
        const Modal seen = whileModal([&] { QTest::mouseClick(form->SpeedButton3, Qt::LeftButton); });
        EXPECT_EQ(seen.window, reg) << c.expected;
        EXPECT_TRUE(seen.editGroupHidden) << "hidden before the window opens";
        EXPECT_EQ(seen.tapeNr, QString::fromLatin1(c.expected));
        EXPECT_EQ(seen.udlaan, QStringLiteral("Nej"));
        EXPECT_TRUE(editGroupHidden());
        dm->VideoTable->Cancel(); // closed without a title: the new record is dropped
    }
}

TEST_F(MainWindowCommands, ChoosingATitleOpensTheRegistrationWindowOnThatTape)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Zorro"), QStringLiteral("Eventyr"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("Babette"), QStringLiteral("Drama"));
    addTape(QStringLiteral("0003-00"), QStringLiteral("Aladdin"), QStringLiteral("Eventyr"));
    QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
    dbctrls::TDBLookupComboBox* list = form->DBLookupComboBox1;
    const int row = list->listModel()->rowOfKey(QStringLiteral("Babette"));
    ASSERT_GE(row, 0);
    const Modal seen = whileModal([&] { list->chooseRow(row); });
    EXPECT_EQ(seen.window, reg);
    EXPECT_EQ(seen.tapeNr, QStringLiteral("0002-00"));
    EXPECT_EQ(seen.focus, reg->DBEdit1) << "the keyboard starts on the tape number";
    EXPECT_TRUE(editGroupHidden()) << "the edit group goes when the window closes";
    EXPECT_EQ(dm->VideoTable->State(), engine::DataSetState::Browse);
}

TEST_F(MainWindowCommands, TheTitleListFollowsTheOrderAndSelectionTheOverviewLeft)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Zorro"), QStringLiteral("Eventyr"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("Babette"), QStringLiteral("Drama"));
    addTape(QStringLiteral("0003-00"), QStringLiteral("Aladdin"), QStringLiteral("Eventyr"));
    dm->VideoTable->SetIndexName(QStringLiteral("IndexTitel"));
    dm->VideoTable->SetFilter(QStringLiteral("Kategori = 'Eventyr'"));
    dm->VideoTable->SetFiltered(true);
    dbctrls::TDBLookupListModel* model = form->DBLookupComboBox1->listModel();
    QStringList titles;
    for (int row = 0; row < model->rowCount(); ++row)
        titles << model->data(model->index(row, 0)).toString();
    EXPECT_EQ(titles, (QStringList{"Aladdin", "Zorro"}));
}

TEST_F(MainWindowCommands, ATapeNumberTypedAndEnterOpensThatTapeOrNamesTheUnknownCode)
{
    addTape(QStringLiteral("0002-00"), QStringLiteral("Babette"), QStringLiteral("Drama"));
    addTape(QStringLiteral("0003-00"), QStringLiteral("Aladdin"), QStringLiteral("Eventyr"));
    dm->VideoTable->SetFilter(QStringLiteral("Kategori = 'Drama'"));
    dm->VideoTable->SetFiltered(true);
    // Typed while a button has the focus: the button leaves the keys to the window.
    form->SpeedButton2->setFocus();
    const Modal seen = whileModal([&] {
        QTest::keyClicks(form->SpeedButton2, QStringLiteral("0003-00"));
        QTest::keyClick(form->SpeedButton2, Qt::Key_Return);
    });
    EXPECT_EQ(seen.window, reg);
    EXPECT_EQ(seen.tapeNr, QStringLiteral("0003-00")) << "found outside the overview's selection";
    EXPECT_EQ(seen.focus, reg->DBNavigator1) << "no editable field takes a second scan";
    QTest::keyClicks(form->SpeedButton2, QStringLiteral("0009-00"));
    QTest::keyClick(form->SpeedButton2, Qt::Key_Enter);
    EXPECT_EQ(scripted().texts(QStringLiteral("message")),
              QStringList{QStringLiteral("Intet bånd i kataloget har nummeret eller stregkoden \"0009-00\".")});
}

TEST_F(MainWindowCommands, AFurtherScanOrTheScanBoxInTheRegistrationWindowShowsThatTapeAndRenumbersNone)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Babette"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("Aladdin"));
    addTape(QStringLiteral("0003-00"), QStringLiteral("Ornen"));
    QStringList shown;
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [&, timer] {
        if (QApplication::activeModalWidget() != reg)
            return;
        timer->stop();
        timer->deleteLater();
        QTest::keyClicks(reg->focusWidget(), QStringLiteral("0001-00"));
        QTest::keyClick(reg->focusWidget(), Qt::Key_Return);
        shown << field("TapeNr");
        scripted().inputAnswers = {QStringLiteral(" 0002-00 ")};
        // Offscreen, Qt's dispatch of a shortcut depends on window activation timing: the
        // binding is checked and the shortcut fired (the real dispatch is a scenario's).
        auto* scan = reg->findChild<QShortcut*>(QStringLiteral("ScanShortcut"));
        ASSERT_NE(scan, nullptr);
        EXPECT_EQ(scan->key(), QKeySequence(Qt::CTRL | Qt::Key_B));
        emit scan->activated();
        shown << field("TapeNr");
        reg->close();
    });
    timer->start();
    form->SpeedButton2->setFocus();
    QTest::keyClicks(form->SpeedButton2, QStringLiteral("0003-00"));
    QTest::keyClick(form->SpeedButton2, Qt::Key_Return);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("0001-00"), QStringLiteral("0002-00")}));
    EXPECT_EQ(scripted().texts(QStringLiteral("input")).size(), 1);
    QStringList numbers;
    for (dm->VideoTable->First(); !dm->VideoTable->Eof(); dm->VideoTable->Next())
        numbers << field("TapeNr") + QLatin1Char(' ') + field("Titel");
    EXPECT_EQ(numbers, (QStringList{QStringLiteral("0001-00 Babette"), QStringLiteral("0002-00 Aladdin"),
                                    QStringLiteral("0003-00 Ornen")}));
}

TEST_F(MainWindowCommands, TheOverviewButtonHidesTheEditGroupAndOpensTheOverview)
{
    QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
    const Modal seen = whileModal([&] { QTest::mouseClick(form->SpeedButton2, Qt::LeftButton); });
    EXPECT_EQ(seen.window, oversigt);
    EXPECT_TRUE(seen.editGroupHidden);
    EXPECT_TRUE(editGroupHidden());
}

TEST_F(MainWindowCommands, HelpOpensTheHelpPageInANormalWindow)
{
    form->Help->trigger();
    ASSERT_EQ(scripted().shown.size(), 1u);
    EXPECT_EQ(scripted().shown.front().kind, QStringLiteral("shell"));
    EXPECT_TRUE(scripted().shown.front().text.endsWith(QStringLiteral("Help/Dansk/index.html")));
    EXPECT_EQ(scripted().shown.front().extra, QString()) << "not maximized";
}

TEST_F(MainWindowCommands, SpaceOnRegistrationGoesOnToNyVideo)
{
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    form->SpeedButton1->setFocus();
    QTest::keyClick(form->SpeedButton1, Qt::Key_Space);
    EXPECT_EQ(QApplication::focusWidget(), form->SpeedButton3);
}

TEST_F(MainWindowCommands, HelpWithoutABrowserSaysWhichPageItCouldNotShow)
{
    scripted().shellResult = false;
    form->Help->trigger();
    ASSERT_EQ(scripted().shown.size(), 2u);
    EXPECT_EQ(scripted().shown.back().text,
              QString::fromUtf8("Hjælpen kunne ikke åbnes: ingen browser kunne vise siden ") + scripted().shown.front().text);
    scripted().clear();
}

// ---- output and About ---------------------------------------------------------------------

TEST_F(MainWindowCommands, ExportWritesTheTapesOpensTheFileAndTellsWhereItWent)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Alien"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("Babettes gæstebud"));
    dm->VideoTable->First();
    const QString before = QDir::currentPath();
    QDir::setCurrent(folder.path());
    scripted().inputAnswers = {QStringLiteral("Eksport.txt")};
    form->Eksport1->trigger();
    QDir::setCurrent(before);

    QFile file(folder.file(QStringLiteral("Eksport.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith("\"TapeNr\";\"Titel\";"));
    EXPECT_TRUE(lines[2].startsWith("\"0002-00\";\"Babettes g\xE6stebud\";"));
    EXPECT_EQ(scripted().texts(QStringLiteral("shell")), QStringList{QStringLiteral("Eksport.txt")});
    EXPECT_EQ(scripted().texts(QStringLiteral("information")),
              QStringList{QStringLiteral("Data er exporteret til Eksport.txt\n\rFilen kan evt. importeres i et Excel regneark.")});
    EXPECT_EQ(field("TapeNr"), QStringLiteral("0002-00"));
}

TEST_F(MainWindowCommands, PrintingAndPreviewReadEveryTapeAndLeaveTheLastCurrent)
{
    // An empty catalogue gives no page: the preview command returns at once.
    form->PSkrm1->trigger();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    addTape(QStringLiteral("0001-00"), QStringLiteral("Alien"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("Zorro"));
    dm->VideoTable->First();
    int pages = -1; // read while the preview is open: it is freed when it closes
    const Modal seen = whileModal([&] {
        QTimer::singleShot(0, [&] {
            if (auto* preview = qobject_cast<report::ReportPreview*>(QApplication::activeModalWidget()))
                pages = preview->pageCount();
        });
        form->PSkrm1->trigger();
    });
    ASSERT_NE(seen.window, nullptr);
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(seen.tapeNr, QStringLiteral("0002-00"));

    dm->VideoTable->First();
    const QString printed = folder.file(QStringLiteral("printed.pdf"));
    report::ScopedPrinterFactory printer([&] {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(printed);
        return p;
    });
    form->Pprinter1->trigger();
    EXPECT_GT(QFile(printed).size(), 0);
    EXPECT_EQ(field("TapeNr"), QStringLiteral("0002-00"));
}

TEST_F(MainWindowCommands, InformationShowsTheAboutWindowWithTheProgramsNameAndVersion)
{
    ASSERT_TRUE(form->AboutBox1->version().has_value());
    QString title, version; // read while the window is open: it is freed when it closes
    bool versionShown = false, framed = false;
    const Modal seen = whileModal([&] {
        QTimer::singleShot(0, [&] {
            if (auto* about = qobject_cast<support::TAboutWnd*>(QApplication::activeModalWidget())) {
                title = about->windowTitle();
                version = about->lblVersion->text();
                versionShown = about->lblVersionInfo->isVisibleTo(about);
                framed = about->bvlOuter->isVisibleTo(about);
            }
        });
        form->Information1->trigger();
    });
    ASSERT_NE(seen.window, nullptr);
    EXPECT_EQ(title, QStringLiteral("About Spolarkiv \u00ae"));
    EXPECT_EQ(version, support::versionText(form->AboutBox1->version()));
    EXPECT_TRUE(versionShown);
    EXPECT_TRUE(framed) << "the main window's About box has its picture";
}
