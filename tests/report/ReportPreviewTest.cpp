// The preview window: pages, navigation, printing from it.
#include "ReportFixtures.h"
#include "common/FocusWalk.h"

#include "report/DefaultPrinter.h"
#include "report/ReportPreview.h"

#include <QAction>
#include <QApplication>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPrintPreviewWidget>
#include <QProgressDialog>
#include <QMap>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace report;
using namespace testing_support;

namespace {

QAction* action(ReportPreview& preview, const QString& text)
{
    for (QAction* a : preview.findChild<QToolBar*>()->actions()) {
        if (a->text() == text)
            return a;
    }
    return nullptr;
}

TEST(ReportPreviewWindow, ShowsEveryPageAndNavigates)
{
    MemoryProvider data(MemoryProvider::numbered(60));
    std::unique_ptr<ReportPreview> preview = makeListReport(&data).createPreview(nullptr);
    ASSERT_NE(preview, nullptr);
    preview->show();
    EXPECT_EQ(preview->pageCount(), 3);
    action(*preview, QStringLiteral("Sidste side"))->trigger();
    EXPECT_EQ(preview->currentPage(), 3);
    EXPECT_EQ(preview->pageText(), QStringLiteral("Side 3 af 3"));
    action(*preview, QStringLiteral("Næste side"))->trigger();
    EXPECT_EQ(preview->currentPage(), 3);
    action(*preview, QStringLiteral("Forrige side"))->trigger();
    EXPECT_EQ(preview->currentPage(), 2);
    action(*preview, QStringLiteral("Første side"))->trigger();
    EXPECT_EQ(preview->pageText(), QStringLiteral("Side 1 af 3"));

    const qreal zoom = preview->view()->zoomFactor();
    action(*preview, QStringLiteral("Zoom ind"))->trigger();
    EXPECT_GT(preview->view()->zoomFactor(), zoom);
    EXPECT_EQ(formtest::spokenName(preview->view()->findChild<QGraphicsView*>()), QStringLiteral("Vis udskrift"));
}

// Tab leaves the pages, reaches every page and zoom command by its name and comes back; Space
// on a command does what its click does.
TEST(ReportPreviewWindow, TabReachesEveryCommandAndReturnsToThePages)
{
    MemoryProvider data(MemoryProvider::numbered(60));
    std::unique_ptr<ReportPreview> preview = makeListReport(&data).createPreview(nullptr);
    preview->show();
    preview->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(preview.get()));
    preview->view()->findChild<QGraphicsView*>()->setFocus();
    QMap<QString, QWidget*> reached;
    for (QWidget* stop : formtest::tabCycle(30))
        reached[formtest::spokenName(stop)] = stop;
    for (const char* command : {"Vis udskrift", "Første side", "Forrige side", "Næste side", "Sidste side", "Zoom ind", "Zoom ud", "Hel side", "Sidebredde", "Luk"})
        EXPECT_TRUE(reached.contains(QString::fromUtf8(command))) << command;
    QTest::keyClick(reached.value(QStringLiteral("Sidste side")), Qt::Key_Space);
    EXPECT_EQ(preview->currentPage(), 3);
}

/// Where the paper's top edge of the first page lies in the view, in viewport pixels.
int pagesTopInView(ReportPreview& preview)
{
    auto* scrolled = preview.view()->findChild<QGraphicsView*>();
    qreal top = 1e9;
    for (QGraphicsItem* item : scrolled->scene()->items())
        if (!item->parentItem())
            top = qMin(top, item->y());
    return scrolled->mapFromScene(QPointF(0, top)).y();
}

TEST(ReportPreviewWindow, OpensAndReturnsToTheTopOfTheFirstPage)
{
    for (const int tapes : {1, 60}) {
        MemoryProvider data(MemoryProvider::numbered(tapes));
        std::unique_ptr<ReportPreview> preview = makeListReport(&data).createPreview(nullptr);
        // Wider than high, as on a wide screen: the page at full width is taller than the view.
        preview->resize(1000, 500);
        preview->show();
        QApplication::processEvents();
        auto* scrolled = preview->view()->findChild<QGraphicsView*>();
        ASSERT_GT(scrolled->verticalScrollBar()->maximum(), 0) << "a page taller than the view";
        const int top = pagesTopInView(*preview);
        EXPECT_GE(top, 0) << tapes;
        EXPECT_LE(top, 20) << tapes << ": the title and the first rows show";

        scrolled->verticalScrollBar()->setValue(scrolled->verticalScrollBar()->maximum() / 2 + 1);
        action(*preview, QStringLiteral("Første side"))->trigger();
        const int back = pagesTopInView(*preview);
        EXPECT_GE(back, 0) << tapes;
        EXPECT_LE(back, 20) << tapes;
    }
}

TEST(ReportPreviewWindow, StaysAtTheTopOfTheFirstPageWhenSizedAfterShowing)
{
    // A window manager maximises the window only after it was shown.
    MemoryProvider data(MemoryProvider::numbered(60));
    std::unique_ptr<ReportPreview> preview = makeListReport(&data).createPreview(nullptr);
    preview->resize(800, 500);
    preview->show();
    QApplication::processEvents();
    preview->resize(1600, 900);
    QApplication::processEvents();
    QApplication::processEvents();
    const int top = pagesTopInView(*preview);
    EXPECT_GE(top, 0);
    EXPECT_LE(top, 20) << "the title and the column heading show";
}

TEST(ReportPreviewWindow, CancelWhilePreparingShowsNoWindowAndStopsReading)
{
    MemoryProvider data(MemoryProvider::numbered(60));
    QString shown;
    data.onRead = [&](int record) {
        if (record != 30 || !shown.isEmpty())
            return;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* progress = qobject_cast<QProgressDialog*>(w); progress && progress->isVisible()) {
                shown = progress->labelText();
                progress->cancel();
            }
        }
    };
    Report r = makeListReport(&data);
    r.setPreviewProgressDelay(0);
    EXPECT_EQ(r.createPreview(nullptr), nullptr);
    EXPECT_EQ(shown, QStringLiteral("Forbereder side 1 af 3"));
    EXPECT_LT(data.position(), 60u);
}

TEST(ReportPreviewWindow, NoPageNoWindow)
{
    MemoryProvider empty;
    Report r = makeListReport(&empty);
    EXPECT_EQ(r.createPreview(nullptr), nullptr);
    r.preview(nullptr); // returns at once: nothing to show
}

TEST(ReportPreviewWindow, PrintingNeedsAPrinterButThePreviewWorksWithout)
{
    MemoryProvider data(MemoryProvider::numbered(3));
    {
        ScopedPrinterFactory none([] { return std::unique_ptr<QPrinter>(); });
        std::unique_ptr<ReportPreview> preview = makeListReport(&data).createPreview(nullptr);
        EXPECT_EQ(preview->pageCount(), 1);
        EXPECT_FALSE(action(*preview, QStringLiteral("Udskriv"))->isEnabled());
        preview->printPages(); // does nothing
    }
    ScopedPrinterFactory some([] { return std::make_unique<QPrinter>(); });
    EXPECT_TRUE(action(*makeListReport(&data).createPreview(nullptr), QStringLiteral("Udskriv"))->isEnabled());
}

TEST(ReportPreviewWindow, PreviewReturnsWhenTheWindowCloses)
{
    MemoryProvider data(MemoryProvider::numbered(3));
    bool closed = false;
    QTimer::singleShot(0, [&] {
        if (auto* preview = qobject_cast<ReportPreview*>(QApplication::activeModalWidget())) {
            closed = true;
            action(*preview, QStringLiteral("Luk"))->trigger();
        }
    });
    makeListReport(&data).preview(nullptr);
    EXPECT_TRUE(closed);
}

} // namespace
