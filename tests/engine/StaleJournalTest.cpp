// Leftovers of killed writers beside the table files: journals SQLite never plays back and
// super-journals no journal names go when the folder is opened; anything else stays.
#include "EngineFixture.h"

#include "engine/StaleJournals.h"

#include <QFile>
#include <QtEndian>
#include <sqlite3.h>

using namespace enginetest;

namespace {

class StaleJournals : public EngineTest {
protected:
    void write(const QString& name, const QByteArray& bytes)
    {
        QFile out(file(name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(bytes), bytes.size());
    }
    bool exists(const QString& name) const { return QFile::exists(file(name)); }
    QByteArray read(const QString& name) const
    {
        QFile in(file(name));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
};

// A journal that names a super-journal at its end, as SQLite writes it during a commit over
// several files; its header is not zero.
QByteArray journalNaming(const QString& superPath)
{
    QByteArray journal("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);
    journal += QByteArray(512 - 8, '\x01');
    const QByteArray name = superPath.toUtf8();
    QByteArray number(4, '\0');
    qToBigEndian<quint32>(0x40000000 / 1024 + 1, number.data());
    journal += number + name;
    qToBigEndian<quint32>(quint32(name.size()), number.data());
    journal += number;
    quint32 sum = 0;
    for (const char c : name)
        sum += quint32(c);
    qToBigEndian<quint32>(sum, number.data());
    journal += number;
    journal += QByteArray("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);
    return journal;
}

} // namespace

TEST_F(StaleJournals, EmptyAndZeroHeaderJournalsGoWhenTheFolderOpens)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Vertigo"));
    write(QStringLiteral("Video.db-journal"), QByteArray());
    write(QStringLiteral("Medvirker.db-journal"), QByteArray(28, '\0') + QByteArray(4096, '\x07'));

    engine::Table& video = open(QStringLiteral("Video.db"));
    EXPECT_EQ(video.FieldByName(QStringLiteral("Titel")).AsString(), QStringLiteral("Vertigo"));
    EXPECT_FALSE(exists(QStringLiteral("Video.db-journal")));
    EXPECT_FALSE(exists(QStringLiteral("Medvirker.db-journal")));
}

TEST_F(StaleJournals, ASuperJournalNoJournalNamesGoesWhenTheFolderOpens)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Vertigo"));
    const QString super = QStringLiteral("Video.db-mj1A2B3C94F");
    write(super, (file(QStringLiteral("Video.db-journal")) + QChar(0) + file(QStringLiteral("Medvirker.db-journal"))
                  + QChar(0)).toUtf8());

    engine::Table& video = open(QStringLiteral("Video.db"));
    EXPECT_EQ(video.FieldByName(QStringLiteral("Titel")).AsString(), QStringLiteral("Vertigo"));
    EXPECT_FALSE(exists(super));
}

TEST_F(StaleJournals, ASuperJournalAJournalStillNamesStays)
{
    const QString super = QStringLiteral("Video.db-mj00FF0093A");
    write(super, QByteArray("x"));
    // A journal beside a file that is no table of the folder: SQLite does not play it back here.
    write(QStringLiteral("Gammel.db-journal"), journalNaming(file(super)));
    write(QStringLiteral("Medvirker.db-journal"), QByteArray(28, '\0'));

    EXPECT_EQ(engine::removeStaleJournals(dataDir()), QStringList{QStringLiteral("Medvirker.db-journal")});
    EXPECT_TRUE(exists(super));
    EXPECT_TRUE(exists(QStringLiteral("Gammel.db-journal")));

    QFile::remove(file(QStringLiteral("Gammel.db-journal")));
    EXPECT_EQ(engine::removeStaleJournals(dataDir()), QStringList{super});
}

TEST_F(StaleJournals, NothingGoesWhileAnotherProgramWrites)
{
    write(QStringLiteral("Video.db-journal"), QByteArray(512, '\0'));
    write(QStringLiteral("Video.db-mj0123AB90C"), QByteArray());
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file(QStringLiteral("Medvirker.db")).toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

    EXPECT_TRUE(engine::removeStaleJournals(dataDir()).isEmpty());
    EXPECT_TRUE(exists(QStringLiteral("Video.db-journal")));
    EXPECT_TRUE(exists(QStringLiteral("Video.db-mj0123AB90C")));

    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(engine::removeStaleJournals(dataDir()).size(), 2);
}

TEST_F(StaleJournals, AJournalWithAHeaderAndOtherFilesStay)
{
    write(QStringLiteral("Video.db-journal"), QByteArray(27, '\0') + QByteArray(1, '\x01'));
    write(QStringLiteral("Notes.txt-mj12"), QByteArray("keep"));
    write(QStringLiteral("Video.db-mjnothex"), QByteArray("keep"));
    const QStringList removed = engine::removeStaleJournals(dataDir());
    EXPECT_FALSE(removed.contains(QStringLiteral("Notes.txt-mj12")));
    EXPECT_TRUE(exists(QStringLiteral("Notes.txt-mj12")));
    EXPECT_TRUE(exists(QStringLiteral("Video.db-mjnothex")));
    EXPECT_FALSE(removed.contains(QStringLiteral("Video.db-journal")));
}

TEST_F(StaleJournals, NothingGoesWhileATableIsInWalMode)
{
    execOn(file(QStringLiteral("Medvirker.db")), QStringLiteral("PRAGMA journal_mode=WAL"));
    write(QStringLiteral("Video.db-journal"), QByteArray());
    EXPECT_TRUE(engine::removeStaleJournals(dataDir()).isEmpty());
    EXPECT_TRUE(exists(QStringLiteral("Video.db-journal")));
}
