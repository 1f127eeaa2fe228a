// The overview from the keyboard: the grid is one stop, each radio group one stop, and every
// order, search and selection control is reached in the designed order.
#include "BrowseFixture.h"
#include "common/FocusWalk.h"

#include "dbctrls/DBGrid.h"
#include "dbctrls/DBLookupComboBox.h"
#include "forms/OversigtForm.h"

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
