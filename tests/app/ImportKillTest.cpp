// The command-line import killed at random moments (fixed seed): after every kill the program
// folder holds a complete catalogue, either the one before the import or the imported one.
#include "OldCatalogue.h"
#include "common/TempProgramFolder.h"
#include "engine/Database.h"
#include "engine/Statement.h"
#include "import/CatalogueImport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <random>

namespace {

constexpr int largeTapes = 3000;

// Tapes and cast rows of the catalogue in Data, and whether SQLite finds every file sound.
struct Catalogue {
    qint64 tapes = -1;
    qint64 cast = -1;
    bool sound = false;
};

Catalogue inspect(const QString& dataFolder)
{
    Catalogue seen;
    engine::Database db(dataFolder);
    db.attach(QStringLiteral("Video.db"));
    db.attach(QStringLiteral("Medvirker.db"));
    engine::Statement tapes(db, QStringLiteral("SELECT count(*) FROM Video.Video"));
    seen.tapes = tapes.step() ? tapes.int64(0) : -1;
    engine::Statement cast(db, QStringLiteral("SELECT count(*) FROM Medvirker.Medvirker"));
    seen.cast = cast.step() ? cast.int64(0) : -1;
    seen.sound = true;
    for (const char* schema : {"Video", "Medvirker"}) {
        engine::Statement check(db, QStringLiteral("PRAGMA %1.integrity_check").arg(QString::fromLatin1(schema)));
        seen.sound = seen.sound && check.step() && check.text(0) == QLatin1String("ok");
    }
    return seen;
}

TEST(ImportKilled, LeavesEitherThePreviousOrTheNewCatalogueWhole)
{
    QTemporaryDir old;
    ASSERT_TRUE(old.isValid());
    paradoxtest::writeLargeOldCatalogue(old.path() + QStringLiteral("/Data"), largeTapes, 200);
    testing_support::TempProgramFolder program;
    QFile::copy(QString::fromLocal8Bit(SPK_PROGRAM_BINARY), program.file(QStringLiteral("spolarkiv")));
    QFile::setPermissions(program.file(QStringLiteral("spolarkiv")), QFile::ExeOwner | QFile::ReadOwner);

    std::mt19937 random(20261209);
    // The kills fall anywhere in an import as long as this machine takes for one now, so that
    // some imports end and some are cut off however loaded the machine is.
    std::uniform_int_distribution<int> delay(0, 900);
    int killed = 0;
    int completed = 0;
    for (int round = 0; round < 12; ++round) {
        const Catalogue before = inspect(program.dataDir());
        QProcess import;
        import.setWorkingDirectory(program.path());
        QElapsedTimer took;
        took.start();
        import.start(program.file(QStringLiteral("spolarkiv")),
                     {QStringLiteral("--import-paradox"), old.path() + QStringLiteral("/Data"), QStringLiteral("--replace")});
        ASSERT_TRUE(import.waitForStarted());
        const int wait = round == 0 ? 120000 : delay(random);
        if (!import.waitForFinished(wait)) {
            import.kill();
            import.waitForFinished();
            ++killed;
        } else {
            EXPECT_EQ(import.exitCode(), 0) << import.readAllStandardError().toStdString();
            ++completed;
        }
        if (round == 0)
            delay = std::uniform_int_distribution<int>(0, int(took.elapsed() * 13 / 10));
        const Catalogue after = inspect(program.dataDir());
        EXPECT_TRUE(after.sound) << "round " << round;
        const bool previous = after.tapes == before.tapes && after.cast == before.cast;
        const bool imported = after.tapes == largeTapes && after.cast == 3 * largeTapes;
        EXPECT_TRUE(previous || imported) << "round " << round << ": " << after.tapes << " tapes, " << after.cast
                                          << " cast rows";
    }
    // Both endings must have happened for the test to mean anything.
    EXPECT_GT(killed, 0);
    EXPECT_GT(completed, 0);
    // A killed import's unfinished folder is cleared by the next one.
    EXPECT_LE(QDir(program.path()).entryList({QStringLiteral("Data-import-*")}, QDir::Dirs).size(), 1);
}

} // namespace
