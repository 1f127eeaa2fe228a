// What bound controls are told, in which order, and the master/detail (cast) link.
#include "EngineFixture.h"

#include "core/Errors.h"

using namespace enginetest;

namespace {

const QString kVideo = QStringLiteral("Video.db");
const QString kCast = QStringLiteral("Medvirker.db");
using Kind = engine::DataLink::Kind;

class Notifications : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
        addTape(QStringLiteral("0002-00"), QStringLiteral("B"));
        video = &open(kVideo);
        source = std::make_unique<engine::DataSource>(video);
    }
    engine::Table* video = nullptr;
    std::unique_ptr<engine::DataSource> source;
    QStringList log;
};

TEST_F(Notifications, FieldLinksBeforeGridsEachInReverseBindingOrder)
{
    RecordingLink check(QStringLiteral("check"), log);
    RecordingLink grid1(QStringLiteral("grid1"), log, Kind::Grid);
    RecordingLink memo(QStringLiteral("memo"), log);
    RecordingLink grid2(QStringLiteral("grid2"), log, Kind::Grid);
    RecordingLink tapeEdit(QStringLiteral("tapeEdit"), log);
    for (RecordingLink* link : {&tapeEdit, &grid1, &memo, &grid2, &check})
        link->setDataSource(source.get());
    log.clear();
    video->Next();
    EXPECT_EQ(log, (QStringList{QStringLiteral("check:scrolled"), QStringLiteral("memo:scrolled"),
                                QStringLiteral("tapeEdit:scrolled"), QStringLiteral("grid2:scrolled"),
                                QStringLiteral("grid1:scrolled")}));
    // Binding again counts as binding last.
    tapeEdit.setDataSource(nullptr);
    tapeEdit.setDataSource(source.get());
    log.clear();
    video->Prior();
    EXPECT_EQ(log, (QStringList{QStringLiteral("tapeEdit:scrolled"), QStringLiteral("check:scrolled"),
                                QStringLiteral("memo:scrolled"), QStringLiteral("grid2:scrolled"),
                                QStringLiteral("grid1:scrolled")}));
}

TEST_F(Notifications, EachOperationSendsItsNotice)
{
    RecordingLink link(QStringLiteral("c"), log);
    link.setDataSource(source.get());
    const auto after = [&](const std::function<void()>& action) {
        log.clear();
        action();
        return log;
    };
    EXPECT_EQ(after([&] { video->Next(); }), QStringList{QStringLiteral("c:scrolled")});
    EXPECT_EQ(after([&] { video->Next(); }), QStringList{}); // already on the last: Eof only
    EXPECT_EQ(after([&] { video->Edit(); }), QStringList{QStringLiteral("c:editing")});
    EXPECT_EQ(after([&] { video->FieldByName(QStringLiteral("titel")).SetAsString(QStringLiteral("Bee")); }),
              QStringList{QStringLiteral("c:record:Titel")});
    EXPECT_EQ(after([&] { video->Post(); }),
              (QStringList{QStringLiteral("c:update"), QStringLiteral("c:editing"), QStringLiteral("c:changed")}));
    EXPECT_EQ(after([&] { video->Insert(); }), (QStringList{QStringLiteral("c:editing"), QStringLiteral("c:changed")}));
    EXPECT_EQ(after([&] { video->Cancel(); }), (QStringList{QStringLiteral("c:editing"), QStringLiteral("c:changed")}));
    EXPECT_EQ(after([&] { video->SetIndexName(QStringLiteral("IndexTitel")); }), QStringList{QStringLiteral("c:changed")});
    EXPECT_EQ(after([&] { video->Close(); }), QStringList{QStringLiteral("c:active")});
    EXPECT_EQ(after([&] { video->Open(); }), QStringList{QStringLiteral("c:active")});
}

TEST_F(Notifications, PendingTextIsWrittenBeforeThePost)
{
    RecordingLink edit(QStringLiteral("edit"), log);
    edit.setDataSource(source.get());
    edit.onUpdateData = [this] { video->FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("typed")); };
    bool seenInBeforePost = false;
    video->BeforePost = [&seenInBeforePost](engine::Table& t) {
        seenInBeforePost = t.FieldByName(QStringLiteral("Titel")).AsString() == QStringLiteral("typed");
    };
    video->Edit();
    video->FieldByName(QStringLiteral("Kategori")).SetAsString(QStringLiteral("Drama"));
    video->Post();
    EXPECT_TRUE(seenInBeforePost);
    EXPECT_EQ(countOf(kVideo, QStringLiteral("Titel = 'typed' AND Kategori = 'Drama'")), 1);
}

TEST_F(Notifications, AControlsMoveWritesItsPendingTextToo)
{
    RecordingLink edit(QStringLiteral("edit"), log);
    edit.setDataSource(source.get());
    video->Insert();
    edit.onUpdateData = [this] { video->FieldByName(QStringLiteral("TapeNr")).SetAsString(QStringLiteral("0003-00")); };
    video->First(); // the pending text makes the insert a change: it is posted, not dropped
    edit.onUpdateData = nullptr;
    EXPECT_EQ(countOf(kVideo), 3);
}

TEST_F(Notifications, DisableControlsNestsAndTheLastEnableSendsOneChange)
{
    RecordingLink field(QStringLiteral("f"), log);
    RecordingLink grid(QStringLiteral("g"), log, Kind::Grid);
    field.setDataSource(source.get());
    grid.setDataSource(source.get());
    log.clear();
    video->DisableControls();
    {
        engine::ControlsDisabled inner(*video);
        video->Next();
        video->First();
        video->FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("x"));
        video->Post();
        EXPECT_TRUE(video->ControlsDisabled());
    }
    EXPECT_TRUE(log.isEmpty()) << log.join(' ').toStdString();
    video->EnableControls();
    EXPECT_FALSE(video->ControlsDisabled());
    EXPECT_EQ(log, (QStringList{QStringLiteral("f:changed"), QStringLiteral("g:changed")}));
    video->EnableControls(); // unbalanced: ignored
    EXPECT_EQ(log.size(), 2);
}

TEST_F(Notifications, PendingTextIsWrittenBeforeControlsAreSwitchedOffAndNotAfter)
{
    RecordingLink edit(QStringLiteral("edit"), log);
    edit.setDataSource(source.get());
    edit.onUpdateData = [this] { video->FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("typed")); };
    video->Edit(); // on 0001-00; the text is still in the control
    {
        engine::ControlsDisabled off(*video);
        video->First(); // a scan from the start: the edit holds a change and is posted
        video->Next();
        video->Edit();
        video->FieldByName(QStringLiteral("Kategori")).SetAsString(QStringLiteral("Drama"));
        video->Post(); // the control still shows 0001-00: it must not write into 0002-00
    }
    edit.onUpdateData = nullptr;
    EXPECT_EQ(countOf(kVideo, QStringLiteral("TapeNr = '0001-00' AND Titel = 'typed'")), 1);
    EXPECT_EQ(countOf(kVideo, QStringLiteral("TapeNr = '0002-00' AND Titel = 'B' AND Kategori = 'Drama'")), 1);
}

TEST_F(Notifications, ALinkThatUnbindsAnotherWhileToldIsSafe)
{
    RecordingLink first(QStringLiteral("first"), log);
    auto second = std::make_unique<RecordingLink>(QStringLiteral("second"), log);
    first.setDataSource(source.get());
    second->setDataSource(source.get());
    second->onUpdateData = [&] { first.setDataSource(nullptr); };
    video->Edit();
    video->FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("x"));
    log.clear();
    video->Post();
    EXPECT_FALSE(log.contains(QStringLiteral("first:update")));
    EXPECT_TRUE(log.contains(QStringLiteral("second:changed")));
}

// ---- the cast link -------------------------------------------------------------------------

class CastLink : public Notifications {
protected:
    void SetUp() override
    {
        Notifications::SetUp();
        addCast(QStringLiteral("0001-00"), QStringLiteral("Sigourney"));
        addCast(QStringLiteral("0001-00"), QStringLiteral("Ian"));
        addCast(QStringLiteral("0002-00"), QStringLiteral("Jonathan"));
        cast = &table(kCast);
        cast->SetMasterSource(source.get());
        cast->SetMasterFields(QStringLiteral("Tapenr")); // Video's field is TapeNr
        cast->SetIndexFieldNames(QStringLiteral("Tapenr"));
        cast->Open();
        castSource = std::make_unique<engine::DataSource>(cast);
    }
    QStringList actors() { return walk(*cast, QStringLiteral("Skuespiller")); }
    engine::Table* cast = nullptr;
    std::unique_ptr<engine::DataSource> castSource;
};

TEST_F(CastLink, DetailShowsTheCurrentTapesCastAndFollowsMoves)
{
    EXPECT_EQ(cast->RecordCount(), 2);
    EXPECT_EQ(actors(), (QStringList{QStringLiteral("Sigourney"), QStringLiteral("Ian")}));
    video->Next();
    EXPECT_EQ(actors(), QStringList{QStringLiteral("Jonathan")});
    EXPECT_TRUE(video->Locate(QStringLiteral("TapeNr"), QStringLiteral("0001-00")));
    EXPECT_EQ(cast->RecordCount(), 2);
    open(kCast); // an unlinked component sees every row
    EXPECT_EQ(db().tablesOn(QStringLiteral("Medvirker")).back()->RecordCount(), 3);
}

TEST_F(CastLink, InsertPresetsTheTapeNumberFromTheMaster)
{
    video->Next();
    cast->Insert();
    EXPECT_EQ(cast->FieldByName(QStringLiteral("Tapenr")).AsString(), QStringLiteral("0002-00"));
    EXPECT_FALSE(cast->Modified());
    cast->FieldByName(QStringLiteral("Skuespiller")).SetAsString(QStringLiteral("Frances"));
    cast->Post();
    EXPECT_EQ(cast->RecordCount(), 2);
    EXPECT_EQ(countOf(kCast, QStringLiteral("Tapenr = '0002-00'")), 2);
}

TEST_F(CastLink, MasterMovePostsAPendingDetailEdit)
{
    cast->FieldByName(QStringLiteral("Rolle")).SetAsString(QStringLiteral("Ripley"));
    video->Next();
    EXPECT_EQ(cast->State(), engine::DataSetState::Browse);
    EXPECT_EQ(countOf(kCast, QStringLiteral("Rolle = 'Ripley'")), 1);
}

TEST_F(CastLink, NoRefreshWhileTheMasterIsDisabledAndOneAfter)
{
    RecordingLink grid(QStringLiteral("castGrid"), log, Kind::Grid);
    grid.setDataSource(castSource.get());
    log.clear();
    video->DisableControls();
    video->Next();
    EXPECT_EQ(cast->RecordCount(), 2); // still the first tape's cast
    video->First();
    video->Next();
    EXPECT_TRUE(log.isEmpty());
    video->EnableControls();
    EXPECT_EQ(log, QStringList{QStringLiteral("castGrid:changed")});
    EXPECT_EQ(actors(), QStringList{QStringLiteral("Jonathan")});
}

TEST_F(CastLink, AReadWhileTheMasterIsDisabledTakesItsCurrentRecord)
{
    // The link's values are the master's when the detail reads, not when it last followed.
    video->DisableControls();
    video->Next();
    EXPECT_EQ(cast->RecordCount(), 2);
    cast->Refresh();
    EXPECT_EQ(actors(), QStringList{QStringLiteral("Jonathan")});
    cast->Insert();
    EXPECT_EQ(cast->FieldByName(QStringLiteral("Tapenr")).AsString(), QStringLiteral("0002-00"));
    cast->Cancel();
    video->EnableControls();
    EXPECT_EQ(actors(), QStringList{QStringLiteral("Jonathan")});
}

TEST_F(CastLink, EmptyOrNewMasterSelectsNoCast)
{
    video->Insert();
    EXPECT_EQ(cast->RecordCount(), 0);
    video->FieldByName(QStringLiteral("TapeNr")).SetAsString(QStringLiteral("0001-00"));
    EXPECT_EQ(cast->RecordCount(), 2); // the typed number links at once
    video->Cancel();
    video->SetFilter(QStringLiteral("Titel = 'none'"));
    video->SetFiltered(true);
    EXPECT_EQ(cast->RecordCount(), 0);
    EXPECT_EQ(errorOf([&] { cast->Delete(); }), QStringLiteral("Cannot perform this operation on an empty dataset"));
    video->Close();
    EXPECT_EQ(cast->RecordCount(), 0);
}

TEST_F(CastLink, MissingLinkFieldIsReportedAtOpen)
{
    engine::Table& broken = table(kCast);
    broken.SetMasterSource(source.get());
    broken.SetMasterFields(QStringLiteral("Nummer"));
    EXPECT_EQ(errorOf([&] { broken.Open(); }), QStringLiteral("Field 'Nummer' not found"));
    EXPECT_FALSE(broken.Active());
}

TEST_F(CastLink, RecordCountFollowsFilterAndLinkTogether)
{
    cast->SetFilter(QStringLiteral("Skuespiller = 'Ian'"));
    cast->SetFiltered(true);
    EXPECT_EQ(cast->RecordCount(), 1);
    video->Next();
    EXPECT_EQ(cast->RecordCount(), 0);
}

} // namespace
