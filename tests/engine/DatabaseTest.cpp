// Opening table files and transaction scopes.
#include "EngineFixture.h"

#include "core/Errors.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <random>
#include <sqlite3.h>

using namespace enginetest;

namespace {

class DatabaseOpen : public EngineTest {};

TEST_F(DatabaseOpen, MissingFolderIsNamedAndNotCreated)
{
    const QString missing = dataDir() + QStringLiteral("/Nowhere");
    engine::Database db(missing);
    engine::Table video(db, QStringLiteral("Video.db"));
    const QString message = errorOf([&] { video.Open(); });
    EXPECT_TRUE(message.contains(QStringLiteral("Nowhere"))) << message.toStdString();
    EXPECT_FALSE(video.Active());
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(DatabaseOpen, MissingFileIsNamedAndNeverCreated)
{
    engine::Table& loans = table(QStringLiteral("Udlaan.db"));
    const QString message = errorOf([&] { loans.Open(); });
    EXPECT_TRUE(message.contains(QStringLiteral("Udlaan.db"))) << message.toStdString();
    EXPECT_FALSE(loans.Active());
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("Udlaan.db"))));
    // The failure leaves the connection usable.
    EXPECT_NO_THROW(open(QStringLiteral("Video.db")));
}

TEST_F(DatabaseOpen, FolderNamesThatMeanSomethingInAnAddressWork)
{
    // The files are attached by URI: '?', '#', '%' and blanks in the path must not cut it.
    const QString folder = dataDir() + QString::fromUtf8("/Min samling #1 ?100% æøå");
    QDir().mkpath(folder);
    createCatalogueFile(folder, QStringLiteral("Video.db"));
    engine::Database db(folder);
    engine::Table video(db, QStringLiteral("Video.db"));
    video.Open();
    video.Insert();
    video.FieldByName(QStringLiteral("TapeNr")).SetAsString(QStringLiteral("0001-00"));
    video.Post();
    EXPECT_EQ(scalarOn(folder + QStringLiteral("/Video.db"), QStringLiteral("SELECT count(*) FROM Video")).toLongLong(), 1);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("Video.db")});
}

TEST_F(DatabaseOpen, FileThatIsNoDatabaseFailsAtOpenAndSparesTheOthers)
{
    for (const bool first : {true, false}) {
        SCOPED_TRACE(first ? "as the first file" : "after another file");
        engine::Database db(dataDir());
        QFile garbage(file(QStringLiteral("Type.db")));
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(8192, 'x'));
        garbage.close();
        engine::Table video(db, QStringLiteral("Video.db"));
        engine::Table types(db, QStringLiteral("Type.db"));
        if (!first)
            video.Open();
        const QString message = errorOf([&] { types.Open(); });
        EXPECT_TRUE(message.contains(QStringLiteral("Type.db"))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("not a database"))) << message.toStdString();
        video.Open();
        EXPECT_TRUE(video.Active());
        EXPECT_EQ(video.RecordCount(), 0);
    }
}

TEST_F(DatabaseOpen, AFolderOrADamagedFileIsNamedForWhatItIs)
{
    QFile good(file(QStringLiteral("Video.db")));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray header = good.read(100);
    std::mt19937 random(17);
    // As long as the header says, so that SQLite itself meets the damage.
    QByteArray noise(good.size() - 100, '\0');
    for (char& byte : noise)
        byte = char(random());
    const struct {
        const char* file;
        std::function<void(const QString&)> make;
        const char* says;
    } cases[] = {
        {"Type.db", [](const QString& path) { QDir().mkdir(path); }, "Tabelfilen \"%1\" er en mappe"},
        {"Kategori.db",
         [&](const QString& path) {
             QFile damaged(path);
             ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
             damaged.write(header + noise);
         },
         "tabellen \"Kategori\" er beskadiget"},
    };
    for (const auto& c : cases) {
        const QString path = file(QString::fromLatin1(c.file));
        c.make(path);
        const QString message = errorOf([&] { open(QString::fromLatin1(c.file)); });
        EXPECT_TRUE(message.contains(QString::fromLatin1(c.says).arg(path))) << message.toStdString();
        EXPECT_FALSE(message.contains(QStringLiteral("findes ikke"))) << message.toStdString();
    }
}

TEST_F(DatabaseOpen, FileWithoutItsTableIsRefused)
{
    execOn(file(QStringLiteral("Type.db")), QStringLiteral("CREATE TABLE Other(x TEXT)"));
    const QString message = errorOf([&] { open(QStringLiteral("Type.db")); });
    EXPECT_TRUE(message.contains(QStringLiteral("Type.db"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("ingen tabel \"Type\""))) << message.toStdString();
}

// A view of the table's name is not the catalogue's schema: it could read as empty records.
TEST_F(DatabaseOpen, AViewInPlaceOfTheTableIsRefused)
{
    const QString path = file(QStringLiteral("Type.db"));
    execOn(path, QStringLiteral("CREATE VIEW Type AS SELECT 'x' AS Type FROM sqlite_master"));
    const QString message = errorOf([&] { open(QStringLiteral("Type.db")); });
    EXPECT_TRUE(message.contains(QStringLiteral("Type.db"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("'Type' in the file is a view, not a table"))) << message.toStdString();
}

TEST_F(DatabaseOpen, FileLeftInWalModeIsSwitchedBack)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Vertigo"));
    execOn(file(QStringLiteral("Video.db")), QStringLiteral("PRAGMA journal_mode=WAL"));
    ASSERT_EQ(scalarOn(file(QStringLiteral("Video.db")), QStringLiteral("PRAGMA journal_mode")).toString(),
              QStringLiteral("wal"));
    engine::Table& video = open(QStringLiteral("Video.db"));
    EXPECT_EQ(video.FieldByName(QStringLiteral("Titel")).AsString(), QStringLiteral("Vertigo"));
    EXPECT_EQ(scalarOn(file(QStringLiteral("Video.db")), QStringLiteral("PRAGMA journal_mode")).toString(),
              QStringLiteral("delete"));
}

TEST_F(DatabaseOpen, WalFileInUseElsewhereIsRefusedClearly)
{
    execOn(file(QStringLiteral("Video.db")), QStringLiteral("PRAGMA journal_mode=WAL"));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file(QStringLiteral("Video.db")).toUtf8().constData(), &other), SQLITE_OK);
    sqlite3_exec(other, "SELECT count(*) FROM Video", nullptr, nullptr, nullptr);
    const QString message = errorOf([&] { open(QStringLiteral("Video.db")); });
    sqlite3_close(other);
    EXPECT_TRUE(message.contains(QStringLiteral("Video.db"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("journal mode"))) << message.toStdString();
}

TEST_F(DatabaseOpen, EveryFileIsSetToRollbackJournalAndExtraSync)
{
    open(QStringLiteral("Video.db"));
    open(QStringLiteral("Medvirker.db"));
    for (const char* schema : {"Video", "Medvirker"}) {
        for (const auto& [pragma, expected] : {std::pair{"journal_mode", "delete"}, std::pair{"synchronous", "3"}}) {
            const QString sql = QStringLiteral("PRAGMA %1.%2").arg(QLatin1String(schema), QLatin1String(pragma));
            EXPECT_EQ(db().scalar(sql).toString(), QLatin1String(expected)) << sql.toStdString();
        }
    }
}

TEST_F(DatabaseOpen, MainFileLivesInTheTableFolderSoCommitsSpanFilesAtomically)
{
    // A transaction over several files is atomic across a crash only with a super-journal,
    // which SQLite writes beside the main database file, and never for an in-memory main.
    open(QStringLiteral("Medvirker.db"));
    engine::Table& video = open(QStringLiteral("Video.db"));
    const QString mainFile = db().scalar(QStringLiteral("SELECT file FROM pragma_database_list WHERE name = 'main'")).toString();
    EXPECT_EQ(QFileInfo(mainFile).absolutePath(), QFileInfo(dataDir()).absoluteFilePath());
    // The main file is only read; the tables are written through their own schemas.
    EXPECT_TRUE(errorOf([&] { db().exec(QStringLiteral("CREATE TABLE main.Probe(a)")); }).contains(QStringLiteral("readonly")));
    video.Insert();
    video.FieldByName(QStringLiteral("TapeNr")).SetAsString(QStringLiteral("0001-00"));
    EXPECT_NO_THROW(video.Post());
}

TEST_F(DatabaseOpen, TwoComponentsOnOneFileShareItsSchema)
{
    engine::Table& cast = open(QStringLiteral("Medvirker.db"));
    engine::Table& allCast = open(QStringLiteral("Medvirker.db"));
    engine::Table& video = open(QStringLiteral("Video.db"));
    EXPECT_EQ(db().tablesOn(QStringLiteral("Medvirker")), (std::vector<engine::Table*>{&cast, &allCast}));
    EXPECT_EQ(db().tablesOn(QStringLiteral("Video")), (std::vector<engine::Table*>{&video}));
}

TEST_F(DatabaseOpen, AFileMadeBeforeTheSelectionIndexesGetsThemWhenAttached)
{
    // Video.db as files were made before: the table and its order indexes only.
    const QString video = file(QStringLiteral("Video.db"));
    QFile::remove(video);
    QStringList statements;
    for (const QString& statement : data::catalogueFiles().at(0).statements)
        if (!statement.contains(QLatin1String("\"Select")))
            statements << statement;
    execOn(video, statements.join(QStringLiteral(";\n")) + QStringLiteral(";INSERT INTO Video(TapeNr, Instruktor) VALUES ('0001-00', 'Lang')"));
    const QString count = QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name LIKE 'Select%'");
    ASSERT_EQ(scalarOn(video, count).toLongLong(), 0);

    db().setWantedIndexes(data::selectionIndexes());
    engine::Table& table = open(QStringLiteral("Video.db"));
    EXPECT_EQ(scalarOn(video, count).toLongLong(), qint64(data::selectionIndexes().size()));
    EXPECT_EQ(scalarOn(video, QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
    table.SetFilter(QStringLiteral("Instruktor = 'Lang'"));
    table.SetFiltered(true);
    EXPECT_EQ(table.RecordCount(), 1);
    // Opening again finds them there and adds nothing.
    table.Close();
    db().detachAll();
    table.Open();
    EXPECT_EQ(scalarOn(video, count).toLongLong(), qint64(data::selectionIndexes().size()));
}

class Transactions : public EngineTest {
protected:
    void post(engine::Table& video, const QString& tapeNr)
    {
        video.Insert();
        video.FieldByName(QStringLiteral("TapeNr")).SetAsString(tapeNr);
        video.Post();
    }
};

TEST_F(Transactions, RollbackUndoesPostsAndRereadsTheViews)
{
    engine::Table& video = open(QStringLiteral("Video.db"));
    engine::Table& cast = open(QStringLiteral("Medvirker.db"));
    {
        engine::Transaction scope(db());
        post(video, QStringLiteral("0001-00"));
        cast.Insert();
        cast.FieldByName(QStringLiteral("Tapenr")).SetAsString(QStringLiteral("0001-00"));
        cast.Post();
        // A view read after the writes must not come back after the rollback.
        video.SetIndexName(QStringLiteral("IndexTitel"));
        EXPECT_EQ(video.RecordCount(), 1);
        EXPECT_EQ(cast.RecordCount(), 1);
    }
    EXPECT_EQ(video.RecordCount(), 0);
    EXPECT_EQ(cast.RecordCount(), 0);
    EXPECT_TRUE(video.Eof());
    EXPECT_EQ(video.FieldByName(QStringLiteral("TapeNr")).AsString(), QString());
    EXPECT_EQ(countOf(QStringLiteral("Video.db")), 0);
    EXPECT_EQ(countOf(QStringLiteral("Medvirker.db")), 0);
}

TEST_F(Transactions, InnerScopeRollsBackAloneAndOuterCommitKeepsTheRest)
{
    engine::Table& video = open(QStringLiteral("Video.db"));
    {
        engine::Transaction outer(db());
        post(video, QStringLiteral("0001-00"));
        {
            engine::Transaction inner(db());
            EXPECT_EQ(db().scopeDepth(), 2);
            post(video, QStringLiteral("0002-00"));
            EXPECT_EQ(video.RecordCount(), 2);
        }
        EXPECT_EQ(video.RecordCount(), 1);
        EXPECT_EQ(video.FieldByName(QStringLiteral("TapeNr")).AsString(), QStringLiteral("0001-00"));
        outer.commit();
    }
    EXPECT_EQ(db().scopeDepth(), 0);
    EXPECT_EQ(countOf(QStringLiteral("Video.db")), 1);
}

TEST_F(Transactions, OthersSeeAPostOnlyWhenTheOutermostScopeCommits)
{
    engine::Table& video = open(QStringLiteral("Video.db"));
    engine::Transaction scope(db());
    post(video, QStringLiteral("0001-00"));
    EXPECT_EQ(countOf(QStringLiteral("Video.db")), 0);
    scope.commit();
    EXPECT_EQ(countOf(QStringLiteral("Video.db")), 1);
}

TEST_F(Transactions, AScopeLocksNothingBeforeItsFirstWrite)
{
    // A delete asks its question inside its scope: another program may write meanwhile.
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    engine::Table& video = open(QStringLiteral("Video.db"));
    {
        engine::Transaction scope(db());
        engine::Transaction inner(db());
        EXPECT_TRUE(video.Locate(QStringLiteral("Titel"), QStringLiteral("A")));
        EXPECT_NO_THROW(addTape(QStringLiteral("0002-00"), QStringLiteral("B")));
        post(video, QStringLiteral("0003-00"));
        // Now the scope holds the file: another writer is refused.
        EXPECT_THROW(addTape(QStringLiteral("0004-00"), QStringLiteral("D")), std::runtime_error);
        inner.commit();
        scope.commit();
    }
    EXPECT_EQ(countOf(QStringLiteral("Video.db")), 3);
}

TEST_F(Transactions, InnerScopeThatWroteRollsBackWhileTheOuterNeverWrote)
{
    engine::Table& video = open(QStringLiteral("Video.db"));
    {
        engine::Transaction outer(db());
        {
            engine::Transaction inner(db());
            post(video, QStringLiteral("0001-00"));
        }
        EXPECT_EQ(video.RecordCount(), 0);
        {
            engine::Transaction inner(db());
            post(video, QStringLiteral("0002-00"));
            inner.commit();
        }
        outer.commit();
    }
    EXPECT_EQ(countOf(QStringLiteral("Video.db"), QStringLiteral("TapeNr = '0002-00'")), 1);
    EXPECT_EQ(countOf(QStringLiteral("Video.db")), 1);
}

TEST_F(Transactions, APostOutsideAnyScopeIsCommittedAtOnce)
{
    engine::Table& video = open(QStringLiteral("Video.db"));
    post(video, QStringLiteral("0001-00"));
    EXPECT_EQ(db().scopeDepth(), 0);
    EXPECT_EQ(countOf(QStringLiteral("Video.db")), 1);
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("Video.db-journal"))));
}

// The command line reads a whole list inside one snapshot: another writer waits for its end
// instead of mixing two states of the catalogue into one list.
TEST_F(Transactions, AReadSnapshotSeesOneStateUntilItEnds)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("A"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("B"));
    engine::Table& video = open(QStringLiteral("Video.db"));
    {
        const engine::ReadSnapshot snapshot(db());
        video.Refresh();
        EXPECT_THROW(addTape(QStringLiteral("0003-00"), QStringLiteral("C")), std::runtime_error);
        EXPECT_THROW(execOn(file(QStringLiteral("Video.db")), QStringLiteral("DELETE FROM Video")), std::runtime_error);
        EXPECT_EQ(walk(video, QStringLiteral("Titel")), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    }
    EXPECT_EQ(db().scopeDepth(), 0);
    EXPECT_NO_THROW(addTape(QStringLiteral("0003-00"), QStringLiteral("C")));
    video.Refresh();
    EXPECT_EQ(walk(video, QStringLiteral("Titel")), QStringList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
}

TEST_F(Transactions, ARecordDeletedElsewhereReadsAsVanished)
{
    // More records than one batch, so the last one is read only when the cursor gets there.
    execOn(file(QStringLiteral("Video.db")),
           QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                          "INSERT INTO Video(TapeNr, Titel, Indhold) SELECT printf('%04d-00', i), 'Film', 'x' FROM n"));
    engine::Table& video = open(QStringLiteral("Video.db"));
    EXPECT_FALSE(video.RecordVanished());
    execOn(file(QStringLiteral("Video.db")), QStringLiteral("DELETE FROM Video WHERE TapeNr = '0300-00'"));
    video.Last();
    EXPECT_TRUE(video.RecordVanished());
    EXPECT_EQ(video.FieldByName(QStringLiteral("TapeNr")).AsString(), QString());
    video.Prior();
    EXPECT_FALSE(video.RecordVanished());
    EXPECT_EQ(video.FieldByName(QStringLiteral("TapeNr")).AsString(), QStringLiteral("0299-00"));
}

} // namespace
