#include "BrowseFixture.h"
#include "core/Errors.h"

#include "dbctrls/DBGrid.h"
#include "dbctrls/DBGridDelegate.h"
#include "dbctrls/DBLookupComboBox.h"
#include "dbctrls/DBLookupListModel.h"
#include "forms/IndholdForm.h"
#include "forms/OversigtForm.h"
#include "forms/SkueForm.h"
#include "support/EasyFind.h"
#include "support/WindowSize.h"

#include <QDate>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>

using browsetest::BrowseTest;

namespace {

class Overview : public BrowseTest {
protected:
    void SetUp() override
    {
        BrowseTest::SetUp();
        addTape(QStringLiteral("0001-00"), QStringLiteral("Zorro"),
                {{"Kategori", QStringLiteral("Western")}, {"Type", QStringLiteral("VHS")},
                 {"Instruktor", QStringLiteral("Ford")}, {"Optagetaf", QStringLiteral("Bo")},
                 {"Indhold", QStringLiteral("En maskeret hævner i Californien")}, {"Placering", QStringLiteral("Reol B")}});
        addTape(QStringLiteral("0012-00"), QStringLiteral("Paris, Texas"),
                {{"Kategori", QStringLiteral("Drama")}, {"Type", QStringLiteral("DVD")}, {"Udlaan", QStringLiteral("Ja")},
                 {"Instruktor", QStringLiteral("Wenders")}, {"Optagetaf", QStringLiteral("Ida")},
                 {"Indhold", QStringLiteral("En mand vandrer ud af ørkenen")}, {"Placering", QStringLiteral("Æske 1")}});
        addTape(QStringLiteral("0123-00"), QStringLiteral("Et parti skak"),
                {{"Kategori", QStringLiteral("Drama")}, {"Type", QStringLiteral("VHS")},
                 {"Instruktor", QStringLiteral("Ford")}, {"Optagetaf", QStringLiteral("Ida")},
                 {"Indhold", QStringLiteral("Skak i ØRKENEN ved nat")}, {"Placering", QStringLiteral("reol A")}});
        addTape(QStringLiteral("0200-00"), QStringLiteral("Amadeus"),
                {{"Kategori", QStringLiteral("Musik")}, {"Type", QStringLiteral("Betamax")}, {"Udlaan", QStringLiteral("Ja")},
                 {"Instruktor", QStringLiteral("Forman")}, {"Optagetaf", QStringLiteral("Bo")}});
        // The record rules add categories, directors and recorded-by names, not types.
        for (const char* type : {"Betamax", "DVD", "VHS"}) {
            dm->TypeTable->Insert();
            dm->TypeTable->FieldByName(QStringLiteral("Type")).SetAsString(QString::fromLatin1(type));
            dm->TypeTable->Post();
        }
        video().First();
        form = std::make_unique<forms::TOversigtForm>();
        form->show();
    }
    void TearDown() override
    {
        form.reset();
        BrowseTest::TearDown();
    }

    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2)); }
    // Opens the list and clicks the value, as a user does.
    void choose(dbctrls::TDBLookupComboBox* list, const QString& value)
    {
        const int row = list->listModel()->rowOfKey(value);
        ASSERT_GE(row, 0) << value.toStdString();
        list->showPopup();
        ASSERT_TRUE(list->dropDownVisible());
        QListView* view = list->dropDownView();
        view->scrollTo(list->listModel()->index(row));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(list->listModel()->index(row)).center());
        ASSERT_FALSE(list->dropDownVisible());
    }
    void type(const QString& text) { QTest::keyClicks(form->Edit1, text); }
    QStringList checkedRadios()
    {
        QStringList names;
        for (QRadioButton* radio : form->findChildren<QRadioButton*>())
            if (radio->isChecked())
                names << radio->objectName();
        return names;
    }

    std::unique_ptr<forms::TOversigtForm> form;
};

} // namespace

TEST_F(Overview, EachOrderButtonSortsTheCollection)
{
    EXPECT_EQ(checkedRadios(), QStringList{QStringLiteral("RadioButton4")}) << "only Båndnr. is checked at start";
    const struct {
        QRadioButton* button;
        const char* indexName;
        QStringList order;
    } cases[] = {
        {form->RadioButton9, "IndexType", {"0200-00", "0012-00", "0001-00", "0123-00"}},
        {form->RadioButton5, "IndexTitel", {"0200-00", "0123-00", "0012-00", "0001-00"}},
        {form->RadioButton6, "IndexKategori", {"0012-00", "0123-00", "0200-00", "0001-00"}},
        {form->RadioButton12, "IndexPlacering", {"0200-00", "0123-00", "0001-00", "0012-00"}},
        {form->RadioButton4, "", {"0001-00", "0012-00", "0123-00", "0200-00"}},
    };
    for (const auto& c : cases) {
        click(c.button);
        EXPECT_TRUE(c.button->isChecked());
        EXPECT_EQ(video().IndexName(), QString::fromLatin1(c.indexName));
        EXPECT_EQ(tapesShown(), c.order) << c.indexName;
    }
}

TEST_F(Overview, ChoosingASearchFieldFocusesAndEmptiesTheSearchBox)
{
    const struct {
        QRadioButton* button;
        const char* field;
    } cases[] = {{form->RadioButton1, "TapeNr"}, {form->RadioButton2, "Titel"}, {form->RadioButton3, "Kategori"}};
    EXPECT_EQ(form->EasyFind1->SearchField, QStringLiteral("Indhold")) << "before any choice";
    for (const auto& c : cases) {
        form->Edit1->setText(QStringLiteral("xyz"));
        form->Button1->setFocus();
        click(c.button);
        EXPECT_EQ(form->EasyFind1->SearchField, QString::fromLatin1(c.field));
        EXPECT_EQ(form->Edit1->text(), QString());
        EXPECT_EQ(form->focusWidget(), form->Edit1);
    }
    EXPECT_EQ(form->EasyFind2->SearchField, QStringLiteral("Indhold"));
    type(QStringLiteral("kat"));
    click(form->RadioButton3);
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("kat")) << "clicking the checked button again changes nothing";
}

TEST_F(Overview, TypingSearchesTheChosenFieldAnywhereIgnoringCase)
{
    const struct {
        QRadioButton* button; // nullptr: no choice yet, the description is searched
        const char* typed;
        const char* found;
    } cases[] = {
        {nullptr, "ØRKEN", "0012-00"},           {form->RadioButton1, "23", "0123-00"},
        {form->RadioButton1, "12", "0012-00"},    {form->RadioButton2, "PAR", "0012-00"},
        {form->RadioButton2, "adeu", "0200-00"}, {form->RadioButton3, "SIK", "0200-00"},
    };
    for (const auto& c : cases) {
        if (c.button)
            click(c.button);
        video().Last();
        form->Edit1->clear();
        type(QString::fromUtf8(c.typed));
        EXPECT_EQ(currentTape(), QString::fromLatin1(c.found)) << c.typed;
        EXPECT_TRUE(form->EasyFind1->Found());
    }
}

TEST_F(Overview, EnterRepeatsTheSearchFromTheFirstRecord)
{
    click(form->RadioButton2);
    type(QStringLiteral("par"));
    ASSERT_EQ(currentTape(), QStringLiteral("0012-00"));
    video().Last();
    QTest::keyClick(form->Edit1, Qt::Key_Return);
    EXPECT_EQ(currentTape(), QStringLiteral("0012-00"));
    video().Last();
    QTest::keyClick(form->Edit1, Qt::Key_Enter);
    EXPECT_EQ(currentTape(), QStringLiteral("0012-00"));
    video().Last();
    QTest::keyClick(form->Edit1, Qt::Key_Tab);
    EXPECT_EQ(currentTape(), QStringLiteral("0200-00")) << "other keys do nothing";
}

TEST_F(Overview, DotsMoveToTheNextHitAndStayOnTheLast)
{
    click(form->RadioButton2);
    type(QStringLiteral("par"));
    ASSERT_EQ(currentTape(), QStringLiteral("0012-00"));
    click(form->SpeedButton1);
    EXPECT_EQ(currentTape(), QStringLiteral("0123-00"));
    click(form->SpeedButton1);
    EXPECT_EQ(currentTape(), QStringLiteral("0123-00"));
    EXPECT_FALSE(form->EasyFind1->Found());
    EXPECT_TRUE(takeErrors().isEmpty());

    QTest::keyClicks(form->Edit3, QStringLiteral("ørken"));
    EXPECT_EQ(currentTape(), QStringLiteral("0012-00"));
    click(form->SpeedButton2);
    EXPECT_EQ(currentTape(), QStringLiteral("0123-00"));
}

TEST_F(Overview, DotsWithAnEmptyBoxRightAfterOpeningReportTheMissingSearch)
{
    video().Last();
    click(form->SpeedButton1);
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral("No initial Find/Locate done first")});
    click(form->SpeedButton2);
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral("No initial Find/Locate done first")});
    EXPECT_EQ(currentTape(), QStringLiteral("0200-00"));
}

TEST_F(Overview, NoMatchLeavesTheTapeAndShowsNothing)
{
    click(form->RadioButton2);
    video().Locate(QStringLiteral("TapeNr"), QStringLiteral("0012-00"));
    type(QStringLiteral("Berlin"));
    EXPECT_EQ(currentTape(), QStringLiteral("0012-00"));
    QTest::keyClicks(form->Edit3, QStringLiteral("Berlin"));
    EXPECT_EQ(currentTape(), QStringLiteral("0012-00"));
    EXPECT_TRUE(dialogs().shown.empty());
}

TEST_F(Overview, SearchStartsAtTheFirstRecordOfTheCurrentOrderAndSelection)
{
    click(form->RadioButton5); // title order: Amadeus, Et parti skak, Paris, Zorro
    click(form->RadioButton2);
    type(QStringLiteral("par"));
    EXPECT_EQ(currentTape(), QStringLiteral("0123-00"));
    choose(form->DBLookupComboBox5, QStringLiteral("Wenders"));
    form->Edit1->clear();
    type(QStringLiteral("a"));
    EXPECT_EQ(currentTape(), QStringLiteral("0012-00")) << "the only tape of the selection";
}

TEST_F(Overview, SelectionsReplaceEachOtherAndClearTheOtherLists)
{
    choose(form->DBLookupComboBox1, QStringLiteral("Drama"));
    EXPECT_EQ(video().Filter(), QStringLiteral("Kategori = 'Drama'"));
    EXPECT_EQ(tapesShown(), (QStringList{"0012-00", "0123-00"}));
    choose(form->DBLookupComboBox3, QStringLiteral("VHS"));
    EXPECT_EQ(video().Filter(), QStringLiteral("Type = 'VHS'"));
    EXPECT_TRUE(video().Filtered());
    EXPECT_EQ(tapesShown(), (QStringList{"0001-00", "0123-00"})) << "the category no longer applies";
    EXPECT_EQ(form->DBLookupComboBox1->keyValue(), QString());
    EXPECT_EQ(form->DBLookupComboBox3->keyValue(), QStringLiteral("VHS"));

    const struct {
        dbctrls::TDBLookupComboBox* list;
        const char* value;
        const char* filter;
        QStringList tapes;
    } cases[] = {
        {form->DBLookupComboBox5, "Ford", "Instruktor = 'Ford'", {"0001-00", "0123-00"}},
        {form->DBLookupComboBox6, "Bo", "Optagetaf = 'Bo'", {"0001-00", "0200-00"}},
        {form->DBLookupComboBox1, "Musik", "Kategori = 'Musik'", {"0200-00"}},
    };
    for (const auto& c : cases) {
        choose(c.list, QString::fromLatin1(c.value));
        EXPECT_EQ(video().Filter(), QString::fromLatin1(c.filter));
        EXPECT_EQ(tapesShown(), c.tapes) << c.filter;
        for (auto* other : {form->DBLookupComboBox1, form->DBLookupComboBox3, form->DBLookupComboBox5, form->DBLookupComboBox6})
            EXPECT_EQ(other->keyValue().isEmpty(), other != c.list) << other->objectName().toStdString();
    }
}

TEST_F(Overview, AllAfterLentShowsEveryTapeAndKeepsTheFilterText)
{
    click(form->RadioButton8);
    EXPECT_EQ(tapesShown(), (QStringList{"0012-00", "0200-00"}));
    click(form->RadioButton7);
    EXPECT_EQ(tapesShown(), (QStringList{"0001-00", "0012-00", "0123-00", "0200-00"}));
    EXPECT_FALSE(video().Filtered());
    EXPECT_EQ(video().Filter(), QStringLiteral("Udlaan = 'Ja'"));
    EXPECT_TRUE(form->RadioButton7->isChecked());
    EXPECT_FALSE(form->RadioButton8->isChecked());
}

TEST_F(Overview, LentAfterACategoryShowsTheLentTapesOfAllCategories)
{
    choose(form->DBLookupComboBox1, QStringLiteral("Drama"));
    click(form->RadioButton8);
    EXPECT_EQ(tapesShown(), (QStringList{"0012-00", "0200-00"}));
    EXPECT_EQ(form->DBLookupComboBox1->keyValue(), QString());
    choose(form->DBLookupComboBox3, QStringLiteral("DVD"));
    EXPECT_FALSE(form->RadioButton8->isChecked()) << "a list choice unchecks Udlånte and Alle";
    EXPECT_FALSE(form->RadioButton7->isChecked());
}

TEST_F(Overview, AValueWithAQuoteSelectsItsTapes)
{
    addTape(QStringLiteral("0300-00"), QStringLiteral("Toy Story"), {{"Kategori", QStringLiteral("Children's")}});
    addTape(QStringLiteral("0301-00"), QStringLiteral("Ronja"), {{"Kategori", QStringLiteral("Children's")}});
    choose(form->DBLookupComboBox1, QStringLiteral("Children's"));
    EXPECT_EQ(video().Filter(), QStringLiteral("Kategori = 'Children''s'"));
    EXPECT_EQ(tapesShown(), (QStringList{"0300-00", "0301-00"}));
}

TEST_F(Overview, ClosingAndReopeningKeepsOrderSelectionTapeAndChecks)
{
    click(form->RadioButton5);
    choose(form->DBLookupComboBox1, QStringLiteral("Drama"));
    click(form->RadioButton2);
    type(QStringLiteral("skak"));
    ASSERT_EQ(currentTape(), QStringLiteral("0123-00"));
    form->close();
    EXPECT_EQ(video().IndexName(), QStringLiteral("IndexTitel"));
    EXPECT_EQ(video().Filter(), QStringLiteral("Kategori = 'Drama'"));
    EXPECT_TRUE(video().Filtered());
    EXPECT_EQ(currentTape(), QStringLiteral("0123-00"));
    form->show();
    EXPECT_EQ(checkedRadios(), (QStringList{"RadioButton5", "RadioButton2"}));
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("skak"));
    EXPECT_EQ(form->DBLookupComboBox1->keyValue(), QStringLiteral("Drama"));
    EXPECT_EQ(currentTape(), QStringLiteral("0123-00"));
    EXPECT_EQ(form->DBGrid1->currentIndex().row(), 0) << "the grid shows the current tape";
}

TEST_F(Overview, ShowingRestoresAndClosingStoresTheOuterSize)
{
    const QSize screen = QApplication::primaryScreen()->availableGeometry().size();
    form->close();
    dm->storeConfig({{QStringLiteral("W_Over"), 800}, {QStringLiteral("H_Over"), 520}});
    form->show();
    EXPECT_EQ(support::outerSize(form.get()), QSize(800, 520));
    form->resize(780, 500);
    const QSize outer = support::outerSize(form.get());
    form->close();
    EXPECT_EQ(dm->configInteger(QStringLiteral("W_Over")), outer.width());
    EXPECT_EQ(dm->configInteger(QStringLiteral("H_Over")), outer.height());
    form->show();
    EXPECT_EQ(form->size(), QSize(780, 500)) << "a stored size never grows the window";
    form->close();

    const QSize frame = support::outerSize(form.get()) - form->size();
    for (const QSize stored : {QSize(0, 0), QSize(-5, 300), QSize(screen.width() + 1, 300)}) {
        dm->storeConfig({{QStringLiteral("W_Over"), stored.width()}, {QStringLiteral("H_Over"), stored.height()}});
        form->show();
        EXPECT_EQ(support::outerSize(form.get()), (QSize(919, 484) + frame).boundedTo(screen)) << stored.width();
        form->close();
    }
}

TEST_F(Overview, TheTapeNumberCellKeepsAnOverLongNumberForTheRuleToRefuse)
{
    const QModelIndex cell = form->DBGrid1->model()->index(1, 0);
    form->DBGrid1->setCurrentIndex(cell);
    form->DBGrid1->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(static_cast<dbctrls::TDBGridDelegate*>(form->DBGrid1->itemDelegate())->openEditor());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("0002-00xLONG"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_THROW(video().Post(), core::EDatabaseError);
    video().Cancel();
}

TEST_F(Overview, AfterARefusedPostTheHighlightStaysOnTheRecord)
{
    ASSERT_TRUE(video().Locate(QStringLiteral("TapeNr"), QStringLiteral("0012-00")));
    video().Edit();
    video().FieldByName(QStringLiteral("Slut")).SetAsString(QStringLiteral("02:00"));
    video().Post();
    form->DBGrid1->setFocus();
    const QModelIndex cell = form->DBGrid1->model()->index(1, 2);
    form->DBGrid1->setCurrentIndex(cell);
    form->DBGrid1->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(static_cast<dbctrls::TDBGridDelegate*>(form->DBGrid1->itemDelegate())->openEditor());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("25:00"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    QTest::keyClick(form->DBGrid1, Qt::Key_Down);
    QApplication::processEvents();
    // Refused at Enter and again when Down tries to leave the record.
    EXPECT_EQ(takeErrors(), QStringList(2, QStringLiteral("'25:00' is not a valid time")));
    const auto rowsTogether = [&](const char* when) {
        const QModelIndexList selected = form->DBGrid1->selectionModel()->selectedIndexes();
        ASSERT_EQ(selected.size(), 1) << when;
        EXPECT_EQ(selected.first().row(), video().CurrentRow()) << when;
        EXPECT_EQ(form->DBGrid1->currentIndex().row(), video().CurrentRow()) << when;
    };
    rowsTogether("refused");
    QTest::keyClick(form->DBGrid1, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(video().State(), engine::DataSetState::Browse);
    rowsTogether("cancelled");
}

TEST_F(Overview, TheGridShowsTheFifteenColumnsAndTurnsFourDigitsIntoATime)
{
    const QStringList titles = form->DBGrid1->columnTitles();
    EXPECT_EQ(titles, (QStringList{"TapeNr", "Titel", "Start", "Slut", "Varighed", "Type", "Kopi", "Laengde", "Kategori",
                                   "Udlaan", "Instruktor", "Optagetaf", "OptagetDato", "Fabrikat", "Placering"}));
    EXPECT_EQ(form->DBGrid1->model()->rowCount(), 4);
    for (const int column : {2, 3}) {
        const QModelIndex cell = form->DBGrid1->model()->index(0, column);
        form->DBGrid1->setCurrentIndex(cell);
        form->DBGrid1->edit(cell);
        auto* editor = qobject_cast<QLineEdit*>(static_cast<dbctrls::TDBGridDelegate*>(form->DBGrid1->itemDelegate())->openEditor());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, column == 2 ? QStringLiteral("0130") : QStringLiteral("0245"));
        QTest::keyClick(editor, Qt::Key_Return); // the cell is left
    }
    video().Post();
    video().First();
    EXPECT_EQ(video().FieldByName(QStringLiteral("Start")).AsString(), QStringLiteral("01:30"));
    EXPECT_EQ(video().FieldByName(QStringLiteral("Slut")).AsString(), QStringLiteral("02:45"));
    EXPECT_EQ(video().FieldByName(QStringLiteral("Varighed")).AsString(), QStringLiteral("01:15:00"));
}

TEST_F(Overview, DeleteInTheGridAsksFirst)
{
    form->DBGrid1->setFocus();
    video().Last();
    dialogs().confirmAnswers = {false};
    QTest::keyClick(form->DBGrid1, Qt::Key_Delete);
    EXPECT_EQ(video().RecordCount(), 4);
    dialogs().confirmAnswers = {true};
    QTest::keyClick(form->DBGrid1, Qt::Key_Delete);
    EXPECT_EQ(tapesShown(), (QStringList{"0001-00", "0012-00", "0123-00"}));
    EXPECT_EQ(dialogs().texts(QStringLiteral("confirm")).size(), 2);
}

TEST_F(Overview, TheTwoButtonsOpenTheirWindowsAfreshAndFreeThem)
{
    for (int round = 0; round < 2; ++round) {
        QString opened;
        EXPECT_TRUE(browsetest::whileModal([&] { click(form->Button1); },
                                           [&](QWidget* w) {
                                               opened = w->metaObject()->className();
                                               EXPECT_EQ(w->parentWidget(), form.get());
                                           }));
        EXPECT_EQ(opened, QStringLiteral("forms::TIndholdForm"));
        EXPECT_TRUE(form->findChildren<forms::TIndholdForm*>().isEmpty()) << "freed when closed";
        EXPECT_TRUE(browsetest::whileModal([&] { click(form->Button2); },
                                           [&](QWidget* w) { opened = w->metaObject()->className(); }));
        EXPECT_EQ(opened, QStringLiteral("forms::TSkueForm"));
        EXPECT_TRUE(form->findChildren<forms::TSkueForm*>().isEmpty());
    }
}

TEST_F(Overview, EscapeDoesNotCloseTheWindow)
{
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(Overview, ATitleBeingTypedInTheGridIsKeptWhenTheDotsSearchOn)
{
    click(form->RadioButton2);
    type(QStringLiteral("par"));
    ASSERT_EQ(currentTape(), QStringLiteral("0012-00"));
    const QModelIndex cell = form->DBGrid1->model()->index(1, 1);
    form->DBGrid1->setFocus();
    form->DBGrid1->setCurrentIndex(cell);
    form->DBGrid1->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(static_cast<dbctrls::TDBGridDelegate*>(form->DBGrid1->itemDelegate())->openEditor());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Paris, Texas (1984)"));
    click(form->SpeedButton1); // takes no focus: the editor is still open
    EXPECT_EQ(currentTape(), QStringLiteral("0123-00"));
    ASSERT_TRUE(video().Locate(QStringLiteral("TapeNr"), QStringLiteral("0012-00")));
    EXPECT_EQ(video().FieldByName(QStringLiteral("Titel")).AsString(), QStringLiteral("Paris, Texas (1984)"));
    EXPECT_TRUE(takeErrors().isEmpty());
}

TEST_F(Overview, OverdueShowsTheTapesWithALoanPastItsDueDateAndFollowsNewLoans)
{
    const QString yesterday = QDate::currentDate().addDays(-1).toString(Qt::ISODate);
    video().Locate(QStringLiteral("TapeNr"), QStringLiteral("0123-00"));
    engine::Table& loans = *data::DM->UdlaanTable;
    loans.Insert();
    loans.FieldByName(QStringLiteral("Navn")).SetAsString(QStringLiteral("Åse"));
    loans.FieldByName(QStringLiteral("Forfald")).SetValue(yesterday);
    loans.Post();
    click(form->RadioButton11);
    EXPECT_EQ(tapesShown(), (QStringList{"0123-00"}));
    loans.Edit();
    loans.FieldByName(QStringLiteral("Returneret")).SetAsString(QStringLiteral("Ja"));
    loans.Post();
    EXPECT_EQ(tapesShown(), QStringList()) << "a returned loan leaves the selection";
    click(form->RadioButton7);
    EXPECT_EQ(tapesShown().size(), 4);
}
