// The real program's boxes as the user sees them.
#include "support/QtDialogs.h"

#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QLabel* textLabel(QMessageBox& box)
{
    return box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
}

} // namespace

TEST(QtDialogs, AQuestionWithAVeryLongEntryWrapsSoItCanBeReadToItsEnd)
{
    const QString entry = QString(255, QLatin1Char('K'));
    const struct {
        const char* name;
        QString text;
    } cases[] = {
        {"long entry", QStringLiteral("Vil du slette kategorien ") + entry + QStringLiteral("?")},
        {"short entry", QStringLiteral("Vil du slette kategorien Drama?")},
        {"two lines", QStringLiteral("Der er tilknyttet 3 skuespillere til denne film!\n\rEr det OK?")},
    };
    const int screenWidth = QApplication::primaryScreen()->availableGeometry().width();
    for (const auto& c : cases) {
        const auto box = support::makeBox(QMessageBox::Question, QStringLiteral("Bekræft"), c.text, nullptr);
        box->addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        box->show();
        QApplication::processEvents();
        QLabel* label = textLabel(*box);
        ASSERT_NE(label, nullptr);
        EXPECT_LE(box->width(), screenWidth) << c.name;
        EXPECT_LE(label->geometry().right(), box->width()) << c.name;
        EXPECT_LE(label->minimumSizeHint().width(), label->width()) << c.name << ": a word is wider than the box";
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << c.name << ": the end is cut off";
        // What reads is the text itself: the break chances are invisible.
        QString shown = label->text();
        shown.remove(QChar(0x200B));
        EXPECT_EQ(shown, QString(c.text).replace(QStringLiteral("\n\r"), QStringLiteral("\n"))) << c.name;
    }
}

TEST(QtDialogs, TheProgressWindowCarriesTheMainWindowsCaption)
{
    QWidget main;
    main.setWindowTitle(QStringLiteral("Reelkeep"));
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    support::QtDialogs dialogs;
    dialogs.progress(QStringLiteral("Indlæser"), 1, 10);
    const auto* progress = main.findChild<QProgressDialog*>();
    EXPECT_EQ(progress ? progress->windowTitle() : QString(), QStringLiteral("Reelkeep"));
    dialogs.endProgress();
}
