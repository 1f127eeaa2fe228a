// The real program's boxes as the user sees them.
#include "support/QtDialogs.h"
#include "support/QtTranslations.h"
#include "support/WindowSize.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
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

TEST(QtDialogs, QtsOwnTextsFollowTheLanguage)
{
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm")))
        GTEST_SKIP() << "qt6-translations-l10n is not installed";
    for (const auto& [language, cancel] : {std::pair(3, "Abbrechen"), std::pair(-1, "Annuller"), std::pair(0, "Cancel")}) {
        support::useQtTranslations(language);
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8(cancel)) << language;
    }
}

TEST(WindowPlacement, AWindowMovedAsItShowsComesBackToTheCentre)
{
    QWidget window;
    window.resize(300, 200);
    support::keepCentredWhileShowing(&window, 1000);
    window.show();
    window.move(0, 0); // where a window manager may put it
    QTest::qWait(50);
    EXPECT_EQ(window.frameGeometry().center(), QApplication::primaryScreen()->availableGeometry().center());
}
