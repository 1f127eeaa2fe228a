// The registration window from the keyboard: the designed tab order, the radio group as one
// stop, a refused date keeping the focus, and the names a screen reader says.
#include "common/FocusWalk.h"
#include "RegFixture.h"

#include "dbctrls/DBDateEdit.h"
#include "dbctrls/DBLookupComboBox.h"
#include "dbctrls/DBLookupListModel.h"
#include "dbctrls/DBMemo.h"
#include "dbctrls/DBNavigator.h"
#include "dbctrls/DBRadioGroup.h"
#include "engine/Field.h"
#include "engine/Table.h"

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QToolButton>

using namespace regtest;
using formtest::names;

namespace {

class RegKeys : public RegFixture {
protected:
    void SetUp() override
    {
        RegFixture::SetUp();
        addTape(QStringLiteral("0001-00"), QStringLiteral("Første"), {{"Udlaan", QStringLiteral("Ja")}, {"Kopi", QStringLiteral("Kopi")}});
        addTape(QStringLiteral("0002-00"), QStringLiteral("Anden"), {});
        ASSERT_TRUE(dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0001-00")));
        showRegForm();
    }
    QString tape() { return text(*dm->VideoTable, "TapeNr"); }
};

} // namespace

TEST_F(RegKeys, TabVisitsEveryControlInTheDesignedOrderAndStaysOnTheTape)
{
    forms::TRegForm& f = *form;
    // Leaving the end time jumps over the duration to the title, as designed; Shift+Tab reaches it.
    const QList<QWidget*> designed = {
        f.DBLookupComboBox4, f.DBEdit4, f.DBEdit5, f.DBEdit3, f.DBEdit8, f.DBDateEdit1,
        f.DBEdit9, f.DBEdit10, f.DBEdit2, f.DBEdit7,
        f.DBRadioGroup1->button(1), f.DBMemo1, f.DBLookupComboBox10, f.DBEdit11, f.SpeedButton9, f.DBEdit12,
        f.DBGrid1, f.DBGrid4, f.SpeedButton6,
        f.SpeedButton7, f.SpeedButton8, f.SpeedButton3, f.DBNavigator1, f.DBCheckBox1, f.SpeedButton4,
        f.ScrollBox1, f.SpeedButton1, f.ScrollBox2, f.SpeedButton2, f.DBEdit1};
    ASSERT_EQ(QApplication::focusWidget(), f.DBEdit1) << "the window starts on the tape number";
    EXPECT_EQ(names(formtest::tabThrough(int(designed.size()))), names(designed));
    QList<QWidget*> backwards(designed.rbegin() + 1, designed.rend());
    backwards.insert(backwards.indexOf(f.DBEdit5), f.DBEdit6);
    backwards << f.DBEdit1;
    EXPECT_EQ(names(formtest::tabThrough(int(backwards.size()), true)), names(backwards));
    EXPECT_EQ(tape(), QStringLiteral("0001-00"));
}

TEST_F(RegKeys, SpaceOnAnUncheckedRadioReachedByTabChoosesNothingAndArrowsChoose)
{
    ASSERT_TRUE(dm->VideoTable->Locate(QStringLiteral("TapeNr"), QStringLiteral("0002-00")));
    form->DBEdit7->setFocus();
    formtest::tabThrough(1);
    ASSERT_EQ(QApplication::focusWidget(), form->DBRadioGroup1->button(0));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->DBRadioGroup1->button(0))->role(), QAccessible::RadioButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(text(*dm->VideoTable, "Kopi"), QString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(text(*dm->VideoTable, "Kopi"), QStringLiteral("Privat"));
    dm->VideoTable->Cancel();
}

TEST_F(RegKeys, ARefusedDateKeepsTheFocusAndDanishFormsAreTaken)
{
    form->DBDateEdit1->setFocus();
    QTest::keyClicks(form->DBDateEdit1, QStringLiteral("31-02-2003"));
    formtest::tabThrough(1);
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral("'31-02-2003' is not a valid date")});
    EXPECT_EQ(QApplication::focusWidget(), form->DBDateEdit1);
    form->DBDateEdit1->selectAll();
    QTest::keyClicks(form->DBDateEdit1, QStringLiteral("1/2-2003"));
    formtest::tabThrough(1);
    EXPECT_EQ(QApplication::focusWidget(), form->DBEdit9);
    EXPECT_EQ(dm->VideoTable->FieldByName(QStringLiteral("OptagetDato")).Value().toString(), QStringLiteral("2003-02-01"));
    dm->VideoTable->Cancel();
}

TEST_F(RegKeys, EveryStopHasANameThatFollowsTheLanguage)
{
    for (const int language : {-1, 0, 3}) {
        useLanguage(language);
        for (QWidget* control : form->tabOrder())
            EXPECT_FALSE(formtest::spokenName(control).isEmpty()) << control->objectName().toStdString() << " in " << language;
        EXPECT_EQ(formtest::spokenName(form->DBLookupComboBox8), form->Label18->text()) << language;
    }
    EXPECT_EQ(formtest::spokenName(form->DBLookupComboBox8), QStringLiteral("Aufgenommen von"));
}

// A list holding a value is named by its label, not by the value; the two "Hent" buttons and
// the two picture frames say which picture they are for.
TEST_F(RegKeys, ListsAreNamedByTheirLabelsAndPicturesByWhichPicture)
{
    dm->KatTable->Insert();
    dm->KatTable->FieldByName(QStringLiteral("Kategori")).SetAsString(QStringLiteral("Krimi"));
    dm->KatTable->Post();
    form->DBLookupComboBox2->setCurrentIndex(0);
    ASSERT_EQ(form->DBLookupComboBox2->currentText(), QStringLiteral("Krimi"));
    const QList<QWidget*> controls = {form->DBLookupComboBox2, form->SpeedButton1, form->SpeedButton2, form->ScrollBox1, form->ScrollBox2};
    const QStringList danish = {"Kategori/Genre", "Hent forside billede", "Hent bagside billede", "Forside billede", "Bagside billede"};
    const QStringList german = {"Kategorie/Genre", "Bild der Vorderseite holen", "Bild der Rückseite holen", "Bild der Vorderseite",
                                "Bild der Rückseite"};
    for (const auto& [language, names] : {std::pair{-1, danish}, std::pair{3, german}}) {
        useLanguage(language);
        for (int i = 0; i < controls.size(); ++i)
            EXPECT_EQ(formtest::spokenName(controls[i]), names[i]);
    }
}

// An edit over its list is one control: Alt+Down or F4 in the edit opens the list, a key typed
// while the list is open goes into the edit, and a click on an entry chooses it.
TEST_F(RegKeys, AnEditOverItsListTakesWhatIsTypedAndAClickChooses)
{
    for (const char* value : {"Komedie", "Krimi"}) {
        dm->KatTable->Insert();
        dm->KatTable->FieldByName(QStringLiteral("Kategori")).SetAsString(QString::fromLatin1(value));
        dm->KatTable->Post();
    }
    dbctrls::TDBLookupComboBox* list = form->DBLookupComboBox2;
    EXPECT_EQ(list->focusPolicy(), Qt::NoFocus);
    form->DBEdit10->setFocus();
    QTest::keyClick(form->DBEdit10, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(list->dropDownVisible());
    QTest::keyClicks(list->dropDownView(), QStringLiteral("Kom"));
    EXPECT_FALSE(list->dropDownVisible());
    EXPECT_EQ(QApplication::focusWidget(), form->DBEdit10);
    EXPECT_EQ(form->DBEdit10->text(), QStringLiteral("Kom"));
    QTest::keyClick(form->DBEdit10, Qt::Key_F4);
    ASSERT_TRUE(list->dropDownVisible());
    QListView* view = list->dropDownView();
    const QModelIndex krimi = list->listModel()->index(list->listModel()->rowOfKey(QStringLiteral("Krimi")));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(krimi).center());
    EXPECT_FALSE(list->dropDownVisible());
    EXPECT_EQ(text(*dm->VideoTable, "Kategori"), QStringLiteral("Krimi"));
    EXPECT_EQ(form->DBEdit10->text(), QStringLiteral("Krimi"));
    dm->VideoTable->Cancel();
}
