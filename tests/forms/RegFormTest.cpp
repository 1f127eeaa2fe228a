// The registration window's own behaviour: time entries and the duration, the loans button,
// closing, size, and the navigator's and grid's picture refresh.
#include "RegFixture.h"

#include "dbctrls/DBCheckBox.h"
#include "dbctrls/DBEdit.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBGridDelegate.h"
#include "dbctrls/DBLookupListModel.h"
#include "engine/Field.h"
#include "engine/Table.h"
#include "support/Image.h"
#include "support/WindowSize.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QToolButton>

using namespace regtest;

namespace {

class TimeEntry : public RegFixture {
protected:
    void SetUp() override
    {
        RegFixture::SetUp();
        addTape(QStringLiteral("0001-00"), QStringLiteral("Tider"), {{"Varighed", QStringLiteral("00:10:00")}});
        showRegForm();
    }

    /// Types into an edit and leaves it with Tab.
    void typeAndLeave(dbctrls::TDBEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        else
            QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QApplication::processEvents(); // the jump to the title waits for the focus to arrive
    }
};

} // namespace

TEST_F(TimeEntry, FourDigitsBecomeTimesAndTheDurationShowsOnLeavingTheEnd)
{
    typeAndLeave(form->DBEdit4, QStringLiteral("0130"));
    EXPECT_EQ(form->DBEdit4->text(), QStringLiteral("01:30"));
    EXPECT_EQ(QApplication::focusWidget(), form->DBEdit5);
    typeAndLeave(form->DBEdit5, QStringLiteral("0245"));
    EXPECT_EQ(form->DBEdit5->text(), QStringLiteral("02:45"));
    EXPECT_EQ(form->DBEdit6->text(), QStringLiteral("01:15:00"));
    EXPECT_EQ(QApplication::focusWidget(), form->DBEdit3) << "over the duration to the title";
    dm->VideoTable->Post();
    EXPECT_EQ(text(*dm->VideoTable, "Start"), QStringLiteral("01:30"));
    EXPECT_EQ(text(*dm->VideoTable, "Varighed"), QStringLiteral("01:15:00"));
}

TEST_F(TimeEntry, AnInvalidTimeLeavesDurationAndFocus)
{
    typeAndLeave(form->DBEdit4, QStringLiteral("01:30"));
    typeAndLeave(form->DBEdit5, QStringLiteral("25:00"));
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral("'25:00' is not a valid time")});
    EXPECT_EQ(form->DBEdit6->text(), QStringLiteral("00:10:00"));
    EXPECT_NE(QApplication::focusWidget(), form->DBEdit3);
}

TEST_F(TimeEntry, AnEmptyEndChangesNothingButMovesToTheTitle)
{
    typeAndLeave(form->DBEdit4, QStringLiteral("0130"));
    typeAndLeave(form->DBEdit5, QString());
    EXPECT_EQ(form->DBEdit6->text(), QStringLiteral("00:10:00"));
    EXPECT_EQ(QApplication::focusWidget(), form->DBEdit3);
    EXPECT_TRUE(takeErrors().isEmpty());
}

TEST_F(RegFixture, LoansButtonFollowsUdlaanOnEveryMove)
{
    const std::pair<const char*, bool> tapes[] = {
        {"Ja", true}, {"Nej", false}, {"", false}, {"ja", false}, {"Ja", true}, {"Ja", true}, {"Nej", false}};
    int n = 0;
    for (const auto& [value, enabled] : tapes) {
        ++n;
        addTape(QStringLiteral("%1-00").arg(n, 4, 10, QLatin1Char('0')), QStringLiteral("Film %1").arg(n),
                {{"Udlaan", QString::fromLatin1(value)}});
    }
    regForm();
    form->DBNavigator1->click(dbctrls::TDBNavigator::Button::First);
    for (const auto& [value, enabled] : tapes) {
        EXPECT_EQ(form->SpeedButton4->isEnabled(), enabled) << "Udlaan '" << value << "' at " << text(*dm->VideoTable, "TapeNr").toStdString();
        form->DBNavigator1->click(dbctrls::TDBNavigator::Button::Next);
    }
}

TEST_F(RegFixture, ClickingTheCheckBoxEnablesTheLoansButton)
{
    // A click stores the other value; an empty or unknown value (greyed) becomes checked.
    const std::pair<const char*, const char*> clicks[] = {{"Ja", "Nej"}, {"Nej", "Ja"}, {"", "Ja"}, {"ja", "Nej"}};
    for (const auto& [value, stored] : clicks) {
        addTape(QStringLiteral("0001-00"), QStringLiteral("Film"), {{"Udlaan", QString::fromLatin1(value)}});
        regForm();
        form->DBEdit1Change();
        QTest::mouseClick(form->DBCheckBox1, Qt::LeftButton);
        EXPECT_TRUE(form->SpeedButton4->isEnabled()) << "Udlaan '" << value << "'";
        EXPECT_EQ(text(*dm->VideoTable, "Udlaan"), QString::fromLatin1(stored)) << "Udlaan '" << value << "'";
        dm->VideoTable->Cancel();
        dm->VideoTable->Delete();
    }
}

TEST_F(RegFixture, ClosingWithoutATitlePostsNothing)
{
    showRegForm();
    QTest::mouseClick(form->SpeedButton3, Qt::LeftButton);
    ASSERT_FALSE(form->DBEdit1->text().isEmpty());
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(dm->VideoTable->State(), engine::DataSetState::Insert) << "left as it was";
    dm->VideoTable->Cancel();
    EXPECT_EQ(dm->VideoTable->RecordCount(), 0);
}

namespace {

/// Opens the cast grid's editor on the first row's role and types into it, leaving it open.
void typeRole(forms::TRegForm& form, const QString& role)
{
    const QModelIndex cell = form.DBGrid4->model()->index(0, 1);
    form.DBGrid4->setCurrentIndex(cell);
    form.DBGrid4->edit(cell);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, role);
}

} // namespace

TEST_F(RegFixture, ClosingPostsTheTapeAndARoleTypedIntoTheCastGrid)
{
    for (const bool titleChanged : {true, false}) {
        addTape(QStringLiteral("0001-00"), QStringLiteral("Gammel titel"));
        addCast(QStringLiteral("Bo"), QStringLiteral("Helten"));
        showRegForm();
        if (titleChanged) {
            form->DBEdit3->setFocus();
            form->DBEdit3->selectAll();
            QTest::keyClicks(form->DBEdit3, QStringLiteral("Ny titel"));
        }
        typeRole(*form, QStringLiteral("Skurken"));
        ASSERT_EQ(dm->VideoTable->Editing(), titleChanged);
        form->close();
        EXPECT_FALSE(form->isVisible());
        EXPECT_FALSE(dm->VideoTable->Editing());
        EXPECT_FALSE(dm->MedvirkTable->Editing());
        EXPECT_EQ(text(*dm->VideoTable, "Titel"), titleChanged ? QStringLiteral("Ny titel") : QStringLiteral("Gammel titel"));
        EXPECT_EQ(allCast("Rolle"), QStringList{QStringLiteral("Skurken")}) << "title changed: " << titleChanged;
        // Start again on an empty catalogue.
        dialogs().confirmAnswers = {true};
        dm->VideoTable->Delete();
        form.reset();
    }
}

TEST_F(RegFixture, ARefusedPostOnCloseKeepsTheWindowOpen)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Første"));
    showRegForm();
    // A number that is taken: the store refuses the post.
    typeNewTape(QStringLiteral("0001-00"), QStringLiteral("Dublet"));
    form->close();
    EXPECT_EQ(takeErrors().size(), 1);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(dm->VideoTable->State(), engine::DataSetState::Insert);
    EXPECT_EQ(form->DBEdit3->text(), QStringLiteral("Dublet"));
    // Corrected, it closes and stores.
    form->DBEdit1->setFocus();
    form->DBEdit1->selectAll();
    QTest::keyClicks(form->DBEdit1, QStringLiteral("0002-00"));
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(column(*dm->VideoTable, "Titel"), (QStringList{QStringLiteral("Første"), QStringLiteral("Dublet")}));
}

TEST_F(RegFixture, EscapeDoesNotCloseTheWindow)
{
    showRegForm();
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(RegFixture, SizeIsRestoredFromAndStoredInTheConfiguration)
{
    dm->storeConfig({{QStringLiteral("H_Reg"), 500}, {QStringLiteral("W_Reg"), 800}});
    showRegForm();
    EXPECT_EQ(support::outerSize(form.get()), QSize(800, 500));
    form->resize(790, 520);
    const QSize outer = support::outerSize(form.get());
    form->close();
    EXPECT_EQ(dm->configInteger(QStringLiteral("H_Reg")), outer.height());
    EXPECT_EQ(dm->configInteger(QStringLiteral("W_Reg")), outer.width());
}

TEST_F(RegFixture, AnUnusableStoredSizeGivesTheDesignSizeWithinTheScreen)
{
    dm->storeConfig({{QStringLiteral("H_Reg"), 0}, {QStringLiteral("W_Reg"), -5}});
    showRegForm();
    // The design size is a client size: with the frame around it, within the screen.
    const QSize screen = form->screen()->availableGeometry().size();
    const QSize frame = support::outerSize(form.get()) - form->size();
    const QSize design(forms::TRegForm::kDesignWidth, forms::TRegForm::kDesignHeight);
    EXPECT_EQ(support::outerSize(form.get()), (design + frame).boundedTo(screen));
}

TEST_F(RegFixture, ControlsScaleWithTheWindowAndComeBack)
{
    regForm();
    const QRect grid = form->DBGrid1->geometry();
    form->resize(1512, 806);
    form->FormResize();
    EXPECT_EQ(form->DBGrid1->geometry(), QRect(664, 45, 830, 327));
    EXPECT_EQ(form->Image1->pos(), QPoint(0, 0)) << "pictures keep their natural size at the top left";
    form->resize(forms::TRegForm::kDesignWidth, forms::TRegForm::kDesignHeight);
    form->FormResize();
    EXPECT_EQ(form->DBGrid1->geometry(), grid);
}

TEST_F(RegFixture, TheFocusChainFollowsTheDesignedTabOrder)
{
    regForm();
    // The lists under the free-text edits take no focus: they open from their edits.
    const QStringList expected = {"DBEdit1",           "DBLookupComboBox4", "DBEdit4",          "DBEdit5",
                                  "DBEdit6",           "DBEdit3",           "DBEdit8",          "DBDateEdit1",
                                  "DBEdit9",           "DBEdit10",          "DBEdit2",          "DBEdit7",           "DBRadioGroup1",
                                  "DBMemo1",           "DBLookupComboBox10", "DBGrid1",         "DBGrid4",
                                  "DBNavigator1",      "DBCheckBox1",       "ScrollBox1",       "ScrollBox2"};
    // Each control once, in chain order; inner parts (radio buttons, viewports) count as their control.
    QStringList chain;
    QWidget* widget = form->DBEdit1;
    do {
        QWidget* control = widget;
        while (control && control != form.get() && !expected.contains(control->objectName()))
            control = control->parentWidget();
        if (control && control != form.get() && widget->focusPolicy() != Qt::NoFocus && !chain.contains(control->objectName()))
            chain << control->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != form->DBEdit1);
    EXPECT_EQ(chain, expected);
}

TEST_F(RegFixture, ClosingPostsPendingCategoryAndLoanEditsOnlyWithNumberAndTitle)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Film"));
    addLoan(QStringLiteral("0001-00"), QStringLiteral("Anna"));
    dm->KatTable->Insert();
    dm->KatTable->FieldByName(QStringLiteral("Kategori")).SetAsString(QStringLiteral("Drama"));
    dm->KatTable->Post();
    for (const bool titled : {false, true}) {
        showRegForm();
        if (!titled) {
            form->DBEdit3->setFocus();
            form->DBEdit3->selectAll();
            QTest::keyClick(form->DBEdit3, Qt::Key_Delete);
        }
        dm->KatTable->Edit();
        dm->KatTable->FieldByName(QStringLiteral("Kategori")).SetAsString(QStringLiteral("Komedie"));
        dm->UdlaanTable->Edit();
        dm->UdlaanTable->FieldByName(QStringLiteral("Navn")).SetAsString(QStringLiteral("Bent"));
        form->close();
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(dm->VideoTable->Editing(), !titled) << "titled: " << titled;
        EXPECT_EQ(dm->KatTable->Editing(), !titled) << "titled: " << titled;
        EXPECT_EQ(dm->UdlaanTable->Editing(), !titled) << "titled: " << titled;
        if (!titled)
            for (engine::Table* table : {dm->VideoTable, dm->KatTable, dm->UdlaanTable})
                table->Cancel();
    }
    EXPECT_EQ(column(*dm->KatTable, "Kategori"), QStringList{QStringLiteral("Komedie")});
    EXPECT_EQ(column(*dm->UdlaanTable, "Navn"), QStringList{QStringLiteral("Bent")});
    EXPECT_EQ(text(*dm->VideoTable, "Titel"), QStringLiteral("Film"));
}

TEST_F(RegFixture, TheNavigatorDeletesATapeOnlyAfterItsQuestion)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("En"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("To"));
    addCast(QStringLiteral("Bo"), QStringLiteral("Helten"));
    regForm();
    for (const bool answer : {false, true}) {
        dialogs().clear();
        // Yes also to the store's question about the tape's cast.
        dialogs().confirmAnswers = {answer, true};
        form->DBNavigator1->click(dbctrls::TDBNavigator::Button::Delete);
        const QStringList questions = dialogs().texts(QStringLiteral("confirm"));
        ASSERT_FALSE(questions.isEmpty());
        EXPECT_EQ(questions.first(), QStringLiteral("Slet denne post?"));
        EXPECT_EQ(questions.size(), answer ? 2 : 1) << "nothing more is asked after Annuller";
        EXPECT_EQ(column(*dm->VideoTable, "TapeNr").size(), answer ? 1 : 2);
    }
    EXPECT_EQ(column(*dm->VideoTable, "TapeNr"), QStringList{QStringLiteral("0001-00")});
    EXPECT_TRUE(allCast("Skuespiller").isEmpty()) << "the tape's cast goes with it";
}

// It scales, so it can be maximised; a modal window is not minimised on its own.
TEST_F(RegFixture, TheWindowCanBeMaximisedNotMinimisedAndIsCentred)
{
    showRegForm();
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Registrering"));
    const QRect screen = form->screen()->availableGeometry();
    // Centred to within the frame's border (the frame is known only once the window is mapped).
    const QPoint offset = form->frameGeometry().center() - screen.center();
    const QSize border = form->frameGeometry().size() - form->size();
    EXPECT_LE(std::abs(offset.x()), border.width() / 2 + 1) << offset.x();
    EXPECT_LE(std::abs(offset.y()), border.height() / 2 + 1) << offset.y();
}

namespace {

struct FreeTextCase {
    const char* edit;
    const char* list;
    const char* field;
    engine::Table* data::TDM::*table;
};

} // namespace

TEST_F(RegFixture, AFreeTextEditLiesOverItsListAndShowsWhatIsChosen)
{
    const FreeTextCase cases[] = {{"DBEdit8", "DBLookupComboBox8", "Optagetaf", &data::TDM::OptagetTable},
                                  {"DBEdit9", "DBLookupComboBox9", "Instruktor", &data::TDM::InstruktorTable},
                                  {"DBEdit10", "DBLookupComboBox2", "Kategori", &data::TDM::KatTable}};
    addTape(QStringLiteral("0001-00"), QStringLiteral("Film"));
    for (const FreeTextCase& c : cases) {
        engine::Table& lookup = *(dm.get()->*c.table);
        lookup.Insert();
        lookup.FieldByName(QLatin1String(c.field)).SetAsString(QStringLiteral("Kendt"));
        lookup.Post();
    }
    regForm();
    const QObjectList children = form->children();
    for (const FreeTextCase& c : cases) {
        auto* edit = form->findChild<dbctrls::TDBEdit*>(QLatin1String(c.edit));
        auto* list = form->findChild<dbctrls::TDBLookupComboBox*>(QLatin1String(c.list));
        ASSERT_TRUE(edit && list) << c.edit;
        EXPECT_EQ(list->geometry().right() - edit->geometry().right(), 15) << c.edit;
        EXPECT_GT(children.indexOf(edit), children.indexOf(list)) << c.edit << " lies on top";
        list->chooseRow(list->listModel()->rowOfKey(QStringLiteral("Kendt")));
        EXPECT_EQ(edit->text(), QStringLiteral("Kendt")) << c.edit;
        EXPECT_EQ(text(*dm->VideoTable, c.field), QStringLiteral("Kendt")) << c.edit;
    }
    EXPECT_FALSE(form->DBLookupComboBox4->isEditable()) << "a type only from its list";
}

TEST_F(RegFixture, TheTapeNumberEditorsKeepAnOverLongNumberForTheRuleToRefuse)
{
    addTape(QStringLiteral("10000-00"), QStringLiteral("Lang"));
    addTape(QStringLiteral("0001-00"), QStringLiteral("Kort"));
    showRegForm();
    form->DBEdit1->setFocus();
    form->DBEdit1->selectAll();
    QTest::keyClicks(form->DBEdit1, QStringLiteral("0002-00xLONG"));
    form->DBNavigator1->click(dbctrls::TDBNavigator::Button::Post);
    EXPECT_EQ(takeErrors() << form->DBEdit1->text(),
              (QStringList{QString::fromUtf8("Båndnummeret '0002-00xLONG' er for langt: et båndnummer har højst 7 tegn."),
                           QStringLiteral("0002-00xLONG")}));
    dm->VideoTable->Cancel();

    // A number the numbering gave past 9999-00 shows whole in the edit and the grid's cell.
    ASSERT_TRUE(dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("10000-00")));
    EXPECT_EQ(form->DBEdit1->text(), QStringLiteral("10000-00"));
    const QModelIndex cell = form->DBGrid1->model()->index(form->DBGrid1->currentIndex().row(), 0);
    form->DBGrid1->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(static_cast<dbctrls::TDBGridDelegate*>(form->DBGrid1->itemDelegate())->openEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("10000-00"));
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("123456789"));
    EXPECT_EQ(editor->text(), QStringLiteral("123456789"));
    QTest::keyClick(editor, Qt::Key_Escape);
}

TEST_F(RegFixture, PostingANewTapeAddsTypedLookupValuesAndTheDuration)
{
    showRegForm();
    QTest::mouseClick(form->SpeedButton3, Qt::LeftButton);
    const std::pair<dbctrls::TDBEdit*, const char*> typed[] = {
        {form->DBEdit4, "0100"}, {form->DBEdit5, "0230"}, {form->DBEdit3, "Ny film"},
        {form->DBEdit8, "Far"},  {form->DBEdit9, "Instruktøren"}, {form->DBEdit10, "Western"}};
    for (const auto& [edit, value] : typed) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromUtf8(value));
    }
    form->DBNavigator1->click(dbctrls::TDBNavigator::Button::Post);
    ASSERT_EQ(dm->VideoTable->State(), engine::DataSetState::Browse);
    EXPECT_EQ(text(*dm->VideoTable, "Varighed"), QStringLiteral("01:30:00"));
    EXPECT_EQ(column(*dm->OptagetTable, "Optagetaf"), QStringList{QStringLiteral("Far")});
    EXPECT_EQ(column(*dm->InstruktorTable, "Instruktor"), QStringList{QStringLiteral("Instruktøren")});
    EXPECT_EQ(column(*dm->KatTable, "Kategori"), QStringList{QStringLiteral("Western")});
}
