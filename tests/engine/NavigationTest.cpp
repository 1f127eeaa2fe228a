// Moving through a view: Eof/Bof, orders, filters, Locate, bookmarks and grid rows.
#include "EngineFixture.h"

#include "core/Errors.h"
#include "engine/Filter.h"

#include <QElapsedTimer>
#include <QFile>
#include <chrono>
#include <sqlite3.h>
#include <thread>

using namespace enginetest;

namespace {

const QString kVideo = QStringLiteral("Video.db");
const QString kCast = QStringLiteral("Medvirker.db");

class Moves : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        addTape(QStringLiteral("0002-00"), QStringLiteral("B"));
        addTape(QStringLiteral("0003-00"), QStringLiteral("C"));
        addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    }
    QString current(engine::Table& video) { return video.FieldByName(QStringLiteral("Titel")).AsString(); }
};

TEST_F(Moves, EofAndBofFollowTheDatasetRules)
{
    engine::Table& video = open(kVideo);
    EXPECT_EQ(current(video), QStringLiteral("A"));
    EXPECT_TRUE(video.Bof());
    EXPECT_FALSE(video.Eof());
    video.Next();
    EXPECT_EQ(current(video), QStringLiteral("B"));
    EXPECT_FALSE(video.Bof());
    video.Next();
    EXPECT_EQ(current(video), QStringLiteral("C"));
    EXPECT_FALSE(video.Eof());
    video.Next(); // passes the last record: Eof, and the last record stays current
    EXPECT_TRUE(video.Eof());
    EXPECT_EQ(current(video), QStringLiteral("C"));
    video.Prior();
    EXPECT_FALSE(video.Eof());
    EXPECT_EQ(current(video), QStringLiteral("B"));
    video.First();
    EXPECT_TRUE(video.Bof());
    video.Prior();
    EXPECT_TRUE(video.Bof());
    EXPECT_EQ(current(video), QStringLiteral("A"));
    video.Last();
    EXPECT_TRUE(video.Eof());
    EXPECT_FALSE(video.Bof());
    EXPECT_EQ(current(video), QStringLiteral("C"));
    video.First();
    EXPECT_FALSE(video.Eof());
}

TEST_F(Moves, WalkVisitsEveryRecordOnceInOrder)
{
    engine::Table& video = open(kVideo);
    EXPECT_EQ(walk(video, QStringLiteral("TapeNr")),
              (QStringList{QStringLiteral("0001-00"), QStringLiteral("0002-00"), QStringLiteral("0003-00")}));
}

TEST_F(Moves, EmptyViewIsBothBofAndEof)
{
    engine::Table& video = open(kVideo);
    video.SetFilter(QStringLiteral("Kategori = 'none'"));
    video.SetFiltered(true);
    EXPECT_TRUE(video.Bof());
    EXPECT_TRUE(video.Eof());
    video.First();
    EXPECT_TRUE(video.Eof());
    video.Last();
    EXPECT_TRUE(video.Bof());
    EXPECT_EQ(video.RecordCount(), 0);
    EXPECT_EQ(video.CurrentRow(), -1);
    EXPECT_EQ(current(video), QString());
}

TEST_F(Moves, ClosedTableRefusesMovesAndReadsEmpty)
{
    engine::Table& video = open(kVideo);
    video.Close();
    EXPECT_EQ(errorOf([&] { video.Next(); }), QStringLiteral("Cannot perform this operation on a closed dataset"));
    EXPECT_EQ(errorOf([&] { video.FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("x")); }),
              QStringLiteral("Cannot perform this operation on a closed dataset"));
    EXPECT_EQ(current(video), QString());
    EXPECT_EQ(video.RecordCount(), 0);
}

TEST_F(Moves, ReopeningShowsRowsAddedThroughAnotherComponent)
{
    engine::Table& video = open(kVideo);
    engine::Table& other = open(kVideo);
    other.Insert();
    other.FieldByName(QStringLiteral("TapeNr")).SetAsString(QStringLiteral("0004-00"));
    other.Post();
    EXPECT_EQ(video.RecordCount(), 3);
    video.Close();
    video.Open();
    EXPECT_EQ(video.RecordCount(), 4);
    EXPECT_EQ(current(video), QStringLiteral("A")); // the first record after Open
}

// ---- orders --------------------------------------------------------------------------------

class Orders : public EngineTest {};

TEST_F(Orders, TitleOrderIsDanishAndIgnoresCase)
{
    // Expected order: a-z with accents folded, then æ/ä, ø/ö, å; equal keys by plain value.
    const QStringList expected = {QStringLiteral("Abe"),  QStringLiteral("abe"),   QStringLiteral("Bæver"),
                                  QStringLiteral("Émile"), QStringLiteral("zorro"), QStringLiteral("Ægir"),
                                  QStringLiteral("Äpple"), QStringLiteral("ærø"),   QStringLiteral("Ødipus"),
                                  QStringLiteral("Öl"),    QStringLiteral("Østen"), QStringLiteral("Åen"),
                                  QStringLiteral("ålen")};
    const int shuffle[] = {7, 3, 11, 0, 9, 5, 12, 1, 8, 4, 10, 2, 6};
    for (int i = 0; i < expected.size(); ++i)
        addTape(QStringLiteral("%1-00").arg(i + 1, 4, 10, QLatin1Char('0')), expected.at(shuffle[i]));
    engine::Table& video = open(kVideo);
    video.SetIndexName(QStringLiteral("IndexTitel"));
    EXPECT_EQ(walk(video, QStringLiteral("Titel")), expected);
}

TEST_F(Orders, FourOrdersOfTheTapeTable)
{
    addTape(QStringLiteral("0003-00"), QStringLiteral("Casablanca"), QStringLiteral("Drama"), QStringLiteral("VHS"));
    addTape(QStringLiteral("0001-00"), QStringLiteral("Alien"), QStringLiteral("Science fiction"), QStringLiteral("DVD"));
    addTape(QStringLiteral("0004-00"), QStringLiteral("Brazil"), QStringLiteral("Komedie"), QStringLiteral("Betamax"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("Døden"), QStringLiteral("action"), QStringLiteral("VHS"));
    engine::Table& video = open(kVideo);
    struct Case {
        QString index;
        QStringList tapes;
    };
    const Case cases[] = {
        {QString(), {"0001-00", "0002-00", "0003-00", "0004-00"}},
        {QStringLiteral("IndexTitel"), {"0001-00", "0004-00", "0003-00", "0002-00"}},
        {QStringLiteral("IndexKategori"), {"0002-00", "0003-00", "0004-00", "0001-00"}},
        {QStringLiteral("IndexType"), {"0004-00", "0001-00", "0003-00", "0002-00"}},
    };
    for (const Case& c : cases) {
        video.SetIndexName(c.index);
        EXPECT_EQ(video.IndexName(), c.index);
        EXPECT_EQ(walk(video, QStringLiteral("TapeNr")), c.tapes) << c.index.toStdString();
    }
}

TEST_F(Orders, SwitchingOrderKeepsTheCurrentRecord)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Zulu"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("Alfa"));
    engine::Table& video = open(kVideo);
    EXPECT_EQ(video.FieldByName(QStringLiteral("Titel")).AsString(), QStringLiteral("Zulu"));
    video.SetIndexName(QStringLiteral("IndexTitel"));
    EXPECT_EQ(video.FieldByName(QStringLiteral("Titel")).AsString(), QStringLiteral("Zulu"));
    EXPECT_EQ(video.CurrentRow(), 1);
}

TEST_F(Orders, AnOrderReadAheadShowsAnotherProgramsTapeAddedSince)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Zulu"));
    engine::Table& video = open(kVideo);
    video.ReadOrderAhead(QStringLiteral("IndexTitel"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("Alfa"));
    video.SetIndexName(QStringLiteral("IndexTitel"));
    EXPECT_EQ(walk(video, QStringLiteral("Titel")), (QStringList{QStringLiteral("Alfa"), QStringLiteral("Zulu")}));
}

// Nobody waits for an order read ahead: a locked file fails it at once, and the reads asked
// for still wait for the lock as before.
TEST_F(Orders, AnOrderReadAheadOfALockedFileFailsAtOnceAndReadsStillWait)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Zulu"));
    engine::Table& video = open(kVideo);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(file(kVideo)).constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    QElapsedTimer waited;
    waited.start();
    EXPECT_THROW(video.ReadOrderAhead(QStringLiteral("IndexTitel")), core::EDatabaseError);
    EXPECT_LT(waited.elapsed(), 2500); // a read asked for waits 5 s
    std::thread release([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    });
    EXPECT_NO_THROW(video.SetIndexName(QStringLiteral("IndexTitel")));
    release.join();
    sqlite3_close(other);
    EXPECT_EQ(walk(video, QStringLiteral("Titel")), QStringList{QStringLiteral("Zulu")});
}

TEST_F(Orders, UnknownIndexIsNamedAndChangesNothing)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Zulu"));
    engine::Table& video = open(kVideo);
    video.SetIndexName(QStringLiteral("IndexTitel"));
    const QString message = errorOf([&] { video.SetIndexName(QStringLiteral("IndexNope")); });
    EXPECT_TRUE(message.contains(QStringLiteral("IndexNope"))) << message.toStdString();
    EXPECT_EQ(video.IndexName(), QStringLiteral("IndexTitel"));
}

TEST_F(Orders, IndexFieldNamesOrdersByTheFieldThenRowId)
{
    addCast(QStringLiteral("0002-00"), QStringLiteral("b1"));
    addCast(QStringLiteral("0001-00"), QStringLiteral("a1"));
    addCast(QStringLiteral("0002-00"), QStringLiteral("b2"));
    addCast(QStringLiteral("0001-00"), QStringLiteral("a2"));
    engine::Table& cast = table(kCast);
    cast.SetIndexFieldNames(QStringLiteral("TAPENR"));
    cast.Open();
    EXPECT_EQ(walk(cast, QStringLiteral("Skuespiller")),
              (QStringList{QStringLiteral("a1"), QStringLiteral("a2"), QStringLiteral("b1"), QStringLiteral("b2")}));
}

TEST_F(Orders, TableWithoutPrimaryKeyIndexKeepsInsertionOrder)
{
    addCast(QStringLiteral("0002-00"), QStringLiteral("first"));
    addCast(QStringLiteral("0001-00"), QStringLiteral("second"));
    engine::Table& cast = open(kCast);
    EXPECT_EQ(walk(cast, QStringLiteral("Skuespiller")), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
}

TEST_F(Orders, EveryOrderQueryIsServedByItsIndex)
{
    engine::Table& video = open(kVideo);
    engine::Table& lookups = table(QStringLiteral("Kategori.db"));
    createCatalogueFile(dataDir(), QStringLiteral("Kategori.db"));
    lookups.Open();
    struct Case {
        engine::Table* table;
        QString index;
        QString filter;
        QString usedIndex;
    };
    const Case cases[] = {
        {&video, QString(), QString(), QStringLiteral("PrimaryKey")},
        {&video, QStringLiteral("IndexTitel"), QString(), QStringLiteral("IndexTitel")},
        {&video, QStringLiteral("IndexKategori"), QString(), QStringLiteral("IndexKategori")},
        {&video, QStringLiteral("IndexType"), QString(), QStringLiteral("IndexType")},
        {&video, QStringLiteral("IndexKategori"), QStringLiteral("Kategori = 'Drama'"), QStringLiteral("IndexKategori")},
        {&video, QStringLiteral("IndexType"), QStringLiteral("Type = 'VHS'"), QStringLiteral("IndexType")},
        // The overview's selections in tape-number order: one index finds and orders them.
        {&video, QString(), QStringLiteral("Kategori = 'Drama'"), QStringLiteral("SelectKategori")},
        {&video, QString(), QStringLiteral("Type = 'VHS'"), QStringLiteral("SelectType")},
        {&video, QString(), QStringLiteral("Instruktor = 'Lang'"), QStringLiteral("SelectInstruktor")},
        {&video, QString(), QStringLiteral("Optagetaf = 'Ole'"), QStringLiteral("SelectOptagetaf")},
        {&video, QString(), QStringLiteral("Udlaan = 'Ja'"), QStringLiteral("SelectUdlaan")},
        {&lookups, QString(), QString(), QStringLiteral("PrimaryKey")},
    };
    for (const Case& c : cases) {
        c.table->SetIndexName(c.index);
        c.table->SetFilter(c.filter);
        c.table->SetFiltered(!c.filter.isEmpty());
        const QString sql = c.table->viewSql();
        const QString plan = db().queryPlan(sql).join(QLatin1Char('\n'));
        EXPECT_FALSE(plan.contains(QStringLiteral("TEMP B-TREE"))) << sql.toStdString() << "\n" << plan.toStdString();
        EXPECT_TRUE(plan.contains(QStringLiteral("INDEX ") + c.usedIndex)) << sql.toStdString() << "\n" << plan.toStdString();
    }
}

TEST_F(Orders, CastLinkQueryUsesTheTapeNumberIndex)
{
    engine::Table& video = open(kVideo);
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    video.Refresh();
    engine::DataSource source(&video);
    engine::Table& cast = table(kCast);
    cast.SetMasterSource(&source);
    cast.SetMasterFields(QStringLiteral("Tapenr"));
    cast.SetIndexFieldNames(QStringLiteral("Tapenr"));
    cast.Open();
    const QString plan = db().queryPlan(cast.viewSql()).join(QLatin1Char('\n'));
    EXPECT_FALSE(plan.contains(QStringLiteral("TEMP B-TREE"))) << plan.toStdString();
    EXPECT_TRUE(plan.contains(QStringLiteral("IndexTapenr"))) << plan.toStdString();
}

// ---- filters -------------------------------------------------------------------------------

class Filters : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        addTape(QStringLiteral("0001-00"), QStringLiteral("Alien"), QStringLiteral("Drama"));
        addTape(QStringLiteral("0002-00"), QStringLiteral("Brazil"), QStringLiteral("drama"));
        addTape(QStringLiteral("0003-00"), QStringLiteral("Casablanca"), QStringLiteral("Drama"));
        addTape(QStringLiteral("0004-00"), QStringLiteral("Dune"), QStringLiteral("Dramatik"));
        addTape(QStringLiteral("0005-00"), QStringLiteral("Eraser"), QStringLiteral("O'Brien"));
        addTape(QStringLiteral("0006-00"), QStringLiteral("Fargo"));
    }
    QStringList tapes(engine::Table& video) { return walk(video, QStringLiteral("TapeNr")); }
};

TEST_F(Filters, ExactCaseSensitiveAndOnlyWhileFiltered)
{
    engine::Table& video = open(kVideo);
    video.SetFilter(QStringLiteral("Kategori = 'Drama'"));
    EXPECT_EQ(video.RecordCount(), 6); // not yet applied
    video.SetFiltered(true);
    EXPECT_EQ(tapes(video), (QStringList{QStringLiteral("0001-00"), QStringLiteral("0003-00")}));
    EXPECT_EQ(video.RecordCount(), 2);
    video.SetFiltered(false);
    EXPECT_EQ(video.RecordCount(), 6);
    EXPECT_EQ(video.Filter(), QStringLiteral("Kategori = 'Drama'"));
}

TEST_F(Filters, ChangingTheFilterGoesToTheFirstRecord)
{
    engine::Table& video = open(kVideo);
    video.Last();
    video.SetFiltered(true);
    video.SetFilter(QStringLiteral("Kategori = 'Drama'"));
    EXPECT_EQ(video.FieldByName(QStringLiteral("TapeNr")).AsString(), QStringLiteral("0001-00"));
    EXPECT_TRUE(video.Bof());
}

TEST_F(Filters, FieldNameIgnoresCaseAndValueWithQuoteWorks)
{
    engine::Table& video = open(kVideo);
    video.SetFiltered(true);
    video.SetFilter(engine::makeFilter(QStringLiteral("kategori"), QStringLiteral("O'Brien")));
    EXPECT_EQ(tapes(video), QStringList{QStringLiteral("0005-00")});
}

TEST_F(Filters, EmptyValueSelectsRecordsWithoutOne)
{
    engine::Table& video = open(kVideo);
    video.SetFilter(QStringLiteral("Kategori = ''"));
    video.SetFiltered(true);
    EXPECT_EQ(tapes(video), QStringList{QStringLiteral("0006-00")});
}

TEST_F(Filters, MalformedOrUnknownFieldIsRefusedAndTheOldFilterStays)
{
    engine::Table& video = open(kVideo);
    video.SetFilter(QStringLiteral("Kategori = 'Drama'"));
    video.SetFiltered(true);
    const QString malformed = QStringLiteral("Kategori = 'O'Brien'");
    EXPECT_TRUE(errorOf([&] { video.SetFilter(malformed); }).contains(malformed));
    EXPECT_EQ(errorOf([&] { video.SetFilter(QStringLiteral("Nope = 'x'")); }), QStringLiteral("Field 'Nope' not found"));
    EXPECT_EQ(video.Filter(), QStringLiteral("Kategori = 'Drama'"));
    EXPECT_EQ(video.RecordCount(), 2);
}

TEST_F(Filters, MalformedFilterIsRefusedWhenSwitchedOn)
{
    engine::Table& video = open(kVideo);
    video.SetFilter(QStringLiteral("Kategori = Drama"));
    EXPECT_FALSE(errorOf([&] { video.SetFiltered(true); }).isEmpty());
    EXPECT_FALSE(video.Filtered());
    EXPECT_EQ(video.RecordCount(), 6);
}

// ---- Locate --------------------------------------------------------------------------------

TEST_F(Filters, LocateIsExactCaseSensitiveAndFirstInOrder)
{
    engine::Table& video = open(kVideo);
    video.SetIndexName(QStringLiteral("IndexTitel"));
    video.Last();
    struct Case {
        QString field;
        QString value;
        QString found; // tape number, or "" for not found
    };
    const Case cases[] = {
        {QStringLiteral("Kategori"), QStringLiteral("Drama"), QStringLiteral("0001-00")},
        {QStringLiteral("kategori"), QStringLiteral("drama"), QStringLiteral("0002-00")},
        {QStringLiteral("Kategori"), QStringLiteral("DRAMA"), QString()},
        {QStringLiteral("Kategori"), QStringLiteral("Dram"), QString()},
        {QStringLiteral("Titel"), QStringLiteral("Casablanca"), QStringLiteral("0003-00")},
        {QStringLiteral("Titel"), QStringLiteral("casablanca"), QString()},
        {QStringLiteral("TapeNr"), QStringLiteral("0005-00"), QStringLiteral("0005-00")},
        {QStringLiteral("Kategori"), QStringLiteral("O'Brien"), QStringLiteral("0005-00")},
    };
    for (const Case& c : cases) {
        video.Last();
        const bool found = video.Locate(c.field, c.value);
        EXPECT_EQ(found, !c.found.isEmpty()) << c.value.toStdString();
        const QString expected = found ? c.found : QStringLiteral("0006-00");
        EXPECT_EQ(video.FieldByName(QStringLiteral("TapeNr")).AsString(), expected) << c.value.toStdString();
    }
    EXPECT_EQ(errorOf([&] { video.Locate(QStringLiteral("Nope"), QStringLiteral("x")); }), QStringLiteral("Field 'Nope' not found"));
}

TEST_F(Filters, LocateStaysWithinTheFilter)
{
    engine::Table& video = open(kVideo);
    video.SetFilter(QStringLiteral("Kategori = 'Drama'"));
    video.SetFiltered(true);
    EXPECT_FALSE(video.Locate(QStringLiteral("TapeNr"), QStringLiteral("0004-00")));
    EXPECT_TRUE(video.Locate(QStringLiteral("TapeNr"), QStringLiteral("0003-00")));
    EXPECT_EQ(video.CurrentRow(), 1);
}

TEST_F(Filters, LocateOfAnEmptyValueFindsARecordWithout)
{
    engine::Table& video = open(kVideo);
    EXPECT_TRUE(video.Locate(QStringLiteral("Kategori"), QString()));
    EXPECT_EQ(video.FieldByName(QStringLiteral("TapeNr")).AsString(), QStringLiteral("0006-00"));
}

TEST_F(Orders, LookupValuesDifferingInCaseAreTwoValuesAndExactDuplicatesAreRefused)
{
    createCatalogueFile(dataDir(), QStringLiteral("Kategori.db"));
    engine::Table& categories = open(QStringLiteral("Kategori.db"));
    engine::Field& value = categories.FieldByName(QStringLiteral("Kategori"));
    for (const char* name : {"Drama", "drama", "Ærlig", "action"}) {
        categories.Insert();
        value.SetAsString(QString::fromUtf8(name));
        categories.Post();
    }
    categories.Insert();
    value.SetAsString(QStringLiteral("Drama"));
    EXPECT_EQ(errorOf([&] { categories.Post(); }), QStringLiteral("Key violation."));
    categories.Cancel();
    EXPECT_EQ(walk(categories, QStringLiteral("Kategori")),
              (QStringList{QStringLiteral("action"), QStringLiteral("Drama"), QStringLiteral("drama"), QString::fromUtf8("Ærlig")}));
    EXPECT_TRUE(categories.Locate(QStringLiteral("Kategori"), QStringLiteral("drama")));
    EXPECT_EQ(value.AsString(), QStringLiteral("drama"));
    EXPECT_FALSE(categories.Locate(QStringLiteral("Kategori"), QStringLiteral("DRAMA")));
    EXPECT_TRUE(categories.Locate(QStringLiteral("Kategori"), QString::fromUtf8("Ærlig")));
    EXPECT_FALSE(categories.Locate(QStringLiteral("Kategori"), QString::fromUtf8("ærlig")));
}

TEST_F(Orders, UnknownOrderFieldIsRefusedAndTheOrderStays)
{
    addTape(QStringLiteral("0002-00"), QStringLiteral("A"));
    addTape(QStringLiteral("0001-00"), QStringLiteral("B"));
    engine::Table& video = open(kVideo);
    video.SetIndexName(QStringLiteral("IndexTitel"));
    EXPECT_EQ(errorOf([&] { video.SetIndexFieldNames(QStringLiteral("Nope")); }), QStringLiteral("Field 'Nope' not found"));
    EXPECT_EQ(video.IndexName(), QStringLiteral("IndexTitel"));
    EXPECT_EQ(video.IndexFieldNames(), QString());
    EXPECT_EQ(walk(video, QStringLiteral("Titel")), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
}

TEST_F(Moves, AnotherComponentsChangeIsSeenAtOnce)
{
    engine::Table& video = open(kVideo);
    engine::Table& other = open(kVideo);
    other.FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("Changed"));
    other.Post();
    EXPECT_EQ(current(video), QStringLiteral("Changed"));
    EXPECT_EQ(video.DisplayText(0, video.FieldByName(QStringLiteral("Titel")).Index()), QStringLiteral("Changed"));
}

// ---- bookmarks -----------------------------------------------------------------------------

TEST_F(Moves, BookmarkReturnsToItsRecord)
{
    engine::Table& video = open(kVideo);
    video.Next();
    const engine::Table::Bookmark mark = video.GetBookmark();
    EXPECT_TRUE(video.BookmarkValid(mark));
    video.Last();
    video.GotoBookmark(mark);
    EXPECT_EQ(current(video), QStringLiteral("B"));
    video.FreeBookmark(mark);
}

TEST_F(Moves, VanishedRowReadsAbsentAndItsBookmarkLeavesTheCursor)
{
    engine::Table& video = open(kVideo);
    engine::Table& other = open(kVideo);
    video.Next();
    const engine::Table::Bookmark mark = video.GetBookmark();
    video.Last();
    other.Next();
    other.Delete(); // B, through another component of the same file
    EXPECT_FALSE(video.BookmarkValid(mark));
    video.GotoBookmark(mark);
    EXPECT_EQ(current(video), QStringLiteral("C"));
    video.Prior(); // the view still holds B's row id: it reads as an empty record
    EXPECT_EQ(current(video), QString());
    EXPECT_EQ(video.DisplayText(1, 1), QString());
    video.Refresh();
    EXPECT_EQ(video.RecordCount(), 2);
}

// ---- rows for grids ------------------------------------------------------------------------

TEST_F(Moves, GridRowsReadWithoutMovingOrTelling)
{
    engine::Table& video = open(kVideo);
    engine::DataSource source(&video);
    QStringList log;
    RecordingLink link(QStringLiteral("grid"), log, engine::DataLink::Kind::Grid);
    link.setDataSource(&source);
    log.clear();
    const int title = video.FieldByName(QStringLiteral("Titel")).Index();
    EXPECT_EQ(video.RowCount(), 3);
    EXPECT_EQ(video.DisplayText(2, title), QStringLiteral("C"));
    EXPECT_EQ(video.DisplayText(1, title), QStringLiteral("B"));
    EXPECT_EQ(video.DisplayText(3, title), QString());
    EXPECT_EQ(video.CurrentRow(), 0);
    EXPECT_TRUE(log.isEmpty()) << log.join(' ').toStdString();
    video.MoveToRow(2);
    EXPECT_EQ(current(video), QStringLiteral("C"));
    EXPECT_EQ(log, QStringList{QStringLiteral("grid:scrolled")});
}

TEST_F(Moves, FindRowTestsOneFieldFromARowOnWithoutMovingOrTelling)
{
    engine::Table& video = open(kVideo);
    engine::DataSource source(&video);
    QStringList log;
    RecordingLink grid(QStringLiteral("grid"), log, engine::DataLink::Kind::Grid);
    grid.setDataSource(&source);
    const int title = video.FieldByName(QStringLiteral("Titel")).Index();
    const auto is = [](const char* text) { return [text](const QString& value) { return value == QLatin1String(text); }; };
    log.clear();
    EXPECT_EQ(video.FindRow(0, title, is("C")), 2);
    EXPECT_EQ(video.FindRow(2, title, is("C")), 2);
    EXPECT_EQ(video.FindRow(1, title, is("A")), -1);
    EXPECT_EQ(video.FindRow(0, 99, is("A")), -1);
    EXPECT_EQ(video.CurrentRow(), 0);
    EXPECT_TRUE(log.isEmpty()) << log.join(' ').toStdString();
    // The record being edited is tested as typed; an inserted one has its row.
    video.FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("typed"));
    EXPECT_EQ(video.FindRow(0, title, is("typed")), 0);
    EXPECT_EQ(video.FindRow(0, title, is("A")), -1);
    video.Cancel();
    video.Last();
    video.Insert();
    video.FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("new"));
    EXPECT_EQ(video.FindRow(0, title, is("new")), 2);
    EXPECT_EQ(video.FindRow(0, title, is("C")), 3);
}

TEST_F(Orders, LargeViewReadsAnyRowAndMovesThere)
{
    execOn(file(kVideo), QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
                                        "INSERT INTO Video(TapeNr, Titel) SELECT printf('%05d-00', i), 'T' || i FROM n"));
    engine::Table& video = open(kVideo);
    EXPECT_EQ(video.RowCount(), 20000);
    const int title = video.FieldByName(QStringLiteral("Titel")).Index();
    EXPECT_EQ(video.DisplayText(19999, title), QStringLiteral("T20000"));
    EXPECT_EQ(video.DisplayText(10000, title), QStringLiteral("T10001"));
    video.MoveToRow(15000);
    EXPECT_EQ(video.FieldByName(QStringLiteral("TapeNr")).AsString(), QStringLiteral("15001-00"));
    EXPECT_TRUE(video.Locate(QStringLiteral("Titel"), QStringLiteral("T77")));
    EXPECT_EQ(video.CurrentRow(), 76);
}

TEST_F(Orders, ASearchOfALargeViewFindsTheFirstMatchInViewOrder)
{
    // Titles run against the row ids, every seventh tape is in category A, and the titles
    // "T...7" recur: long stretches, dense and sparse, in and against the store's order.
    execOn(file(kVideo), QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
                                        "INSERT INTO Video(TapeNr, Titel, Kategori) SELECT printf('%05d-00', i), "
                                        "'T' || (30000 - i), CASE WHEN i % 7 = 0 THEN 'A' ELSE 'B' END FROM n"));
    engine::Table& video = open(kVideo);
    const int title = video.FieldByName(QStringLiteral("Titel")).Index();
    struct Case {
        QString index;
        bool onlyA;
        int from;
        QString wanted;
    };
    const Case cases[] = {
        {QString(), false, 0, QStringLiteral("T10001")},          {QString(), false, 3, QStringLiteral("7")},
        {QStringLiteral("IndexTitel"), false, 0, QStringLiteral("T29999")},
        {QStringLiteral("IndexTitel"), false, 500, QStringLiteral("7")}, {QString(), true, 0, QStringLiteral("T10003")},
        {QStringLiteral("IndexTitel"), true, 100, QStringLiteral("T2")}, {QString(), false, 0, QStringLiteral("none")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.index + QLatin1Char(' ') + c.wanted).toStdString());
        video.SetIndexName(c.index);
        video.SetFilter(QStringLiteral("Kategori = 'A'"));
        video.SetFiltered(c.onlyA);
        const auto test = [&c](const QString& value) { return value.contains(c.wanted); };
        int expected = -1;
        for (int row = c.from; row < video.RowCount() && expected < 0; ++row)
            if (test(video.DisplayText(row, title)))
                expected = row;
        EXPECT_EQ(video.FindRow(c.from, title, test), expected);
    }
}

} // namespace
