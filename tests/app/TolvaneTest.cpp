// The splash window: its shape, its place and the ways it goes away.
#include "app/Tolvane.h"
#include "support/FormShaper.h"
#include "support/Image.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using app::TTolvane;

namespace {

class SplashTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        app::closeSplash();
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(SplashTest, IsShapedToTheLogoWithinItsPicture)
{
    TTolvane* splash = app::showSplash();
    ASSERT_EQ(splash, app::Tolvane);
    EXPECT_EQ(splash->windowTitle(), QStringLiteral("Tolvane"));
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash->size(), QSize(TTolvane::kClientWidth, TTolvane::kClientHeight));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((splash->geometry().center() - screen.center()).manhattanLength(), 2);
    EXPECT_EQ(splash->Image1->geometry(), QRect(0, 0, 578, 85));
    EXPECT_EQ(splash->Image1->toolTip(), QStringLiteral("Højreklik for at lukke"));
    EXPECT_TRUE(splash->FormShaper1->Active());
    const QRegion mask = splash->mask();
    ASSERT_FALSE(mask.isEmpty());
    EXPECT_TRUE(QRect(0, 0, 580, 85).contains(mask.boundingRect()));
    // The white ground is cut away, the letters and the bar are not.
    EXPECT_LT(mask.rectCount(), 2000);
    EXPECT_FALSE(mask.contains(QPoint(2, 2)));
    const QImage& picture = splash->Image1->picture();
    int inside = 0;
    for (const QRect& rect : mask)
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x, ++inside)
                ASSERT_LE(qMin(qRed(picture.pixel(x, y)), qMin(qGreen(picture.pixel(x, y)), qBlue(picture.pixel(x, y)))), 235);
    EXPECT_GT(inside, 1000);
}

TEST_F(SplashTest, LukClosesIt)
{
    QPointer<TTolvane> splash = app::showSplash();
    ASSERT_EQ(splash->PopupMenu1->actions(), QList<QAction*>{splash->Luk1});
    EXPECT_EQ(splash->Luk1->text(), QStringLiteral("Luk"));
    splash->Luk1->trigger();
    QTRY_VERIFY(splash.isNull());
    EXPECT_EQ(app::Tolvane, nullptr);
}

TEST_F(SplashTest, GoesByItselfAfterAFewSeconds)
{
    QPointer<TTolvane> splash = app::showSplash();
    EXPECT_TRUE(splash->Timer1->isActive());
    EXPECT_EQ(splash->Timer1->interval(), TTolvane::kLifetimeMs);
    splash->Timer1->start(20);
    QTRY_VERIFY(splash.isNull());
    EXPECT_EQ(app::Tolvane, nullptr);
}

TEST_F(SplashTest, GoesWhenTheMainWindowIsActivated)
{
    QPointer<TTolvane> splash = app::showSplash();
    QWidget mainWindow;
    app::dismissSplashWhenActivated(&mainWindow);
    mainWindow.show();
    EXPECT_FALSE(splash.isNull());
    mainWindow.activateWindow();
    QTRY_VERIFY(splash.isNull());
    EXPECT_EQ(app::Tolvane, nullptr);
}

TEST_F(SplashTest, GoesWhenAnotherWindowOfOursTakesTheActivation)
{
    QPointer<TTolvane> splash = app::showSplash();
    splash->activateWindow();
    if (!QTest::qWaitForWindowActive(splash))
        GTEST_SKIP() << "this platform does not activate a splash window";
    QWidget other;
    other.show();
    other.activateWindow();
    QTRY_VERIFY(splash.isNull());
}
