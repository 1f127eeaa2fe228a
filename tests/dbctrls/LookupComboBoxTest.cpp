// Lookup lists: the list follows the list table without moving its cursor, a bound list
// writes its field, an unbound picker reports every choice and can be cleared silently.
#include "ControlsFixture.h"
#include "dbctrls/DBLookupComboBox.h"
#include "dbctrls/DBLookupListModel.h"
#include "engine/Field.h"
#include "locale/PropertyAccess.h"

#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QListView>
#include <QSignalSpy>
#include <QTest>

using namespace dbctrlstest;
using dbctrls::TDBLookupComboBox;
using engine::DataSetState;

namespace {

class LookupComboBox : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        video = &open(QStringLiteral("Video.db"));
        kat = &open(QStringLiteral("Kategori.db"));
        for (const char* name : {"Drama", "Action", "Ø-film", "Komedie"})
            addLookup(*kat, QString::fromUtf8(name));
        kat->First();
        addTape(QStringLiteral("0001-00"), QStringLiteral("Alfa"), {{"Kategori", "Drama"}});
        addTape(QStringLiteral("0002-00"), QStringLiteral("Beta"), {{"Kategori", "Ukendt"}});
        video->First();
    }
    TDBLookupComboBox* picker(engine::Table& list, const char* field)
    {
        auto* combo = new TDBLookupComboBox(window.get());
        combo->setListSource(sourceOf(list));
        combo->setListField(QString::fromLatin1(field));
        combo->setKeyField(QString::fromLatin1(field));
        combo->setDropDownRows(18);
        combo->resize(144, 21);
        return combo;
    }
    TDBLookupComboBox* boundCategory()
    {
        TDBLookupComboBox* combo = picker(*kat, "Kategori");
        combo->setDataSource(sourceOf(*video));
        combo->setDataField(QStringLiteral("Kategori"));
        return combo;
    }
    static QStringList entries(const TDBLookupComboBox& combo)
    {
        QStringList result;
        for (int row = 0; row < combo.listModel()->rowCount(); ++row)
            result << combo.listModel()->textAt(row);
        return result;
    }

    engine::Table* video = nullptr;
    engine::Table* kat = nullptr;
};

TEST_F(LookupComboBox, TheListHoldsTheListTablesRowsInItsOrderWithoutMovingIt)
{
    kat->Next();
    const int cursor = kat->CurrentRow();
    TDBLookupComboBox* combo = picker(*kat, "Kategori");
    EXPECT_EQ(entries(*combo), (QStringList{"Action", "Drama", "Komedie", QString::fromUtf8("Ø-film")}));
    combo->showPopup();
    EXPECT_TRUE(combo->dropDownVisible());
    combo->hidePopup();
    EXPECT_EQ(kat->CurrentRow(), cursor);
    EXPECT_EQ(kat->State(), DataSetState::Browse);
}

TEST_F(LookupComboBox, TheListFollowsChangesOfTheListTable)
{
    TDBLookupComboBox* combo = picker(*kat, "Kategori");
    QAbstractItemModelTester tester(combo->listModel(), QAbstractItemModelTester::FailureReportingMode::Warning);
    WarningCollector warnings;
    addLookup(*kat, QStringLiteral("Børnefilm"));
    EXPECT_EQ(entries(*combo).value(1), QString::fromUtf8("Børnefilm"));
    kat->Delete();
    EXPECT_EQ(combo->listModel()->rowCount(), 4);
    kat->Close();
    EXPECT_EQ(combo->listModel()->rowCount(), 0);
    kat->Open();
    EXPECT_EQ(combo->listModel()->rowCount(), 4);
    EXPECT_TRUE(warnings.warnings().filter(QStringLiteral("FAIL")).isEmpty()) << warnings.warnings().join('\n').toStdString();
}

TEST_F(LookupComboBox, ABoundListShowsItsFieldAndChoosingWritesIt)
{
    TDBLookupComboBox* combo = boundCategory();
    QSignalSpy chosen(combo, &TDBLookupComboBox::chosen);
    EXPECT_EQ(combo->shownText(), QStringLiteral("Drama"));
    video->Next();
    EXPECT_EQ(combo->shownText(), QStringLiteral("Ukendt")); // a value outside the list still shows
    combo->chooseRow(2);
    EXPECT_EQ(video->State(), DataSetState::Edit);
    EXPECT_EQ(text(*video, "Kategori"), QStringLiteral("Komedie"));
    EXPECT_EQ(combo->shownText(), QStringLiteral("Komedie"));
    EXPECT_EQ(chosen.count(), 1);
    video->Cancel();
    EXPECT_EQ(combo->shownText(), QStringLiteral("Ukendt"));
}

TEST_F(LookupComboBox, ChoosingWithTheMouseInTheOpenList)
{
    TDBLookupComboBox* combo = boundCategory();
    window->show();
    combo->showPopup();
    ASSERT_TRUE(combo->dropDownVisible());
    QListView* list = combo->dropDownView();
    EXPECT_EQ(list->currentIndex().row(), 1); // the shown value is marked
    const QRect cell = list->visualRect(combo->listModel()->index(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_FALSE(combo->dropDownVisible());
    EXPECT_EQ(text(*video, "Kategori"), QStringLiteral("Action"));
}

TEST_F(LookupComboBox, AnUnboundPickerReportsEveryChoiceAndClearsSilently)
{
    TDBLookupComboBox* combo = picker(*kat, "Kategori");
    QSignalSpy chosen(combo, &TDBLookupComboBox::chosen);
    combo->chooseRow(1);
    combo->chooseRow(1);
    ASSERT_EQ(chosen.count(), 2);
    EXPECT_EQ(chosen.at(1).at(0).toString(), QStringLiteral("Drama"));
    EXPECT_EQ(combo->shownText(), QStringLiteral("Drama"));
    EXPECT_EQ(video->State(), DataSetState::Browse);
    combo->setKeyValue(QString());
    EXPECT_EQ(combo->shownText(), QString());
    EXPECT_EQ(chosen.count(), 2);
}

TEST_F(LookupComboBox, AChoiceInAnUnboundListLocatesTheListTable)
{
    addTape(QStringLiteral("0003-00"), QStringLiteral("Alfa"));
    video->SetIndexName(QStringLiteral("IndexTitel"));
    video->Last();
    TDBLookupComboBox* titles = picker(*video, "Titel");
    EXPECT_EQ(entries(*titles), (QStringList{"Alfa", "Alfa", "Beta"}));
    titles->chooseRow(1);
    // The first tape with exactly that title in the current order.
    EXPECT_EQ(text(*video, "TapeNr"), QStringLiteral("0001-00"));
    EXPECT_EQ(titles->shownText(), QStringLiteral("Alfa"));
}

TEST_F(LookupComboBox, KeysInTheClosedListStepFromTheShownValue)
{
    TDBLookupComboBox* combo = boundCategory();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(text(*video, "Kategori"), QStringLiteral("Komedie"));
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(text(*video, "Kategori"), QStringLiteral("Drama"));
}

TEST_F(LookupComboBox, AListOverAHundredThousandTapesReadsOnlyWhatItShows)
{
    fillTapes(100000);
    video->Close();
    video->Open();
    TDBLookupComboBox* titles = picker(*video, "Titel");
    window->show();
    titles->show();
    EXPECT_EQ(titles->listModel()->rowCount(), 100002);
    titles->showPopup();
    ASSERT_TRUE(titles->dropDownVisible());
    QCoreApplication::processEvents();
    video->Last();
    titles->chooseRow(titles->listModel()->rowCount() - 1);
    QCoreApplication::processEvents();
    EXPECT_LT(titles->listModel()->cellsRead(), 2000);
}

} // namespace

// The rows are records, not texts of a window: a localizer neither reads nor writes them,
// also after the list table grew (writing them back once looped for ever).
TEST_F(LookupComboBox, ItsRowsAreNoTranslatableItems)
{
    using locale::PropertyAccess;
    TDBLookupComboBox* combo = boundCategory();
    combo->setToolTip(QStringLiteral("Kategori"));
    EXPECT_EQ(PropertyAccess::Kind(combo, QStringLiteral("Items")), locale::PropertyKind::None);
    EXPECT_EQ(PropertyAccess::Kind(combo, QStringLiteral("Hint")), locale::PropertyKind::Text);
    EXPECT_TRUE(PropertyAccess::ReadPropertyText(combo, QStringLiteral("Items")).isEmpty());
    addLookup(*kat, QStringLiteral("Western"));
    PropertyAccess::SetList(combo, QStringLiteral("Items"), {"Action", "Drama"});
    EXPECT_EQ(entries(*combo),
              (QStringList{"Action", "Drama", "Komedie", "Western", QString::fromUtf8("Ø-film")}));
    EXPECT_EQ(kat->State(), DataSetState::Browse);
    EXPECT_EQ(video->State(), DataSetState::Browse);
}

TEST_F(LookupComboBox, AHugeEntryShowsCutAndIsChosenWhole)
{
    QString huge;
    while (huge.size() < 10 * 1024 * 1024)
        huge += QStringLiteral("Titel uden ende ");
    addTape(QStringLiteral("0003-00"), huge);
    video->First();
    TDBLookupComboBox* combo = picker(*video, "Titel");
    QSignalSpy chosen(combo, &TDBLookupComboBox::chosen);
    window->show();
    QElapsedTimer timer;
    timer.start();
    combo->setKeyValue(huge);
    window->grab();
    combo->showPopup();
    ASSERT_TRUE(combo->dropDownVisible());
    combo->dropDownView()->grab();

    const int row = combo->listModel()->rowOfKey(huge);
    ASSERT_GE(row, 0);
    const QModelIndex entry = combo->listModel()->index(row);
    EXPECT_EQ(combo->listModel()->data(entry, Qt::DisplayRole).toString(), huge.left(4000) + QChar(0x2026));
    EXPECT_EQ(combo->listModel()->data(entry, Qt::EditRole).toString(), huge);
    QListView* view = combo->dropDownView();
    view->scrollTo(entry);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(entry).center());
    EXPECT_EQ(combo->keyValue(), huge);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), huge);
    // Bounds whether the list works at all, not its speed.
    EXPECT_LT(timer.elapsed(), 120000);
}
