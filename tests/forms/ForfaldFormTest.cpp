// The overdue list closes by its button and by Escape, and its start-up check box, there and in
// the settings, names the overdue loans in every language.
#include "BrowseFixture.h"

#include "forms/ForfaldForm.h"
#include "forms/IndstillingerForm.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using browsetest::BrowseTest;

TEST_F(BrowseTest, OverdueWindowClosesByItsButtonAndByEscapeAndItsCheckBoxSaysWhatItShows)
{
    forms::TForfaldForm form(nullptr, QDate(2026, 12, 10));
    for (const bool byButton : {true, false}) {
        form.show();
        byButton ? QTest::mouseClick(form.findChild<QPushButton*>(), Qt::LeftButton) : QTest::keyClick(form.LoanList, Qt::Key_Escape);
        EXPECT_FALSE(form.isVisible()) << byButton;
    }
    for (const int language : browsetest::kLanguages) {
        useLanguage(language);
        forms::TForfaldForm overdue(nullptr, QDate(2026, 12, 10));
        forms::TIndstillingerForm settings(nullptr);
        for (const QCheckBox* box : {overdue.VisVedStart, settings.VisVedStart})
            EXPECT_TRUE(box->text().contains(overdue.windowTitle(), Qt::CaseInsensitive)) << box->text().toStdString();
    }
}
