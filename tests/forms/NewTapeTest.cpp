// New tapes: the next number, the number in the field from the insert on, the loans button,
// the focus, and the main window's "Ny video".
#include "RegFixture.h"

#include "dbctrls/DBCheckBox.h"
#include "dbctrls/DBEdit.h"
#include "engine/Field.h"
#include "engine/Table.h"
#include "forms/TapeCommands.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>

using namespace regtest;

namespace {

struct NumberCase {
    const char* name;
    std::vector<const char*> tapes;
    const char* order;  ///< the overview's order left on VideoTable
    const char* filter; ///< and its filter
    const char* expected;
};

const NumberCase kNumberCases[] = {
    {"EmptyCatalogue", {}, "", "", "0001-00"},
    {"ASubNumberTakesNoPart", {"0001-00", "0041-02"}, "", "", "0002-00"},
    {"ATypedLongNumberTakesNoPart", {"0005-00", "8765432"}, "", "", "0006-00"},
    {"OnlyOtherFormsGiveTheFirst", {"8765432", "99-01", "12a4-00"}, "", "", "0001-00"},
    {"PastFourDigits", {"9998-00", "9999-00"}, "", "", "10000-00"},
    {"TitleOrderLeftByOverview", {"0041-00", "0007-00", "0003-00"}, "IndexTitel", "", "0042-00"},
    {"FilterLeftByOverview", {"0041-00", "0007-00"}, "", "Kategori = 'Drama'", "0042-00"},
    {"OddNumberTakesNoPart", {"abc-00", "0005-00"}, "", "", "0006-00"},
};

class NextNumber : public RegFixture, public ::testing::WithParamInterface<NumberCase> {
protected:
    void fill()
    {
        // Later tapes sort first by title, and only the second is a drama, so neither the
        // last title nor the last drama is the highest number.
        int i = 0;
        for (const char* tapeNr : GetParam().tapes) {
            const QString title = QStringLiteral("Film %1").arg(QChar(u'A' + i));
            const QString category = i == 1 ? QStringLiteral("Drama") : QStringLiteral("Krimi");
            addTape(QString::fromLatin1(tapeNr), title, {{"Kategori", category}});
            ++i;
        }
        dm->VideoTable->SetIndexName(QString::fromLatin1(GetParam().order));
        dm->VideoTable->SetFilter(QString::fromLatin1(GetParam().filter));
        dm->VideoTable->SetFiltered(*GetParam().filter != 0);
    }
};

} // namespace

TEST_P(NextNumber, NyVhsDvdWritesTheNumberIntoTheField)
{
    fill();
    regForm();
    QTest::mouseClick(form->SpeedButton3, Qt::LeftButton);
    engine::Table& video = *dm->VideoTable;
    EXPECT_EQ(video.State(), engine::DataSetState::Insert);
    EXPECT_EQ(text(video, "TapeNr"), QString::fromLatin1(GetParam().expected)) << "in the field at insert";
    EXPECT_EQ(form->DBEdit1->text(), QString::fromLatin1(GetParam().expected));
    EXPECT_EQ(text(video, "Udlaan"), QStringLiteral("Nej"));
}

TEST_P(NextNumber, MainWindowNewVideoOpensTheWindowOnTheNewTape)
{
    fill();
    QString shownNumber;
    bool modal = false;
    whenModalShows([&](QWidget* window) {
        modal = window == form.get();
        shownNumber = form->DBEdit1->text();
        window->close();
    });
    forms::newVideo(*dm, regForm());
    EXPECT_TRUE(modal);
    EXPECT_EQ(shownNumber, QString::fromLatin1(GetParam().expected));
    EXPECT_EQ(text(*dm->VideoTable, "Udlaan"), QStringLiteral("Nej"));
    EXPECT_EQ(dm->VideoTable->State(), engine::DataSetState::Insert) << "closed without a title: nothing posted";
}

INSTANTIATE_TEST_SUITE_P(Numbers, NextNumber, ::testing::ValuesIn(kNumberCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegFixture, NyVhsDvdEnablesTheLoansButtonAndShowsUnchecked)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Ingen udlån"));
    showRegForm();
    ASSERT_FALSE(form->SpeedButton4->isEnabled());
    QTest::mouseClick(form->SpeedButton3, Qt::LeftButton);
    EXPECT_TRUE(form->SpeedButton4->isEnabled());
    EXPECT_EQ(form->DBCheckBox1->checkState(), Qt::Unchecked);
    EXPECT_EQ(QApplication::focusWidget(), form->DBEdit4) << "focus in the start edit";
}

TEST_F(RegFixture, NyVhsDvdSettlesThePendingTapeFirst)
{
    showRegForm();
    QTest::mouseClick(form->SpeedButton3, Qt::LeftButton);
    form->DBEdit3->setFocus();
    QTest::keyClicks(form->DBEdit3, QStringLiteral("Første film"));
    QTest::mouseClick(form->SpeedButton3, Qt::LeftButton);
    EXPECT_EQ(form->DBEdit1->text(), QStringLiteral("0002-00"));
    dm->VideoTable->Cancel();
    EXPECT_EQ(column(*dm->VideoTable, "Titel"), QStringList{QStringLiteral("Første film")});
    EXPECT_EQ(column(*dm->VideoTable, "TapeNr"), QStringList{QStringLiteral("0001-00")});
}

TEST_F(RegFixture, NoNewTapeWhenThePendingOneIsRefused)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Første"));
    regForm();
    dm->VideoTable->Edit();
    dm->VideoTable->FieldByName(QStringLiteral("Start")).SetAsString(QStringLiteral("abc"));
    dm->VideoTable->FieldByName(QStringLiteral("Slut")).SetAsString(QStringLiteral("02:00"));
    QTest::mouseClick(form->SpeedButton3, Qt::LeftButton);
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral("'abc' is not a valid time")});
    EXPECT_EQ(dm->VideoTable->State(), engine::DataSetState::Edit) << "the user's entries stay";
    EXPECT_EQ(form->DBEdit1->text(), QStringLiteral("0001-00"));
}

