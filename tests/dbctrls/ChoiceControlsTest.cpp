// Check boxes and radio groups: reading stored values, writing the user's choice, and the
// check box's signal for clicks and for field changes.
#include "ControlsFixture.h"
#include "dbctrls/DBCheckBox.h"
#include "dbctrls/DBRadioGroup.h"
#include "engine/Field.h"

#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace dbctrlstest;
using dbctrls::TDBCheckBox;
using dbctrls::TDBRadioGroup;
using engine::DataSetState;

namespace {

class ChoiceControls : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        video = &open(QStringLiteral("Video.db"));
        addTape(QStringLiteral("0001-00"), QStringLiteral("Alfa"));
        video->First();
    }
    TDBCheckBox* lentBox()
    {
        auto* box = new TDBCheckBox(window.get());
        box->setValueChecked(QStringLiteral("Ja"));
        box->setValueUnchecked(QStringLiteral("Nej"));
        box->setDataSource(sourceOf(*video));
        box->setDataField(QStringLiteral("Udlaan"));
        return box;
    }
    TDBRadioGroup* copyGroup()
    {
        auto* group = new TDBRadioGroup(window.get());
        group->resize(171, 66);
        group->setItems({QStringLiteral("Original"), QStringLiteral("Kopi"), QStringLiteral("Privat optagelse")});
        group->setValues({QStringLiteral("Original"), QStringLiteral("Kopi"), QStringLiteral("Privat")});
        group->setDataSource(sourceOf(*video));
        group->setDataField(QStringLiteral("Kopi"));
        return group;
    }

    engine::Table* video = nullptr;
};

struct StateCase {
    const char* stored;
    Qt::CheckState shown;
};

TEST_F(ChoiceControls, TheCheckBoxReadsItsValuesWithoutRegardToCaseAndGreysTheRest)
{
    const StateCase cases[] = {{"Ja", Qt::Checked},       {"ja", Qt::Checked},
                               {"JA", Qt::Checked},       {"Nej", Qt::Unchecked},
                               {"NEJ", Qt::Unchecked},    {"", Qt::PartiallyChecked},
                               {"Måske", Qt::PartiallyChecked}, {"Ja ", Qt::PartiallyChecked}};
    TDBCheckBox* box = lentBox();
    for (const StateCase& c : cases) {
        setText(*video, "Udlaan", QString::fromUtf8(c.stored));
        EXPECT_EQ(box->checkState(), c.shown) << c.stored;
    }
}

TEST_F(ChoiceControls, AClickWritesTheValueAndSignalsOnce)
{
    struct ClickCase {
        const char* before;
        const char* after;
    };
    const ClickCase cases[] = {{"Nej", "Ja"}, {"Ja", "Nej"}, {"", "Ja"}, {"andet", "Ja"}, {"ja", "Nej"}};
    TDBCheckBox* box = lentBox();
    for (const ClickCase& c : cases) {
        setText(*video, "Udlaan", QString::fromUtf8(c.before));
        video->Post();
        QSignalSpy signal(box, &TDBCheckBox::clickedOrChanged);
        QTest::keyClick(box, Qt::Key_Space); // the keyboard's click
        EXPECT_EQ(text(*video, "Udlaan"), QString::fromUtf8(c.after)) << c.before;
        EXPECT_EQ(video->State(), DataSetState::Edit);
        EXPECT_EQ(signal.count(), 1) << c.before;
    }
}

TEST_F(ChoiceControls, TheCheckBoxSignalsWhenItsFieldChangesWhatItShows)
{
    addTape(QStringLiteral("0002-00"), QStringLiteral("Beta"), {{"Udlaan", "Ja"}});
    addTape(QStringLiteral("0003-00"), QStringLiteral("Gamma"), {{"Udlaan", "ja"}});
    addTape(QStringLiteral("0004-00"), QStringLiteral("Delta"), {{"Udlaan", "Nej"}});
    video->First();
    TDBCheckBox* box = lentBox();
    QSignalSpy signal(box, &TDBCheckBox::clickedOrChanged);
    EXPECT_EQ(box->checkState(), Qt::PartiallyChecked);
    video->Next(); // greyed -> checked
    EXPECT_EQ(signal.count(), 1);
    video->Next(); // "ja" shows checked too: no change, no signal
    EXPECT_EQ(signal.count(), 1);
    video->Next(); // checked -> unchecked
    EXPECT_EQ(signal.count(), 2);
    setText(*video, "Udlaan", QStringLiteral("Ja")); // code writes the field
    EXPECT_EQ(signal.count(), 3);
    video->Cancel();
    EXPECT_EQ(signal.count(), 4);
    EXPECT_EQ(box->checkState(), Qt::Unchecked);
}

TEST_F(ChoiceControls, ANewRecordGoesFromGreyedToUncheckedWhenItsValueIsSet)
{
    TDBCheckBox* box = lentBox();
    video->Insert();
    EXPECT_EQ(box->checkState(), Qt::PartiallyChecked);
    QSignalSpy signal(box, &TDBCheckBox::clickedOrChanged);
    setText(*video, "Udlaan", QStringLiteral("Nej"));
    EXPECT_EQ(box->checkState(), Qt::Unchecked);
    EXPECT_EQ(signal.count(), 1);
}

TEST_F(ChoiceControls, TheRadioGroupChecksTheButtonOfTheStoredValue)
{
    struct RadioCase {
        const char* stored;
        int checked;
    };
    const RadioCase cases[] = {{"Original", 0}, {"Kopi", 1},  {"Privat", 2},
                               {"Privat optagelse", -1}, {"kopi", -1}, {"", -1}};
    TDBRadioGroup* group = copyGroup();
    for (const RadioCase& c : cases) {
        setText(*video, "Kopi", QString::fromUtf8(c.stored));
        EXPECT_EQ(group->itemIndex(), c.checked) << c.stored;
    }
}

TEST_F(ChoiceControls, CheckingAButtonWritesItsValue)
{
    TDBRadioGroup* group = copyGroup();
    group->show();
    QSignalSpy clicks(group, &TDBRadioGroup::itemClicked);
    QTest::mouseClick(group->button(2), Qt::LeftButton, {}, QPoint(6, group->button(2)->height() / 2));
    EXPECT_EQ(text(*video, "Kopi"), QStringLiteral("Privat"));
    EXPECT_EQ(video->State(), DataSetState::Edit);
    EXPECT_EQ(group->itemIndex(), 2);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 2);
    // Clicking the checked button again keeps it checked.
    QTest::mouseClick(group->button(2), Qt::LeftButton, {}, QPoint(6, group->button(2)->height() / 2));
    EXPECT_EQ(group->itemIndex(), 2);
    EXPECT_EQ(text(*video, "Kopi"), QStringLiteral("Privat"));
    video->Cancel();
    EXPECT_EQ(group->itemIndex(), -1);
}

TEST_F(ChoiceControls, TheArrowKeysCheckTheNextOrPreviousButtonRoundTheGroup)
{
    TDBRadioGroup* group = copyGroup();
    window->show();
    setText(*video, "Kopi", QStringLiteral("Original"));
    video->Post();
    group->button(0)->setFocus();
    const struct {
        Qt::Key key;
        int checked;
        const char* stored;
    } steps[] = {{Qt::Key_Down, 1, "Kopi"},     {Qt::Key_Right, 2, "Privat"}, {Qt::Key_Down, 0, "Original"},
                 {Qt::Key_Up, 2, "Privat"},     {Qt::Key_Left, 1, "Kopi"}};
    for (const auto& s : steps) {
        QTest::keyClick(window->focusWidget(), s.key);
        EXPECT_EQ(group->itemIndex(), s.checked) << s.stored;
        EXPECT_EQ(window->focusWidget(), group->button(s.checked)) << s.stored;
        EXPECT_EQ(text(*video, "Kopi"), QString::fromLatin1(s.stored));
    }
    EXPECT_EQ(video->State(), DataSetState::Edit);
    video->Cancel();
}

TEST_F(ChoiceControls, ItemsAndValuesShrinkAndGrowAtRunTime)
{
    setText(*video, "Kopi", QStringLiteral("Privat"));
    video->Post();
    TDBRadioGroup* group = copyGroup();
    EXPECT_EQ(group->itemIndex(), 2);
    group->setItems({QStringLiteral("Original"), QStringLiteral("Copy")});
    EXPECT_EQ(group->button(2), nullptr);
    EXPECT_EQ(group->button(1)->text(), QStringLiteral("Copy"));
    EXPECT_EQ(group->itemIndex(), -1);
    group->setItems({QStringLiteral("Original"), QStringLiteral("Kopi"), QStringLiteral("Privat optagelse")});
    EXPECT_EQ(group->itemIndex(), 2);
    // A language file may change the stored values too; an item without one stores its text.
    group->setValues({QStringLiteral("Orig")});
    EXPECT_EQ(group->buttonValue(0), QStringLiteral("Orig"));
    EXPECT_EQ(group->buttonValue(2), QStringLiteral("Privat optagelse"));
    EXPECT_EQ(group->itemIndex(), -1);
}

TEST_F(ChoiceControls, TheButtonsShareTheGroupsHeightBelowTheCaption)
{
    TDBRadioGroup* group = copyGroup();
    group->resize(171, 90);
    const int top = group->button(0)->y();
    EXPECT_GT(top, 0);
    EXPECT_EQ(group->button(1)->y() - top, group->button(2)->y() - group->button(1)->y());
    EXPECT_LE(group->button(2)->geometry().bottom(), group->height());
}

} // namespace
