// The About component and its window: texts, the growth for a picture, the version line,
// system information, the web address and closing.
#include "core/Dialogs.h"
#include "core/ScriptedDialogs.h"
#include "support/AboutBox.h"
#include "support/AboutWnd.h"
#include "support/Image.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using support::TAboutBox;
using support::TAboutWnd;

namespace {

core::ScriptedDialogs& scripted()
{
    return static_cast<core::ScriptedDialogs&>(core::dialogs());
}

QImage pictureOf(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    return image;
}

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        scripted().clear();
        scripted().shellResult = true;
        box.setAppName(QStringLiteral("Spolarkiv"));
        box.setPicture(pictureOf(48, 200));
    }
    void TearDown() override { scripted().shellResult = true; }

    TAboutBox box;
};

} // namespace

TEST_F(AboutTest, CaptionAndNameCarryTheApplicationName)
{
    TAboutWnd window(box);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("About Spolarkiv \u00ae"));
    EXPECT_EQ(window.lblAppName->text(), QStringLiteral("Spolarkiv \u00ae"));
    EXPECT_EQ(window.lblCopyright->text(), box.Copyright());
    EXPECT_EQ(window.lblWarning->text(), box.Warning());
    EXPECT_EQ(window.lblUrl->text(), QStringLiteral("https://www.tolvane.dk"));
    EXPECT_EQ(window.lblUrl->toolTip(), QStringLiteral("https://www.tolvane.dk"));
    EXPECT_EQ(window.lblWarning->font().pointSize(), 7); // Arial, 9 pixels
    EXPECT_TRUE(window.lblVersion->font().bold());
}

TEST_F(AboutTest, WindowGrowsForALargerPictureAndTheAnchoredControlsFollow)
{
    const struct {
        QImage picture;
        int grownWidth;
        int grownHeight;
        QSize pictureSize;
    } cases[] = {
        {pictureOf(48, 200), 0, 0, QSize(48, 200)}, // the design
        {pictureOf(100, 150), 52, 0, QSize(100, 200)},
        {pictureOf(48, 260), 0, 60, QSize(48, 260)},
        {pictureOf(120, 300), 72, 100, QSize(120, 300)},
        {QImage(), 0, 0, QSize(0, 0)},
    };
    int versionLeft = -1;
    for (const auto& c : cases) {
        box.setPicture(c.picture);
        TAboutWnd window(box);
        const int dw = c.grownWidth, dh = c.grownHeight;
        const std::string what = std::to_string(c.picture.width()) + "x" + std::to_string(c.picture.height());
        EXPECT_EQ(window.size(), QSize(297 + dw, 321 + dh)) << what;
        EXPECT_EQ(window.imgApp->geometry(), QRect(QPoint(9, 9), c.pictureSize)) << what;
        EXPECT_EQ(window.bvlOuter->geometry(), QRect(8, 8, c.pictureSize.width() + 2, 201)) << what;
        EXPECT_EQ(window.bvlOuter->isVisibleTo(&window), !c.picture.isNull()) << what;
        EXPECT_EQ(window.lblAppName->pos(), QPoint(64 + dw, 8)) << what;
        EXPECT_EQ(window.lblVersionInfo->pos(), QPoint(64 + dw, 24)) << what;
        // At 104 as designed, or further right when "Version:" needs it to keep a blank between.
        if (versionLeft < 0)
            versionLeft = window.lblVersion->x();
        EXPECT_GE(versionLeft, 104);
        EXPECT_EQ(window.lblVersion->pos(), QPoint(versionLeft + dw, 24)) << what;
        EXPECT_EQ(window.lblCopyright->geometry(), QRect(64 + dw, 48, 225, 25)) << what;
        EXPECT_EQ(window.lblUrl->pos(), QPoint(64 + dw, 80)) << what;
        EXPECT_EQ(window.bvlSep->geometry(), QRect(8, 216 + dh, 281 + dw, 9)) << what;
        EXPECT_EQ(window.lblWarning->geometry(), QRect(8, 224 + dh, 281 + dw, 61)) << what;
        EXPECT_EQ(window.btnSysInfo->geometry(), QRect(136 + dw, 288 + dh, 73, 23)) << what;
        EXPECT_EQ(window.btnOk->geometry(), QRect(216 + dw, 288 + dh, 73, 23)) << what;
    }
}

TEST_F(AboutTest, VersionLineOnlyWithAVersion)
{
    {
        TAboutWnd window(box);
        EXPECT_FALSE(window.lblVersionInfo->isVisibleTo(&window));
        EXPECT_TRUE(window.lblVersion->text().isEmpty());
    }
    box.setVersion(support::FileVersion{8, 7, 0, 0});
    TAboutWnd window(box);
    EXPECT_TRUE(window.lblVersionInfo->isVisibleTo(&window));
    EXPECT_EQ(window.lblVersion->text(), QStringLiteral("8.7 (Build: 0.0)"));
    EXPECT_EQ(support::versionText(support::FileVersion{1, 12, 3, 45}), QStringLiteral("1.12 (Build: 3.45)"));
}

TEST_F(AboutTest, VersionLabelAndVersionKeepABlankBetweenThem)
{
    box.setVersion(support::FileVersion{1, 0, 0, 0});
    for (const QImage& picture : {pictureOf(48, 200), pictureOf(120, 240)}) {
        box.setPicture(picture);
        TAboutWnd window(box);
        const int gap = window.lblVersion->x() - (window.lblVersionInfo->x() + window.lblVersionInfo->width());
        EXPECT_GE(gap, window.lblVersionInfo->fontMetrics().horizontalAdvance(QLatin1Char(' '))) << picture.width();
        EXPECT_EQ(window.lblVersion->y(), window.lblVersionInfo->y());
        EXPECT_LE(window.lblVersion->geometry().right(), window.width()) << picture.width();
    }
}

TEST_F(AboutTest, TextsFitTheirLabels)
{
    box.setCopyright(QStringLiteral("Copyright \u00a9 2003-2024 Tolvane"));
    box.setVersion(support::FileVersion{1, 0, 0, 0});
    TAboutWnd window(box);
    for (QLabel* label : {window.lblCopyright, window.lblWarning})
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->objectName().toStdString();
    for (QLabel* label : {window.lblAppName, window.lblUrl, window.lblVersionInfo, window.lblVersion})
        EXPECT_LE(label->geometry().right(), window.width()) << label->objectName().toStdString();
}

TEST_F(AboutTest, SystemInformationFailureIsReportedAndTheWindowStays)
{
    TAboutWnd window(box);
    window.show();
    scripted().shellResult = false;
    QTest::mouseClick(window.btnSysInfo, Qt::LeftButton);
    EXPECT_EQ(scripted().texts(QStringLiteral("error")), QStringList{"Could not execute system information!"});
    EXPECT_FALSE(scripted().texts(QStringLiteral("program")).isEmpty());
    EXPECT_TRUE(window.isVisible());

    scripted().clear();
    scripted().shellResult = true;
    QTest::mouseClick(window.btnSysInfo, Qt::LeftButton);
    EXPECT_EQ(scripted().texts(QStringLiteral("program")).size(), 1);
    EXPECT_TRUE(scripted().texts(QStringLiteral("error")).isEmpty());
}

TEST_F(AboutTest, WebAddressGoesToTheShellMaximizedWithTheWaitCursorRestored)
{
    const struct {
        const char* how;
        std::function<void(TAboutWnd&)> open;
    } ways[] = {
        {"click", [](TAboutWnd& w) { QTest::mouseClick(w.lblUrl, Qt::LeftButton); }},
        {"Tab and Enter", [](TAboutWnd& w) {
             for (int i = 0; i < 5 && w.focusWidget() != w.lblUrl; ++i)
                 QTest::keyClick(w.focusWidget() ? w.focusWidget() : &w, Qt::Key_Tab);
             QTest::keyClick(w.focusWidget() ? w.focusWidget() : &w, Qt::Key_Return);
         }},
    };
    for (const auto& way : ways) {
        scripted().clear();
        TAboutWnd window(box);
        window.show();
        window.activateWindow();
        QApplication::processEvents();
        way.open(window);
        ASSERT_EQ(scripted().shown.size(), 1u) << way.how;
        EXPECT_EQ(scripted().shown[0].kind, QStringLiteral("shell"));
        EXPECT_EQ(scripted().shown[0].text, QStringLiteral("https://www.tolvane.dk"));
        EXPECT_EQ(scripted().shown[0].extra, QStringLiteral("maximized"));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(window.lblUrl->cursor().shape(), Qt::PointingHandCursor);
    }
}

TEST_F(AboutTest, OkEscapeAndEnterClose)
{
    const struct {
        const char* how;
        std::function<void(TAboutWnd&)> act;
    } ways[] = {
        {"OK", [](TAboutWnd& w) { QTest::mouseClick(w.btnOk, Qt::LeftButton); }},
        {"Escape", [](TAboutWnd& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
        {"Enter", [](TAboutWnd& w) { QTest::keyClick(w.focusWidget() ? w.focusWidget() : &w, Qt::Key_Return); }},
    };
    for (const auto& way : ways) {
        TAboutWnd window(box);
        window.show();
        QApplication::processEvents();
        way.act(window);
        EXPECT_FALSE(window.isVisible()) << way.how;
        EXPECT_TRUE(scripted().texts(QStringLiteral("program")).isEmpty()) << way.how;
    }
}

TEST_F(AboutTest, ExecuteShowsTheWindowModallyAndFreesIt)
{
    QWidget parent;
    QString shownTitle;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shownTitle = modal->windowTitle();
            QTest::keyClick(modal, Qt::Key_Escape);
        }
    });
    box.Execute(&parent);
    EXPECT_EQ(shownTitle, QStringLiteral("About Spolarkiv \u00ae"));
    EXPECT_TRUE(parent.findChildren<TAboutWnd*>().isEmpty());
}

TEST(AboutBoxDefaults, WarningIsATranslatablePropertyWithADanishNotice)
{
    TAboutBox box;
    EXPECT_TRUE(box.AppName().isEmpty());
    EXPECT_TRUE(box.Picture().isNull());
    EXPECT_EQ(box.Url(), TAboutBox::defaultUrl());
    EXPECT_FALSE(box.Copyright().isEmpty());
    EXPECT_TRUE(box.Warning().contains(QStringLiteral("ophavsret")));
    EXPECT_EQ(box.property("Warning").toString(), box.Warning());
    EXPECT_TRUE(box.setProperty("Warning", QStringLiteral("Warning: protected by copyright.")));
    EXPECT_EQ(box.Warning(), QStringLiteral("Warning: protected by copyright."));
}
