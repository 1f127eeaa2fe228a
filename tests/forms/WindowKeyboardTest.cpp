// Every other window from the keyboard: Tab goes round its controls and back to the first,
// and a screen reader has a name for each, in Danish and in German.
#include "BrowseFixture.h"
#include "common/FocusWalk.h"

#include "forms/BilledForm.h"
#include "forms/EtiketForm.h"
#include "forms/ForfaldForm.h"
#include "forms/IndholdForm.h"
#include "forms/IndstillingerForm.h"
#include "forms/LaanerForm.h"
#include "forms/LookupForm.h"
#include "forms/LookupWindows.h"
#include "forms/SkueForm.h"
#include "forms/UdlaanForm.h"

using browsetest::BrowseTest;

TEST_F(BrowseTest, EveryWindowsTabStopsGoRoundAndAreNamedInEachLanguage)
{
    fillTapes(2, QStringLiteral("x"));
    using Make = std::function<QWidget*()>;
    const QDate today(2026, 12, 10);
    std::vector<Make> windows = {[] { return new forms::TUdlaanForm; }, [] { return new forms::TSkueForm; },
                                 [] { return new forms::TIndholdForm; }, [] { return new forms::TEtiketForm; },
                                 [=] { return new forms::TLaanerForm(nullptr, today); },
                                 [=] { return new forms::TForfaldForm(nullptr, today); },
                                 [] { return new forms::TIndstillingerForm(nullptr); }, [] { return new forms::TBilledForm; }};
    for (const forms::LookupMember member : forms::kLookupMembers)
        windows.push_back([=] { return forms::createLookupForm(member, nullptr).release(); });
    for (const int language : {-1, 3})
        for (const Make& make : windows) {
            useLanguage(language);
            const std::unique_ptr<QWidget> window(make());
            window->show();
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
            QWidget* first = QApplication::focusWidget();
            const QList<QWidget*> stops = formtest::tabCycle();
            EXPECT_EQ(stops.last(), first) << "Tab is trapped: " << formtest::names(stops);
            for (QWidget* stop : stops)
                EXPECT_FALSE(formtest::spokenName(stop).isEmpty()) << window->objectName().toStdString() << ": " << formtest::names({stop});
        }
}
