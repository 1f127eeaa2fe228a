// Insert, Edit, Post, Cancel and Delete: states, events, errors and what reaches the file.
#include "EngineFixture.h"

#include "core/Errors.h"
#include "data/FieldTable.h"
#include "data/Schema.h"
#include "engine/TableMeta.h"

#include <QFileInfo>
#include <QLocale>
#include <random>

using namespace enginetest;

namespace {

const QString kVideo = QStringLiteral("Video.db");
const QString kCast = QStringLiteral("Medvirker.db");

class Editing : public EngineTest {
protected:
    engine::Table& video()
    {
        if (!video_) {
            video_ = &open(kVideo);
            const auto record = [this](const char* name) {
                return [this, name](engine::Table& t) {
                    events << QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(int(t.State()));
                };
            };
            video_->BeforeInsert = record("BeforeInsert");
            video_->AfterInsert = record("AfterInsert");
            video_->BeforeEdit = record("BeforeEdit");
            video_->BeforePost = record("BeforePost");
            video_->AfterPost = record("AfterPost");
            video_->BeforeDelete = record("BeforeDelete");
            video_->AfterDelete = record("AfterDelete");
            video_->BeforeCancel = record("BeforeCancel");
        }
        return *video_;
    }
    engine::Field& field(const char* name) { return video().FieldByName(QLatin1String(name)); }
    QString tape() { return field("TapeNr").AsString(); }
    void insertTape(const QString& tapeNr, const QString& title = QString())
    {
        video().Insert();
        field("TapeNr").SetAsString(tapeNr);
        if (!title.isNull())
            field("Titel").SetAsString(title);
    }

    QStringList events;

private:
    engine::Table* video_ = nullptr;
};

constexpr int kBrowse = int(engine::DataSetState::Browse);
constexpr int kEdit = int(engine::DataSetState::Edit);
constexpr int kInsert = int(engine::DataSetState::Insert);

TEST_F(Editing, InsertSitsAtTheCursorUntilPostedThenTakesItsPlace)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    addTape(QStringLiteral("0005-00"), QStringLiteral("E"));
    addTape(QStringLiteral("0009-00"), QStringLiteral("I"));
    video().Next();
    insertTape(QStringLiteral("0007-00"), QStringLiteral("G"));
    EXPECT_EQ(video().State(), engine::DataSetState::Insert);
    EXPECT_EQ(video().CurrentRow(), 1);
    EXPECT_EQ(video().RowCount(), 4);
    EXPECT_EQ(video().RecordCount(), 3);
    const int title = field("Titel").Index();
    EXPECT_EQ(video().DisplayText(1, title), QStringLiteral("G"));
    EXPECT_EQ(video().DisplayText(2, title), QStringLiteral("E"));
    video().Post();
    EXPECT_EQ(video().State(), engine::DataSetState::Browse);
    EXPECT_EQ(tape(), QStringLiteral("0007-00"));
    EXPECT_EQ(video().CurrentRow(), 2);
    EXPECT_EQ(walk(video(), QStringLiteral("Titel")),
              (QStringList{QStringLiteral("A"), QStringLiteral("E"), QStringLiteral("G"), QStringLiteral("I")}));
    EXPECT_EQ(countOf(kVideo, QStringLiteral("TapeNr = '0007-00' AND Titel = 'G'")), 1);
    EXPECT_EQ(events, (QStringList{QStringLiteral("BeforeInsert(1)"), QStringLiteral("AfterInsert(3)"),
                                   QStringLiteral("BeforePost(3)"), QStringLiteral("AfterPost(1)")}));
}

TEST_F(Editing, EditChangesOnlyTheRecordAndFiresItsEvents)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"), QStringLiteral("Drama"));
    video().Edit();
    EXPECT_EQ(video().State(), engine::DataSetState::Edit);
    EXPECT_FALSE(video().Modified());
    field("Titel").SetAsString(QStringLiteral("Alien"));
    EXPECT_TRUE(video().Modified());
    video().Post();
    EXPECT_FALSE(video().Modified());
    EXPECT_EQ(countOf(kVideo, QStringLiteral("Titel = 'Alien' AND Kategori = 'Drama'")), 1);
    EXPECT_EQ(events, (QStringList{QStringLiteral("BeforeEdit(1)"), QStringLiteral("BeforePost(2)"),
                                   QStringLiteral("AfterPost(1)")}));
}

TEST_F(Editing, WritingAFieldWhileBrowsingStartsAnEdit)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    field("Titel").SetAsString(QStringLiteral("B"));
    EXPECT_EQ(video().State(), engine::DataSetState::Edit);
    EXPECT_EQ(events, QStringList{QStringLiteral("BeforeEdit(1)")});
}

TEST_F(Editing, EditOnAnEmptyTableInserts)
{
    video().Edit();
    EXPECT_EQ(video().State(), engine::DataSetState::Insert);
    EXPECT_EQ(events, (QStringList{QStringLiteral("BeforeInsert(1)"), QStringLiteral("AfterInsert(3)")}));
    EXPECT_EQ(video().RowCount(), 1);
    EXPECT_EQ(video().RecordCount(), 0);
}

TEST_F(Editing, PostInBrowseStateDoesNothing)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    video().Post();
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(Editing, CancelDropsAnInsertAndRestoresAnEdit)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("B"));
    video().Next();
    insertTape(QStringLiteral("0009-00"));
    video().Cancel();
    EXPECT_EQ(video().State(), engine::DataSetState::Browse);
    EXPECT_EQ(video().RowCount(), 2);
    EXPECT_EQ(tape(), QStringLiteral("0002-00"));
    field("Titel").SetAsString(QStringLiteral("changed"));
    video().Cancel();
    EXPECT_EQ(field("Titel").AsString(), QStringLiteral("B"));
    EXPECT_EQ(countOf(kVideo), 2);
    EXPECT_EQ(countOf(kVideo, QStringLiteral("Titel = 'changed'")), 0);
}

TEST_F(Editing, MovePostsAChangedRecordAndCancelsAnUnchangedOne)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("B"));
    video().Insert(); // nothing typed: the move drops it
    video().Next();
    EXPECT_EQ(countOf(kVideo), 2);
    EXPECT_EQ(video().RowCount(), 2);
    EXPECT_EQ(tape(), QStringLiteral("0002-00"));
    field("Titel").SetAsString(QStringLiteral("Bee")); // changed: the move writes it
    video().First();
    EXPECT_EQ(video().State(), engine::DataSetState::Browse);
    EXPECT_EQ(tape(), QStringLiteral("0001-00"));
    EXPECT_EQ(countOf(kVideo, QStringLiteral("Titel = 'Bee'")), 1);
    insertTape(QStringLiteral("0003-00"), QStringLiteral("C"));
    EXPECT_TRUE(video().Locate(QStringLiteral("TapeNr"), QStringLiteral("0002-00")));
    EXPECT_EQ(countOf(kVideo), 3);
}

TEST_F(Editing, GridMoveAfterAnInsertGoesToTheRecordThatWasClicked)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("B"));
    addTape(QStringLiteral("0003-00"), QStringLiteral("C"));
    insertTape(QStringLiteral("0009-00"), QStringLiteral("Z")); // row 0 until posted
    video().MoveToRow(2);                                      // the row showing B
    EXPECT_EQ(tape(), QStringLiteral("0002-00"));
    EXPECT_EQ(video().RecordCount(), 4);
}

TEST_F(Editing, KeyViolationKeepsTheRecordInItsState)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    insertTape(QStringLiteral("0001-00"), QStringLiteral("Copy"));
    EXPECT_EQ(errorOf([&] { video().Post(); }), QStringLiteral("Key violation."));
    EXPECT_EQ(video().State(), engine::DataSetState::Insert);
    EXPECT_EQ(field("Titel").AsString(), QStringLiteral("Copy"));
    EXPECT_EQ(countOf(kVideo), 1);
    field("TapeNr").SetAsString(QStringLiteral("0002-00"));
    video().Post();
    EXPECT_EQ(countOf(kVideo), 2);
}

TEST_F(Editing, KeyViolationOnAnEditIsRefusedToo)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("B"));
    video().Last();
    field("TapeNr").SetAsString(QStringLiteral("0001-00"));
    EXPECT_EQ(errorOf([&] { video().Post(); }), QStringLiteral("Key violation."));
    EXPECT_EQ(video().State(), engine::DataSetState::Edit);
    EXPECT_EQ(countOf(kVideo, QStringLiteral("TapeNr = '0002-00'")), 1);
}

TEST_F(Editing, MissingRequiredValueNamesTheField)
{
    video().Insert();
    field("Titel").SetAsString(QStringLiteral("No number"));
    EXPECT_EQ(errorOf([&] { video().Post(); }), QStringLiteral("Field 'TapeNr' must have a value"));
    EXPECT_EQ(video().State(), engine::DataSetState::Insert);
}

TEST_F(Editing, BeforePostErrorLeavesTheRecordUnwrittenAndInItsState)
{
    video().BeforePost = [](engine::Table& t) {
        t.FieldByName(QStringLiteral("Varighed")).SetAsString(QStringLiteral("01:00:00"));
        throw core::EConvertError(QStringLiteral("'0130' is not a valid time"));
    };
    insertTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    EXPECT_EQ(errorOf([&] { video().Post(); }), QStringLiteral("'0130' is not a valid time"));
    EXPECT_EQ(video().State(), engine::DataSetState::Insert);
    EXPECT_EQ(field("Titel").AsString(), QStringLiteral("A"));
    EXPECT_EQ(countOf(kVideo), 0);
    EXPECT_EQ(db().scopeDepth(), 0);
}

TEST_F(Editing, BeforePostCanSetFieldsThatAreWritten)
{
    video().BeforePost = [](engine::Table& t) {
        t.FieldByName(QStringLiteral("Varighed")).SetAsString(QStringLiteral("01:15:00"));
    };
    insertTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    video().Post();
    EXPECT_EQ(countOf(kVideo, QStringLiteral("Varighed = '01:15:00'")), 1);
}

TEST_F(Editing, BeforePostThatCancelsWritesNothing)
{
    video().BeforePost = [](engine::Table& t) { t.Cancel(); };
    insertTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    video().Post();
    EXPECT_EQ(video().State(), engine::DataSetState::Browse);
    EXPECT_EQ(countOf(kVideo), 0);
    EXPECT_FALSE(events.contains(QStringLiteral("AfterPost(1)")));
}

TEST_F(Editing, AfterPostErrorLeavesTheRecordWritten)
{
    video().AfterPost = [](engine::Table&) { throw core::EDatabaseError(QStringLiteral("Key violation.")); };
    insertTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    EXPECT_EQ(errorOf([&] { video().Post(); }), QStringLiteral("Key violation."));
    EXPECT_EQ(video().State(), engine::DataSetState::Browse);
    EXPECT_EQ(countOf(kVideo), 1);
    EXPECT_EQ(db().scopeDepth(), 0);
}

TEST_F(Editing, PostedRecordOutsideTheFilterLeavesTheNearestCurrent)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"), QStringLiteral("Drama"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("B"), QStringLiteral("Drama"));
    addTape(QStringLiteral("0003-00"), QStringLiteral("C"), QStringLiteral("Drama"));
    video().SetFilter(QStringLiteral("Kategori = 'Drama'"));
    video().SetFiltered(true);
    video().Next();
    field("Kategori").SetAsString(QStringLiteral("Komedie"));
    video().Post();
    EXPECT_EQ(video().RecordCount(), 2);
    EXPECT_EQ(tape(), QStringLiteral("0003-00"));
    video().Last();
    field("Kategori").SetAsString(QStringLiteral("Komedie"));
    video().Post();
    EXPECT_EQ(tape(), QStringLiteral("0001-00")); // nothing after it: the new last
}

TEST_F(Editing, PostedRecordsTakeThePlaceAFullReadingGivesThem)
{
    // Titles that tie, differ in case or accents, or are missing; a filter some leave.
    const QStringList titles = {QStringLiteral("Alfa"), QStringLiteral("alfa"), QString::fromUtf8("Ålborg"),
                                QString::fromUtf8("Ærø"), QStringLiteral("Zulu"), QString(), QStringLiteral("Émile"),
                                QStringLiteral("Bravo"), QStringLiteral("bravo"), QString::fromUtf8("Øst")};
    std::mt19937 random(7);
    video().SetIndexName(QStringLiteral("IndexTitel"));
    for (int step = 0; step < 60; ++step) {
        SCOPED_TRACE(step);
        if (step == 30) {
            video().SetFilter(QStringLiteral("Kategori = 'Drama'"));
            video().SetFiltered(true);
        }
        if (video().RecordCount() == 0 || random() % 3 == 0) {
            insertTape(QStringLiteral("%1-00").arg(step + 1, 4, 10, QLatin1Char('0')));
            field("Kategori").SetAsString(QStringLiteral("Drama"));
        } else {
            video().MoveToRow(int(random() % unsigned(video().RecordCount())));
        }
        const QString tapeNr = tape();
        field("Titel").SetAsString(titles.at(int(random() % unsigned(titles.size()))));
        if (random() % 4 == 0)
            field("Kategori").SetAsString(QStringLiteral("Komedie"));
        const bool stays = field("Kategori").AsString() == QLatin1String("Drama") || !video().Filtered();
        video().Post();
        EXPECT_EQ(tape() == tapeNr, stays);
        const int row = video().CurrentRow();
        const QStringList placed = walk(video(), QStringLiteral("TapeNr"));
        video().Refresh();
        ASSERT_EQ(walk(video(), QStringLiteral("TapeNr")), placed);
        video().MoveToRow(row);
    }
}

TEST_F(Editing, EditOfAVanishedRecordIsRefusedOnPost)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    video();
    open(kVideo).Delete();
    field("Titel").SetAsString(QStringLiteral("B"));
    EXPECT_EQ(errorOf([&] { video().Post(); }), QStringLiteral("Record/key deleted."));
}

TEST_F(Editing, DeleteMakesTheNextRecordCurrentOrTheNewLast)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("B"));
    addTape(QStringLiteral("0003-00"), QStringLiteral("C"));
    video().Next();
    video().Delete();
    EXPECT_EQ(tape(), QStringLiteral("0003-00"));
    video().Delete();
    EXPECT_EQ(tape(), QStringLiteral("0001-00"));
    video().Delete();
    EXPECT_TRUE(video().Eof());
    EXPECT_TRUE(video().Bof());
    EXPECT_EQ(countOf(kVideo), 0);
    EXPECT_EQ(errorOf([&] { video().Delete(); }), QStringLiteral("Cannot perform this operation on an empty dataset"));
    EXPECT_EQ(events.count(QStringLiteral("BeforeDelete(1)")), 3);
    EXPECT_EQ(events.count(QStringLiteral("AfterDelete(1)")), 3);
}

TEST_F(Editing, DeleteRefusedInBeforeDeleteKeepsTheRecord)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    for (const bool silent : {true, false}) {
        video().BeforeDelete = [silent](engine::Table&) {
            if (silent)
                throw core::EAbort();
            throw core::EDatabaseError(QStringLiteral("refused"));
        };
        EXPECT_THROW(video().Delete(), core::EError);
        EXPECT_EQ(countOf(kVideo), 1);
        EXPECT_EQ(video().RecordCount(), 1);
        EXPECT_EQ(tape(), QStringLiteral("0001-00"));
    }
}

TEST_F(Editing, DeleteOfAnInsertedRecordCancelsIt)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    insertTape(QStringLiteral("0002-00"));
    video().Delete();
    EXPECT_EQ(video().State(), engine::DataSetState::Browse);
    EXPECT_EQ(countOf(kVideo), 1);
    EXPECT_FALSE(events.contains(QStringLiteral("BeforeDelete(3)")));
}

// ---- cascade --------------------------------------------------------------------------------

class Cascade : public Editing {
protected:
    void SetUp() override
    {
        Editing::SetUp();
        addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
        addTape(QStringLiteral("0002-00"), QStringLiteral("B"));
        for (const char* actor : {"X", "Y", "Z"}) {
            addCast(QStringLiteral("0001-00"), QLatin1String(actor));
            addCast(QStringLiteral("0002-00"), QLatin1String(actor));
        }
        source_ = std::make_unique<engine::DataSource>(&video());
        cast = &table(kCast);
        cast->SetMasterSource(source_.get());
        cast->SetMasterFields(QStringLiteral("Tapenr"));
        cast->SetIndexFieldNames(QStringLiteral("Tapenr"));
        cast->Open();
    }
    /// Deletes the cast rows of the current tape one by one, failing before the one given.
    void cascadeFailingAt(int failAt)
    {
        video().BeforeDelete = [this, failAt](engine::Table&) {
            const int count = cast->RecordCount();
            cast->First();
            for (int i = 0; i < count; ++i) {
                if (i == failAt)
                    throw core::EDatabaseError(QStringLiteral("disk full"));
                cast->Delete();
            }
        };
    }
    engine::Table* cast = nullptr;

private:
    std::unique_ptr<engine::DataSource> source_;
};

TEST_F(Cascade, FailurePartWayDeletesNothing)
{
    cascadeFailingAt(2);
    EXPECT_EQ(errorOf([&] { video().Delete(); }), QStringLiteral("disk full"));
    EXPECT_EQ(countOf(kVideo), 2);
    EXPECT_EQ(countOf(kCast, QStringLiteral("Tapenr = '0001-00'")), 3);
    EXPECT_EQ(tape(), QStringLiteral("0001-00"));
    EXPECT_EQ(cast->RecordCount(), 3); // the cast view was re-read after the rollback
    EXPECT_EQ(db().scopeDepth(), 0);
}

TEST_F(Cascade, SuccessRemovesTapeAndCastTogether)
{
    cascadeFailingAt(-1);
    video().Delete();
    EXPECT_EQ(countOf(kVideo), 1);
    EXPECT_EQ(countOf(kCast, QStringLiteral("Tapenr = '0001-00'")), 0);
    EXPECT_EQ(countOf(kCast), 3);
    EXPECT_EQ(tape(), QStringLiteral("0002-00"));
    EXPECT_EQ(cast->RecordCount(), 3); // following the next tape
}

// ---- fields ---------------------------------------------------------------------------------

class Fields : public EngineTest {};

TEST_F(Fields, NamesIgnoreCaseAndAMissingOneIsNamedAsAsked)
{
    engine::Table& video = open(kVideo);
    engine::Field& field = video.FieldByName(QStringLiteral("TapeNr"));
    EXPECT_EQ(&video.FieldByName(QStringLiteral("Tapenr")), &field);
    EXPECT_EQ(&video.FieldByName(QStringLiteral("TAPENR")), &field);
    EXPECT_EQ(video.FindField(QStringLiteral("Nope")), nullptr);
    EXPECT_EQ(errorOf([&] { video.FieldByName(QStringLiteral("NoSuchField")); }),
              QStringLiteral("Field 'NoSuchField' not found"));
}

TEST_F(Fields, GeneratedSortKeysAreNoFields)
{
    engine::Table& video = open(kVideo);
    QStringList names;
    for (int i = 0; i < video.FieldCount(); ++i)
        names << video.Fields(i).FieldName();
    EXPECT_EQ(names, data::tableSpec(QStringLiteral("Video.db")).namesAt(data::kSchemaVersion));
    EXPECT_TRUE(names.filter(QStringLiteral("_")).isEmpty()) << names.join(' ').toStdString();
    EXPECT_EQ(video.FieldByName(QStringLiteral("Indhold")).DataType(), engine::FieldKind::Memo);
    EXPECT_EQ(video.FieldByName(QStringLiteral("OptagetDato")).DataType(), engine::FieldKind::Date);
    EXPECT_EQ(video.FieldByName(QStringLiteral("Titel")).DataType(), engine::FieldKind::String);
}

TEST(FieldKinds, FollowTheFirstWordOfTheDeclaredType)
{
    const struct {
        const char* declared;
        engine::FieldKind kind;
    } cases[] = {
        {"TEXT", engine::FieldKind::String},   {"", engine::FieldKind::String},
        {"INTEGER", engine::FieldKind::Integer}, {"int", engine::FieldKind::Integer},
        {"DATE", engine::FieldKind::Date},     {"MEMO", engine::FieldKind::Memo},
        {"MEMO TEXT", engine::FieldKind::Memo}, {" memo  text ", engine::FieldKind::Memo},
        {"MEMOIR", engine::FieldKind::String}, {"TEXT MEMO", engine::FieldKind::String},
    };
    for (const auto& c : cases)
        EXPECT_EQ(engine::fieldKindForType(QLatin1String(c.declared)), c.kind) << c.declared;
}

// SQLite turns a text that reads as a number into that number in a column without text
// affinity: "007" would come back as "7".
TEST_F(Fields, EveryTextFieldOfTheCatalogueKeepsTextsThatLookLikeNumbers)
{
    const QStringList samples = {QStringLiteral("007"), QStringLiteral("1.50"), QStringLiteral("1e3"),
                                 QStringLiteral(" 12"), QStringLiteral("0042-00")};
    for (const auto& tableFile : data::catalogueFiles()) {
        if (!QFileInfo::exists(file(tableFile.fileName)))
            createCatalogueFile(dataDir(), tableFile.fileName);
        engine::Table& table = open(tableFile.fileName);
        std::vector<engine::Field*> texts;
        for (int i = 0; i < table.FieldCount(); ++i)
            if (table.Fields(i).DataType() == engine::FieldKind::String || table.Fields(i).IsBlob())
                texts.push_back(&table.Fields(i));
        for (const QString& sample : samples) {
            table.Insert();
            for (engine::Field* field : texts)
                field->SetAsString(sample);
            table.Post();
        }
        table.Close();
        table.Open();
        QStringList read;
        for (table.First(); !table.Eof(); table.Next())
            for (engine::Field* field : texts)
                read << field->AsString();
        QStringList expected;
        for (const QString& sample : samples)
            expected << QStringList(int(texts.size()), sample);
        read.sort();
        expected.sort();
        EXPECT_EQ(read, expected) << tableFile.fileName.toStdString();
    }
}

TEST_F(Fields, AFileWithABareMemoColumnStillOpensWithItsMemo)
{
    const QString old = QStringLiteral("Old.db");
    execOn(file(old), QStringLiteral("CREATE TABLE Old(TapeNr TEXT, Indhold MEMO, Dato DATE);"
                                     "INSERT INTO Old VALUES ('0001-00', 'Et indhold', '2023-12-24')"));
    engine::Table& table = open(old);
    EXPECT_EQ(table.FieldByName(QStringLiteral("Indhold")).DataType(), engine::FieldKind::Memo);
    EXPECT_EQ(table.FieldByName(QStringLiteral("Indhold")).AsString(), QStringLiteral("Et indhold"));
    EXPECT_EQ(table.FieldByName(QStringLiteral("Dato")).DataType(), engine::FieldKind::Date);
}

TEST_F(Fields, FieldsStayTheSameObjectsAcrossCloseAndOpen)
{
    engine::Table& video = open(kVideo);
    engine::Field* before = &video.FieldByName(QStringLiteral("Titel"));
    video.Close();
    video.Open();
    EXPECT_EQ(&video.FieldByName(QStringLiteral("Titel")), before);
}

TEST_F(Fields, IntegersReadEmptyAsZeroAndRefuseText)
{
    createCatalogueFile(dataDir(), QStringLiteral("Config.DB"));
    engine::Table& config = open(QStringLiteral("Config.DB"));
    engine::Field& sprog = config.FieldByName(QStringLiteral("Sprog"));
    EXPECT_EQ(sprog.DataType(), engine::FieldKind::Integer);
    config.Insert();
    EXPECT_TRUE(sprog.IsNull());
    EXPECT_EQ(sprog.AsInteger(), 0);
    EXPECT_EQ(sprog.AsString(), QString());
    sprog.SetAsString(QStringLiteral("-1"));
    EXPECT_EQ(sprog.AsInteger(), -1);
    EXPECT_EQ(errorOf([&] { sprog.SetAsString(QStringLiteral("x1")); }), QStringLiteral("'x1' is not a valid integer value"));
    config.FieldByName(QStringLiteral("H_Main")).SetAsInteger(600);
    config.Post();
    EXPECT_EQ(scalarOn(file(QStringLiteral("Config.DB")), QStringLiteral("SELECT typeof(H_Main) || typeof(Sprog) FROM Config")),
              QVariant(QStringLiteral("integerinteger")));
    EXPECT_EQ(config.FieldByName(QStringLiteral("W_Main")).AsInteger(), 0);
}

TEST_F(Fields, TextsReadAsIntegersWhenTheyHoldOne)
{
    engine::Table& video = open(kVideo);
    video.Insert();
    engine::Field& tapeNr = video.FieldByName(QStringLiteral("TapeNr"));
    tapeNr.SetAsInteger(42);
    EXPECT_EQ(tapeNr.AsString(), QStringLiteral("42"));
    EXPECT_EQ(tapeNr.AsInteger(), 42);
    tapeNr.SetAsString(QStringLiteral("0001-00"));
    EXPECT_EQ(errorOf([&] { tapeNr.AsInteger(); }), QStringLiteral("'0001-00' is not a valid integer value"));
    tapeNr.SetAsString(QString());
    EXPECT_TRUE(tapeNr.IsNull());
}

TEST_F(Fields, DatesAreStoredIsoAndShownInTheShortFormat)
{
    engine::Table& video = open(kVideo);
    engine::Field& date = video.FieldByName(QStringLiteral("OptagetDato"));
    const QString shortText = QLocale().toString(QDate(2023, 12, 24), QLocale::ShortFormat);
    struct Case {
        QString typed;
        QVariant stored;
    };
    const Case cases[] = {
        {shortText, QStringLiteral("2023-12-24")},
        {QStringLiteral("2023-12-24"), QStringLiteral("2023-12-24")},
        {QString(), QVariant()},
    };
    video.Insert();
    video.FieldByName(QStringLiteral("TapeNr")).SetAsString(QStringLiteral("0001-00"));
    for (const Case& c : cases) {
        date.SetAsString(c.typed);
        EXPECT_EQ(date.Value(), c.stored) << c.typed.toStdString();
        EXPECT_EQ(date.AsString(), c.stored.isNull() ? QString() : shortText);
    }
    EXPECT_EQ(errorOf([&] { date.SetAsString(QStringLiteral("31.02.2023x")); }),
              QStringLiteral("'31.02.2023x' is not a valid date"));
    date.SetAsString(shortText);
    video.Post();
    EXPECT_EQ(scalarOn(file(kVideo), QStringLiteral("SELECT OptagetDato FROM Video")).toString(), QStringLiteral("2023-12-24"));
}

TEST_F(Fields, DatesShowInTheShortFormatWithTheFullYearInEveryLocale)
{
    engine::Table& video = open(kVideo);
    engine::Field& date = video.FieldByName(QStringLiteral("OptagetDato"));
    video.Insert();
    struct Case {
        QLocale locale;
        QString shown;     // 2023-02-04 as shown
        QString typed;     // the system's own short form, two-digit year where it has one
        QString typedIso;  // what that reads as
    };
    const Case cases[] = {
        {QLocale(QLocale::Danish, QLocale::Denmark), "04.02.2023", "31.12.1999", "1999-12-31"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "2/4/2023", "12/31/99", "1999-12-31"},
        {QLocale(QLocale::German, QLocale::Germany), "04.02.2023", "04.02.23", "2023-02-04"},
        {QLocale(QLocale::Swedish, QLocale::Sweden), "2023-02-04", "1999-12-31", "1999-12-31"},
        {QLocale(QLocale::NorwegianBokmal, QLocale::Norway), "04.02.2023", "01.10.2005", "2005-10-01"},
        {QLocale::c(), "4 Feb 2023", "31 Dec 1999", "1999-12-31"},
    };
    const QLocale saved;
    for (const Case& c : cases) {
        QLocale::setDefault(c.locale);
        date.SetValue(QStringLiteral("2023-02-04"));
        EXPECT_EQ(date.AsString(), c.shown) << c.locale.name().toStdString();
        date.SetAsString(date.AsString()); // what is shown reads back as the same day
        EXPECT_EQ(date.Value().toString(), QStringLiteral("2023-02-04")) << c.locale.name().toStdString();
        date.SetAsString(c.typed);
        EXPECT_EQ(date.Value().toString(), c.typedIso) << c.locale.name().toStdString();
    }
    QLocale::setDefault(saved);
}

TEST_F(Fields, DatesTypedDayMonthYearReadSoInEveryLocale)
{
    engine::Table& video = open(kVideo);
    engine::Field& date = video.FieldByName(QStringLiteral("OptagetDato"));
    video.Insert();
    struct Case {
        const char* typed;
        const char* iso; // empty: refused
    };
    const Case cases[] = {
        {"01-02-2003", "2003-02-01"}, {"1/2-2003", "2003-02-01"}, {"01.02.2003", "2003-02-01"},
        {"1-2-2003", "2003-02-01"},   {"31-12-1999", "1999-12-31"}, {"30-02-2003", ""},
        {"01-13-2003", ""},           {"1-2-03x", ""},
    };
    const QLocale saved;
    for (const QLocale& locale : {QLocale(QLocale::Danish, QLocale::Denmark), QLocale(QLocale::German, QLocale::Germany),
                                  QLocale(QLocale::Swedish, QLocale::Sweden), QLocale::c()}) {
        QLocale::setDefault(locale);
        for (const Case& c : cases) {
            const QString typed = QString::fromLatin1(c.typed);
            const QString error = errorOf([&] { date.SetAsString(typed); });
            const QString got = error.isEmpty() ? date.Value().toString() : QString();
            EXPECT_EQ(got, QString::fromLatin1(c.iso)) << c.typed << " in " << locale.name().toStdString();
        }
    }
    QLocale::setDefault(saved);
}

} // namespace
