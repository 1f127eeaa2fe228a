// The preview window: pages, navigation, printing from it.
#include "ReportFixtures.h"

#include "report/DefaultPrinter.h"
#include "report/ReportPreview.h"

#include <QAction>
#include <QApplication>
#include <QPrintPreviewWidget>
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
