#include "common/TempProgramFolder.h"
#include "core/Errors.h"
#include "data/DM.h"
#include "data/TextIndex.h"
#include "support/EasyFind.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class EasyFind : public ::testing::Test {
protected:
    void SetUp() override
    {
        dm = std::make_unique<data::TDM>(folder.dataDir());
        dm->OpenTables();
        find.DataSource = dm->VideoSource;
        find.SearchField = QStringLiteral("Titel");
    }
    void add(const char* nr, const char* title, const QString& content = QString(), const char* category = "")
    {
        engine::Table& video = *dm->VideoTable;
        video.Insert();
        video.FieldByName(QStringLiteral("TapeNr")).SetAsString(QString::fromLatin1(nr));
        video.FieldByName(QStringLiteral("Titel")).SetAsString(QString::fromUtf8(title));
        video.FieldByName(QStringLiteral("Indhold")).SetAsString(content);
        video.FieldByName(QStringLiteral("Kategori")).SetAsString(QString::fromLatin1(category));
        video.Post();
    }
    QString current() { return dm->VideoTable->FieldByName(QStringLiteral("TapeNr")).AsString(); }
    void findKey(const char* key)
    {
        find.SearchKey = QString::fromUtf8(key);
        find.Find();
    }

    testing_support::TempProgramFolder folder;
    std::unique_ptr<data::TDM> dm;
    support::TEasyFind find;
};

} // namespace

TEST_F(EasyFind, FindOnAnEmptyTableFindsNothing)
{
    findKey("a");
    EXPECT_FALSE(find.Found());
}

TEST_F(EasyFind, FindStartsAtTheFirstRecordOfTheCurrentOrderAndFilter)
{
    add("0001-00", "Zorro", {}, "A");
    add("0002-00", "Paris, Texas", {}, "B");
    add("0003-00", "Et parti skak", {}, "A");
    dm->VideoTable->Last();
    findKey("PAR");
    EXPECT_TRUE(find.Found());
    EXPECT_EQ(current(), QStringLiteral("0002-00"));
    dm->VideoTable->SetIndexName(QStringLiteral("IndexTitel"));
    findKey("PAR");
    EXPECT_EQ(current(), QStringLiteral("0003-00")) << "Et parti skak comes first by title";
    dm->VideoTable->SetFilter(QStringLiteral("Kategori = 'B'"));
    dm->VideoTable->SetFiltered(true);
    findKey("PAR");
    EXPECT_EQ(current(), QStringLiteral("0002-00"));
}

TEST_F(EasyFind, FindNextMovesOnAndStaysOnTheLastHit)
{
    add("0001-00", "Paris");
    add("0002-00", "Rom");
    add("0003-00", "Parade");
    findKey("par");
    EXPECT_EQ(current(), QStringLiteral("0001-00"));
    find.FindNext();
    EXPECT_TRUE(find.Found());
    EXPECT_EQ(current(), QStringLiteral("0003-00"));
    find.FindNext();
    EXPECT_FALSE(find.Found());
    EXPECT_EQ(current(), QStringLiteral("0003-00"));
    EXPECT_FALSE(dm->VideoTable->Eof());
}

TEST_F(EasyFind, NoMatchLeavesTheCurrentRecord)
{
    add("0001-00", "Paris");
    add("0002-00", "Rom");
    dm->VideoTable->Last();
    findKey("Berlin");
    EXPECT_FALSE(find.Found());
    EXPECT_EQ(current(), QStringLiteral("0002-00"));
}

TEST_F(EasyFind, FindNextNeedsAnEarlierSearchWithTheSameKeyAndField)
{
    add("0001-00", "abc");
    add("0002-00", "søg abc");
    const auto expectNoInitial = [this] {
        try {
            find.FindNext();
            ADD_FAILURE() << "no error";
        } catch (const core::EDBSearchError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("No initial Find/Locate done first"));
        }
    };
    find.SearchKey = QStringLiteral("abc");
    expectNoInitial(); // nothing searched yet
    find.Find();
    find.SearchKey = QStringLiteral("ABC");
    EXPECT_NO_THROW(find.FindNext()) << "a-z fold";
    find.SearchKey = QString::fromUtf8("søg");
    find.Find();
    find.SearchKey = QString::fromUtf8("SØG");
    expectNoInitial(); // ø is not folded
    find.SearchKey = QString::fromUtf8("søg");
    find.SearchField = QStringLiteral("Indhold");
    expectNoInitial(); // field changed
    find.SearchKey.clear();
    expectNoInitial();
}

TEST_F(EasyFind, AnUnknownFieldIsReportedBeforeAnythingMoves)
{
    add("0001-00", "a");
    add("0002-00", "b");
    dm->VideoTable->First();
    find.SearchField = QStringLiteral("Nope");
    find.SearchKey = QStringLiteral("b");
    try {
        find.Find();
        FAIL() << "no error";
    } catch (const core::EDBSearchPatternNotFound& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Search Field not in Dataset"));
    }
    EXPECT_EQ(current(), QStringLiteral("0001-00"));
}

TEST_F(EasyFind, MemoSearchReadsAtMost65280Characters)
{
    QString late(70000, QLatin1Char('x'));
    late.replace(65281, 4, QStringLiteral("NEEDLE"));
    QString early = late;
    early.replace(65270, 6, QStringLiteral("NEEDLE"));
    add("0001-00", "late", late);
    add("0002-00", "early", early);
    find.SearchField = QStringLiteral("indhold");
    findKey("needle");
    EXPECT_TRUE(find.Found());
    EXPECT_EQ(current(), QStringLiteral("0002-00"));
}

TEST_F(EasyFind, TapeNumberFragmentsMatchAnywhere)
{
    add("0012-00", "a");
    add("0120-00", "b");
    find.SearchField = QStringLiteral("TapeNr");
    findKey("20");
    EXPECT_EQ(current(), QStringLiteral("0120-00"));
}

TEST_F(EasyFind, TheFirstHitInTheTablesOrderWinsAcrossBatches)
{
    // Row ids run against the title order, so the store returns a batch's rows in the
    // opposite order of the view.
    dm->database().exec(QStringLiteral("INSERT INTO \"Video\".Video(TapeNr, Titel) "
                                       "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
                                       "SELECT printf('%04d-00', i), printf('T%04d', 600 - i) FROM n"));
    dm->VideoTable->Close();
    dm->VideoTable->Open();
    dm->VideoTable->SetIndexName(QStringLiteral("IndexTitel"));
    const auto title = [this] { return dm->VideoTable->FieldByName(QStringLiteral("Titel")).AsString(); };
    findKey("t05");
    EXPECT_EQ(title(), QStringLiteral("T0500"));
    find.FindNext();
    EXPECT_EQ(title(), QStringLiteral("T0501"));
    findKey("T0599");
    EXPECT_EQ(current(), QStringLiteral("0001-00")) << "in the last batch of the walk";
    dm->VideoTable->First();
    findKey("T0000");
    EXPECT_EQ(current(), QStringLiteral("0600-00")) << "on the first record";
}

TEST_F(EasyFind, TheWalkReadsStoredBytesOnlyOfUntouchedTextFields)
{
    add("0001-00", "first");
    add("0002-00", "second");
    engine::Table& video = *dm->VideoTable;
    video.First();
    video.FieldByName(QStringLiteral("OptagetDato")).SetAsString(QStringLiteral("11.05.2003"));
    video.Post();
    video.First();
    video.Edit();
    video.FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("typed"));
    int bytesAsked = 0;
    QStringList textsSeen;
    engine::Table::TextTest test;
    test.text = [&](const QString& text) {
        textsSeen << text;
        return text == QLatin1String("typed") || text == QLatin1String("11.05.2003");
    };
    test.utf8 = [&](const char*, qsizetype) -> std::optional<bool> {
        ++bytesAsked;
        return false;
    };
    const int title = video.FieldByName(QStringLiteral("Titel")).Index();
    EXPECT_EQ(video.FindRow(0, title, test), 0) << "the typed title, not the stored one";
    EXPECT_EQ(bytesAsked, 0);
    EXPECT_EQ(video.FindRow(1, title, test), -1);
    EXPECT_EQ(bytesAsked, 1) << "the stored title of the second tape";
    video.Cancel();
    EXPECT_EQ(video.FindRow(0, video.FieldByName(QStringLiteral("OptagetDato")).Index(), test), 0);
    EXPECT_EQ(bytesAsked, 1) << "a date is tested on the text it shows";
    EXPECT_TRUE(textsSeen.contains(QStringLiteral("11.05.2003")));
}

// The full-text index only narrows the candidates: every search gives the records the walk gives.
TEST_F(EasyFind, TheIndexedSearchFindsWhatTheWalkFinds)
{
    QString pastWindow(70000, QLatin1Char('x'));
    pastWindow.replace(65281, 6, QStringLiteral("NÅLEN!"));
    add("0001-00", "Ærøskøbing", QStringLiteral("Something\r\n"), "Drama");
    add("0002-00", "Paris, Texas", pastWindow, "drama");
    add("0003-00", "Et parti skak", QStringLiteral("nålen findes her"), "Komedie");
    add("0004-00", "STRAßE ŒUVRE ŸES", QStringLiteral("ΣΟΦΙΑ µm"), "Gyser");
    add("0005-00", "Say \"Hi\" now", QStringLiteral("the quick brown fox jumps over"), "Krimi");
    add("0006-00", "straße œuvre ÿes", QStringLiteral("σοφια MµM"), "Drama");
    engine::Table& video = *dm->VideoTable;
    video.Locate(QStringLiteral("TapeNr"), QStringLiteral("0003-00"));
    video.Edit();
    video.FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("Et parti skak i Ærø"));
    video.Post(); // the index follows a change
    const struct {
        const char* field;
        const char* key;
        bool wildcards;
    } cases[] = {
        {"Titel", "ærø", false},        {"Titel", "ÆRØSK", false},          {"Titel", "paR", false},
        {"Titel", "STRASSE", false},    {"Titel", "straße", false},         {"Titel", "Œuvre ÿ", false},
        {"Titel", "\"hi\"", false},     {"Titel", "ar", false},             {"Titel", "%a%", true},
        {"Indhold", "σοφ", false},      {"Indhold", "µM", false},           {"Indhold", "%ing", true},
        {"Indhold", "nålen", false},    {"Indhold", "NÅLEN!", false},       {"Indhold", "quick brown fox jumps ov", false},
        {"Kategori", "DRAMA", false},   {"TapeNr", "-00", false},           {"TapeNr", "0_0%", true},
    };
    find.WalkedBeforeIndex = 0;
    const auto hits = [&](const auto& c) {
        find.SearchField = QString::fromLatin1(c.field);
        find.AllowWildcards = c.wildcards;
        QStringList found;
        for (findKey(c.key); find.Found(); find.FindNext())
            found << current();
        return found;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        ASSERT_TRUE(data::useTextIndexIfSound(dm->database()));
        const QStringList indexed = hits(c);
        dm->database().setTextIndex(QStringLiteral("Video"), {});
        EXPECT_EQ(indexed, hits(c));
    }
}
