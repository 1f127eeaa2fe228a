// Edits, memos, data texts and date edits: showing the current record, starting the edit
// state, and handing the typed text to the field before a post or when left.
#include "ControlsFixture.h"
#include "dbctrls/DBCheckBox.h"
#include "dbctrls/DBDateEdit.h"
#include "dbctrls/DBEdit.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBMemo.h"
#include "dbctrls/DBText.h"
#include "engine/Field.h"

#include <QCalendarWidget>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

using namespace dbctrlstest;
using dbctrls::TDBDateEdit;
using dbctrls::TDBEdit;
using dbctrls::TDBMemo;
using dbctrls::TDBText;
using engine::DataSetState;

namespace {

class FieldControls : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        video = &open(QStringLiteral("Video.db"));
        addTape(QStringLiteral("0001-00"), QStringLiteral("Alfa"), {{"Start", "01:30"}});
        addTape(QStringLiteral("0002-00"), QStringLiteral("Beta"), {{"Start", "02:00"}});
        video->First();
        video->BeforePost = [this](engine::Table&) { ++posts; };
    }
    TDBEdit* edit(const char* field)
    {
        auto* control = new TDBEdit(window.get());
        control->setDataSource(sourceOf(*video));
        control->setDataField(QString::fromLatin1(field));
        control->show();
        return control;
    }
    /// The stored value of a tape, read after settling the table.
    QString stored(const QString& tapeNr, const char* field)
    {
        engine::Table& check = open(QStringLiteral("Video.db"));
        EXPECT_TRUE(check.Locate(QStringLiteral("TapeNr"), tapeNr));
        return text(check, field);
    }

    engine::Table* video = nullptr;
    int posts = 0;
};

TEST_F(FieldControls, AnEditShowsTheCurrentRecordAndFollowsMovesAndCode)
{
    TDBEdit* title = edit("Titel");
    EXPECT_EQ(title->text(), QStringLiteral("Alfa"));
    video->Next();
    EXPECT_EQ(title->text(), QStringLiteral("Beta"));
    setText(*video, "Titel", QStringLiteral("Gamma"));
    EXPECT_EQ(title->text(), QStringLiteral("Gamma"));
    video->Cancel();
    EXPECT_EQ(title->text(), QStringLiteral("Beta"));
    video->Close();
    EXPECT_EQ(title->text(), QString());
}

TEST_F(FieldControls, ControlsWaitWhileTheTableIsQuietAndCatchUpAtTheEnd)
{
    TDBEdit* title = edit("Titel");
    {
        engine::ControlsDisabled quiet(*video);
        video->Next();
        EXPECT_EQ(title->text(), QStringLiteral("Alfa"));
    }
    EXPECT_EQ(title->text(), QStringLiteral("Beta"));
}

TEST_F(FieldControls, ControlsBoundLaterHearOfAMoveFirstAndGridsLast)
{
    setText(*video, "Udlaan", QStringLiteral("Nej"));
    video->Post();
    video->Next();
    setText(*video, "Udlaan", QStringLiteral("Ja"));
    video->Post();
    video->First();
    auto* grid = new dbctrls::TDBGrid(window.get());
    grid->setDataSource(sourceOf(*video));
    TDBEdit* tapeNr = edit("TapeNr");
    auto* lent = new dbctrls::TDBCheckBox(window.get());
    lent->setValueChecked(QStringLiteral("Ja"));
    lent->setValueUnchecked(QStringLiteral("Nej"));
    lent->setDataSource(sourceOf(*video));
    lent->setDataField(QStringLiteral("Udlaan"));
    QStringList heard;
    QObject::connect(lent, &dbctrls::TDBCheckBox::clickedOrChanged, lent, [&] { heard << QStringLiteral("check box"); });
    QObject::connect(tapeNr, &QLineEdit::textChanged, tapeNr, [&] {
        heard << QStringLiteral("edit sees %1").arg(lent->checkState() == Qt::Checked ? "checked" : "unchecked");
    });
    QObject::connect(grid->gridModel(), &dbctrls::TDBGridModel::currentRowMoved, grid, [&] {
        heard << QStringLiteral("grid after %1").arg(tapeNr->text());
    });
    video->Next();
    EXPECT_EQ(heard, (QStringList{"check box", "edit sees checked", "grid after 0002-00"}));
}

TEST_F(FieldControls, TypingStartsTheEditStateAndAMovePostsTheTypedText)
{
    TDBEdit* title = edit("Titel");
    title->selectAll();
    QTest::keyClicks(title, QStringLiteral("Omega"));
    EXPECT_EQ(video->State(), DataSetState::Edit);
    EXPECT_TRUE(title->isModified());
    // The text is still only in the edit; the move writes it before it posts.
    EXPECT_EQ(text(*video, "Titel"), QStringLiteral("Alfa"));
    video->Next();
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(video->State(), DataSetState::Browse);
    EXPECT_EQ(stored(QStringLiteral("0001-00"), "Titel"), QStringLiteral("Omega"));
    EXPECT_EQ(title->text(), QStringLiteral("Beta"));
}

TEST_F(FieldControls, APostWritesThePendingTextFirst)
{
    TDBEdit* title = edit("Titel");
    title->selectAll();
    QTest::keyClicks(title, QStringLiteral("Delta"));
    video->Post();
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(stored(QStringLiteral("0001-00"), "Titel"), QStringLiteral("Delta"));
    EXPECT_FALSE(title->isModified());
}

TEST_F(FieldControls, AnUnchangedPendingEditIsDroppedByAMove)
{
    TDBEdit* title = edit("Titel");
    QTest::keyClick(title, Qt::Key_End);
    QTest::keyClicks(title, QStringLiteral("x"));
    QTest::keyClick(title, Qt::Key_Backspace);
    EXPECT_EQ(video->State(), DataSetState::Edit);
    video->Next();
    EXPECT_EQ(posts, 0);
    EXPECT_EQ(video->State(), DataSetState::Browse);
    EXPECT_EQ(stored(QStringLiteral("0001-00"), "Titel"), QStringLiteral("Alfa"));
}

TEST_F(FieldControls, TypingIntoAnEmptyTableInsertsARecord)
{
    engine::Table& cast = open(QStringLiteral("Medvirker.db"));
    auto* actor = new TDBEdit(window.get());
    actor->setDataSource(sourceOf(cast));
    actor->setDataField(QStringLiteral("Skuespiller"));
    QTest::keyClicks(actor, QStringLiteral("Bo"));
    EXPECT_EQ(cast.State(), DataSetState::Insert);
    EXPECT_EQ(actor->text(), QStringLiteral("Bo"));
    cast.Post();
    EXPECT_EQ(cast.RecordCount(), 1);
    EXPECT_EQ(text(cast, "Skuespiller"), QStringLiteral("Bo"));
}

TEST_F(FieldControls, LeavingTheEditWritesTheNormalizedTextAndReportsTheExit)
{
    showWindow();
    TDBEdit* start = edit("Start");
    TDBEdit* title = edit("Titel");
    start->setInputNormalizer([](const QString& typed) {
        return typed.size() == 4 ? typed.left(2) + QLatin1Char(':') + typed.mid(2) : typed;
    });
    QSignalSpy exits(start, &TDBEdit::exited);
    start->setFocus();
    start->selectAll();
    QTest::keyClicks(start, QStringLiteral("0245"));
    title->setFocus();
    EXPECT_EQ(exits.count(), 1);
    EXPECT_EQ(text(*video, "Start"), QStringLiteral("02:45"));
    EXPECT_EQ(start->text(), QStringLiteral("02:45"));
    EXPECT_FALSE(start->isModified());
    EXPECT_EQ(video->State(), DataSetState::Edit);
}

TEST_F(FieldControls, EscapeAndCancelDropTheTypedText)
{
    TDBEdit* title = edit("Titel");
    title->selectAll();
    QTest::keyClicks(title, QStringLiteral("Zeta"));
    QTest::keyClick(title, Qt::Key_Escape);
    EXPECT_EQ(title->text(), QStringLiteral("Alfa"));
    EXPECT_FALSE(title->isModified());

    title->selectAll();
    QTest::keyClicks(title, QStringLiteral("Eta"));
    video->Cancel();
    EXPECT_EQ(title->text(), QStringLiteral("Alfa"));
    video->Next();
    EXPECT_EQ(posts, 0);
}

TEST_F(FieldControls, NothingCanBeTypedWhileTheTableIsClosed)
{
    TDBEdit* title = edit("Titel");
    video->Close();
    QTest::keyClicks(title, QStringLiteral("abc"));
    EXPECT_EQ(title->text(), QString());
    EXPECT_FALSE(title->isModified());
}

TEST_F(FieldControls, ATextRefusedWhenLeavingStaysPendingWithTheMessage)
{
    showWindow();
    auto* recorded = new TDBDateEdit(window.get());
    recorded->setDataSource(sourceOf(*video));
    recorded->setDataField(QStringLiteral("OptagetDato"));
    recorded->show();
    TDBEdit* title = edit("Titel");
    recorded->setFocus();
    QTest::keyClicks(recorded, QStringLiteral("ikke en dato"));
    title->setFocus();
    EXPECT_EQ(takeErrors().size(), 1);
    EXPECT_TRUE(recorded->isModified());
    EXPECT_EQ(recorded->text(), QStringLiteral("ikke en dato"));
    EXPECT_TRUE(video->FieldByName(QStringLiteral("OptagetDato")).IsNull());
}

TEST_F(FieldControls, AMemoKeepsLinesAndIsPostedByAMove)
{
    auto* memo = new TDBMemo(window.get());
    memo->setDataSource(sourceOf(*video));
    memo->setDataField(QStringLiteral("Indhold"));
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QTest::keyClicks(memo, QStringLiteral("Linje et"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("Linje to"));
    EXPECT_EQ(video->State(), DataSetState::Edit);
    video->Next();
    EXPECT_EQ(memo->toPlainText(), QString());
    video->First();
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Linje et\nLinje to"));
    EXPECT_EQ(posts, 1);
}

TEST_F(FieldControls, ADataTextShowsTheFieldAndKeepsItsWidthAsATextLabel)
{
    auto* title = new TDBText(window.get());
    title->setDataSource(sourceOf(*video));
    title->setDataField(QStringLiteral("Titel"));
    EXPECT_EQ(title->text(), QStringLiteral("Alfa"));
    EXPECT_TRUE(title->property("spkTextLabel").toBool());
    setText(*video, "Titel", QStringLiteral("<b>Fed</b>"));
    EXPECT_EQ(title->text(), QStringLiteral("<b>Fed</b>"));
    EXPECT_EQ(title->textFormat(), Qt::PlainText);
    video->Cancel();
    video->Last();
    EXPECT_EQ(title->text(), QStringLiteral("Beta"));
}

TEST_F(FieldControls, ADateChosenInTheCalendarIsWrittenAndShownInTheShortFormat)
{
    auto* recorded = new TDBDateEdit(window.get());
    recorded->setDataSource(sourceOf(*video));
    recorded->setDataField(QStringLiteral("OptagetDato"));
    EXPECT_EQ(recorded->text(), QString());
    recorded->showCalendar();
    EXPECT_TRUE(recorded->calendarVisible());
    const QDate day(2003, 4, 17);
    recorded->calendar()->setSelectedDate(day);
    emit recorded->calendar()->clicked(day);
    EXPECT_FALSE(recorded->calendarVisible());
    EXPECT_EQ(video->State(), DataSetState::Edit);
    const QString shown = QLocale().toString(day, QLocale::ShortFormat);
    EXPECT_EQ(recorded->text(), shown);
    EXPECT_EQ(text(*video, "OptagetDato"), shown);
    EXPECT_EQ(recorded->date(), day);
    video->Post();
    EXPECT_EQ(stored(QStringLiteral("0001-00"), "OptagetDato"), shown);
}

TEST_F(FieldControls, EmptyingADateStoresNull)
{
    setText(*video, "OptagetDato", QLocale().toString(QDate(2001, 2, 3), QLocale::ShortFormat));
    video->Post();
    showWindow();
    auto* recorded = new TDBDateEdit(window.get());
    recorded->setDataSource(sourceOf(*video));
    recorded->setDataField(QStringLiteral("OptagetDato"));
    recorded->show();
    TDBEdit* title = edit("Titel");
    EXPECT_EQ(recorded->date(), QDate(2001, 2, 3));
    recorded->setFocus();
    recorded->selectAll();
    QTest::keyClick(recorded, Qt::Key_Delete);
    title->setFocus();
    EXPECT_TRUE(video->FieldByName(QStringLiteral("OptagetDato")).IsNull());
    video->Post();
    EXPECT_EQ(stored(QStringLiteral("0001-00"), "OptagetDato"), QString());
}

} // namespace
