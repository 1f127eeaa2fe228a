// The record navigator: which buttons the table allows, the delete question, the signal after
// each action, and the hand-over of an edit's pending text before a post.
#include "ControlsFixture.h"
#include "core/Errors.h"
#include "dbctrls/DBEdit.h"
#include "dbctrls/DBNavigator.h"
#include "engine/Field.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace dbctrlstest;
using dbctrls::TDBEdit;
using dbctrls::TDBNavigator;
using Button = dbctrls::TDBNavigator::Button;
using engine::DataSetState;

namespace {

class Navigator : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        video = &open(QStringLiteral("Video.db"));
        for (int i = 1; i <= 3; ++i)
            addTape(QStringLiteral("000%1-00").arg(i), QStringLiteral("Titel %1").arg(i));
        video->First();
        navigator = new TDBNavigator(window.get());
        navigator->setGeometry(0, 0, 495, 33);
        navigator->setDataSource(sourceOf(*video));
    }
    /// The enabled buttons as a string of nine flags in button order ("110011001").
    QString enabledFlags() const
    {
        QString flags;
        for (int i = 0; i < TDBNavigator::ButtonCount; ++i)
            flags += navigator->button(Button(i))->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return flags;
    }

    engine::Table* video = nullptr;
    TDBNavigator* navigator = nullptr;
};

TEST_F(Navigator, ButtonsAreEnabledAsTheTableAllows)
{
    //                                    F P N L I D E P C
    EXPECT_EQ(enabledFlags(), QStringLiteral("001111100")); // first record
    video->Next();
    EXPECT_EQ(enabledFlags(), QStringLiteral("111111100"));
    video->Last();
    EXPECT_EQ(enabledFlags(), QStringLiteral("110011100"));
    video->Edit();
    EXPECT_EQ(enabledFlags(), QStringLiteral("110011011"));
    video->Cancel();
    video->Insert();
    EXPECT_EQ(enabledFlags(), QStringLiteral("111111011"));
    video->Cancel();
    video->Close();
    EXPECT_EQ(enabledFlags(), QStringLiteral("000000000"));
}

TEST_F(Navigator, AnEmptyTableOffersOnlyInsertAndEdit)
{
    engine::Table& loans = open(QStringLiteral("Udlaan.db"));
    navigator->setDataSource(sourceOf(loans));
    EXPECT_EQ(enabledFlags(), QStringLiteral("000010100"));
    navigator->click(Button::Insert);
    EXPECT_EQ(loans.State(), DataSetState::Insert);
    EXPECT_EQ(enabledFlags(), QStringLiteral("000010011"));
}

TEST_F(Navigator, TheSignalFollowsEachAction)
{
    QStringList seen;
    QObject::connect(navigator, &TDBNavigator::clicked, navigator, [&](Button button) {
        seen << QStringLiteral("%1:%2").arg(int(button)).arg(text(*video, "TapeNr"));
    });
    QTest::mouseClick(navigator->button(Button::Last), Qt::LeftButton);
    QTest::mouseClick(navigator->button(Button::Prior), Qt::LeftButton);
    QTest::mouseClick(navigator->button(Button::First), Qt::LeftButton);
    QTest::mouseClick(navigator->button(Button::Next), Qt::LeftButton);
    QTest::mouseClick(navigator->button(Button::Edit), Qt::LeftButton);
    EXPECT_EQ(video->State(), DataSetState::Edit);
    QTest::mouseClick(navigator->button(Button::Cancel), Qt::LeftButton);
    EXPECT_EQ(video->State(), DataSetState::Browse);
    EXPECT_EQ(seen, (QStringList{"3:0003-00", "1:0002-00", "0:0001-00", "2:0002-00", "6:0002-00", "8:0002-00"}));
}

TEST_F(Navigator, EachShownButtonHasItsKey)
{
    QStringList seen;
    QObject::connect(navigator, &TDBNavigator::clicked, navigator, [&](Button button) {
        seen << QStringLiteral("%1:%2").arg(int(button)).arg(text(*video, "TapeNr"));
    });
    for (const int key : {Qt::Key_End, Qt::Key_Left, Qt::Key_Home, Qt::Key_Right, Qt::Key_F2, Qt::Key_Escape, Qt::Key_Insert, Qt::Key_Escape, Qt::Key_F2, Qt::Key_Return})
        QTest::keyClick(navigator, Qt::Key(key));
    EXPECT_EQ(seen, (QStringList{"3:0003-00", "1:0002-00", "0:0001-00", "2:0002-00", "6:0002-00", "8:0002-00",
                                 "4:", "8:0002-00", "6:0002-00", "7:0002-00"}));
}

TEST_F(Navigator, DeleteAsksAndDeletesOnlyOnOk)
{
    QSignalSpy clicks(navigator, &TDBNavigator::clicked);
    video->Next();
    dialogs().confirmAnswers = {false, true};
    navigator->click(Button::Delete);
    EXPECT_EQ(video->RecordCount(), 3);
    EXPECT_EQ(clicks.count(), 1); // also after Annuller
    navigator->click(Button::Delete);
    EXPECT_EQ(video->RecordCount(), 2);
    EXPECT_EQ(text(*video, "TapeNr"), QStringLiteral("0003-00"));
    EXPECT_EQ(clicks.count(), 2);
    ASSERT_EQ(dialogs().shown.size(), 2u);
    EXPECT_EQ(dialogs().shown[0].kind, QStringLiteral("confirm"));
    EXPECT_EQ(dialogs().shown[0].text, QStringLiteral("Slet denne post?"));
}

TEST_F(Navigator, PostTakesThePendingTextOfTheFocusedEdit)
{
    auto* title = new TDBEdit(window.get());
    title->setDataSource(sourceOf(*video));
    title->setDataField(QStringLiteral("Titel"));
    showWindow();
    title->setFocus();
    title->selectAll();
    QTest::keyClicks(title, QStringLiteral("Rettet"));
    QTest::mouseClick(navigator->button(Button::Post), Qt::LeftButton);
    EXPECT_TRUE(title->hasFocus());
    EXPECT_EQ(video->State(), DataSetState::Browse);
    EXPECT_EQ(text(*video, "Titel"), QStringLiteral("Rettet"));
}

TEST_F(Navigator, ARefusedActionIsReportedAndNotSignalled)
{
    QSignalSpy clicks(navigator, &TDBNavigator::clicked);
    video->BeforePost = [](engine::Table&) { throw core::EDatabaseError(QStringLiteral("Nej tak")); };
    setText(*video, "Titel", QStringLiteral("x"));
    navigator->click(Button::Post);
    EXPECT_EQ(takeErrors(), QStringList{"Nej tak"});
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(video->State(), DataSetState::Edit);
    EXPECT_EQ(enabledFlags().right(3), QStringLiteral("011"));
}

TEST_F(Navigator, VisibleButtonsShareTheWidthAndShowTheirHints)
{
    navigator->setVisibleButtons({Button::First, Button::Prior, Button::Next, Button::Last, Button::Delete,
                                  Button::Edit, Button::Post, Button::Cancel});
    navigator->setGeometry(0, 0, 312, 30);
    window->show();
    EXPECT_FALSE(navigator->button(Button::Insert)->isVisible());
    int left = 0;
    for (Button button : navigator->visibleButtons()) {
        QToolButton* shown = navigator->button(button);
        EXPECT_TRUE(shown->isVisible());
        EXPECT_EQ(shown->x(), left);
        EXPECT_EQ(shown->width(), 39);
        left += shown->width();
    }
    EXPECT_EQ(left, 312);
    EXPECT_EQ(navigator->button(Button::Insert)->toolTip(), QString::fromUtf8("Tilføj"));
    navigator->setProperty("Hints", QStringList{"First", "Prior", "Next", "Last", "Add"});
    EXPECT_EQ(navigator->button(Button::Insert)->toolTip(), QStringLiteral("Add"));
    EXPECT_EQ(navigator->button(Button::Cancel)->toolTip(), QStringLiteral("Fortryd"));
    EXPECT_EQ(navigator->property("Hints").toStringList().size(), 5);
}

TEST_F(Navigator, TheButtonsNeverTakeTheFocusAndHaveAPicture)
{
    for (int i = 0; i < TDBNavigator::ButtonCount; ++i) {
        EXPECT_EQ(navigator->button(Button(i))->focusPolicy(), Qt::NoFocus);
        EXPECT_FALSE(navigator->button(Button(i))->icon().isNull());
    }
}

} // namespace
