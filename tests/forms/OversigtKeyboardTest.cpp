// The overview from the keyboard: the grid is one stop, each radio group one stop, and every
// order, search and selection control is reached in the designed order. The other windows:
// Tab goes round and back to the first stop, and each stop has a name in Danish and German.
#include "BrowseFixture.h"
#include "common/FocusWalk.h"

#include "dbctrls/DBGrid.h"
#include "dbctrls/DBLookupComboBox.h"
#include "engine/Field.h"
#include "engine/Table.h"
#include "forms/BilledForm.h"
#include "forms/EtiketForm.h"
#include "forms/ForfaldForm.h"
#include "forms/IndholdForm.h"
#include "forms/IndstillingerForm.h"
#include "forms/LaanerForm.h"
#include "forms/LookupForm.h"
#include "forms/LookupWindows.h"
#include "forms/OversigtForm.h"
#include "forms/SkueForm.h"
#include "forms/UdlaanForm.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>

using browsetest::BrowseTest;
using formtest::names;

TEST_F(BrowseTest, OverviewTabVisitsEveryControlInTheDesignedOrderAndStaysOnTheTape)
{
    fillTapes(3, QStringLiteral("x"));
    video().First();
    forms::TOversigtForm f;
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.DBGrid1->setFocus();
    const QList<QWidget*> designed = {f.RadioButton4, f.RadioButton1, f.Edit1, f.SpeedButton1, f.DBLookupComboBox1,
                                      f.DBLookupComboBox3, f.DBLookupComboBox5, f.DBLookupComboBox6, f.RadioButton8,
                                      f.Edit3, f.SpeedButton2, f.Button1, f.Button2, f.DBGrid1};
    EXPECT_EQ(names(formtest::tabThrough(int(designed.size()))), names(designed));
    QList<QWidget*> backwards(designed.rbegin() + 1, designed.rend());
    backwards << f.DBGrid1;
    EXPECT_EQ(names(formtest::tabThrough(int(backwards.size()), true)), names(backwards));
    EXPECT_EQ(currentTape(), QStringLiteral("0001-00"));
    for (QWidget* control : designed)
        EXPECT_FALSE(formtest::spokenName(control).isEmpty()) << control->objectName().toStdString();
}

TEST_F(BrowseTest, OverviewRadioIndicatorsGrowWithTheWindow)
{
    forms::TOversigtForm f;
    f.show();
    const auto indicator = [&f] { return f.RadioButton4->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, f.RadioButton4); };
    const int designed = indicator();
    f.resize(f.width() * 2, f.height() * 2);
    EXPECT_GE(indicator(), designed * 3 / 2);
}

TEST_F(BrowseTest, EveryWindowsTabStopsGoRoundAndAreNamedInEachLanguage)
{
    fillTapes(2, QStringLiteral("x"));
    const QDate today(2026, 12, 10);
    std::vector<std::function<QWidget*()>> windows = {
        [] { return new forms::TUdlaanForm; }, [] { return new forms::TSkueForm; }, [] { return new forms::TIndholdForm; },
        [] { return new forms::TEtiketForm; }, [=] { return new forms::TLaanerForm(nullptr, today); },
        [=] { return new forms::TForfaldForm(nullptr, today); }, [] { return new forms::TIndstillingerForm(nullptr); },
        [] { return new forms::TBilledForm; }};
    for (const forms::LookupMember member : forms::kLookupMembers)
        windows.push_back([=] { return forms::createLookupForm(member, nullptr).release(); });
    for (const int language : {-1, 3})
        for (const auto& make : windows) {
            useLanguage(language);
            const std::unique_ptr<QWidget> window(make());
            window->show();
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
            QWidget* first = QApplication::focusWidget();
            const QList<QWidget*> stops = formtest::tabCycle();
            EXPECT_EQ(stops.last(), first) << "Tab is trapped: " << names(stops);
            for (QWidget* stop : stops)
                EXPECT_FALSE(formtest::spokenName(stop).isEmpty()) << names({stop}) << " in " << language;
        }
}

// A selection list that has narrowed the overview is still named by its label, not by its value.
TEST_F(BrowseTest, SelectionListsAreNamedByTheirLabelsWhileTheyShowAValue)
{
    fillTapes(1, QStringLiteral("x"));
    dm->KatTable->Insert();
    dm->KatTable->FieldByName(QStringLiteral("Kategori")).SetAsString(QStringLiteral("Krimi"));
    dm->KatTable->Post();
    forms::TOversigtForm f;
    f.show();
    f.DBLookupComboBox1->setCurrentIndex(0);
    f.DBLookupComboBox1->chooseRow(0);
    ASSERT_EQ(f.DBLookupComboBox1->currentText(), QStringLiteral("Krimi"));
    EXPECT_EQ(formtest::spokenName(f.DBLookupComboBox1), QStringLiteral("Kategori/genre"));
}
