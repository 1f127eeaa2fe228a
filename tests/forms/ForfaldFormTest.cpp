// The overdue list closes like any other window, and its start-up check box, in the overdue
// list and in the settings, says in every language which window it shows at start.
#include "BrowseFixture.h"

#include "forms/ForfaldForm.h"
#include "forms/IndstillingerForm.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using browsetest::BrowseTest;

TEST_F(BrowseTest, OverdueWindowClosesByItsButtonAndByEscape)
{
    forms::TForfaldForm form(nullptr, QDate(2026, 12, 10));
    for (const bool byButton : {true, false}) {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.LoanList->setFocus();
        if (byButton) {
            const QList<QPushButton*> buttons = form.findChildren<QPushButton*>();
            ASSERT_EQ(buttons.size(), 1);
            EXPECT_EQ(buttons.front()->text(), QStringLiteral("Luk"));
            QTest::mouseClick(buttons.front(), Qt::LeftButton);
        } else {
            QTest::keyClick(form.LoanList, Qt::Key_Escape);
        }
        EXPECT_FALSE(form.isVisible()) << (byButton ? "button" : "Escape");
    }
}

TEST_F(BrowseTest, TheStartUpCheckBoxNamesTheOverdueWindowInEveryLanguage)
{
    for (const int language : browsetest::kLanguages) {
        useLanguage(language);
        forms::TForfaldForm overdue(nullptr, QDate(2026, 12, 10));
        forms::TIndstillingerForm settings(nullptr);
        for (const QCheckBox* box : {overdue.VisVedStart, settings.VisVedStart})
            EXPECT_TRUE(box->text().contains(overdue.windowTitle(), Qt::CaseInsensitive))
                << box->text().toStdString() << " in " << language;
    }
}
