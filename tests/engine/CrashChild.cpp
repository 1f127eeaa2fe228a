// Helper of the crash tests: writes tapes with their cast and deletes them with a cascade,
// each in one transaction over two files, and reports on stdout what it did:
//   "B"          a transaction that adds a tape is open
//   "B <tape>"   a transaction that deletes the tape is open
//   "C <tape>"   a tape and its three cast rows are committed
//   "D <tape>"   a tape and its cast rows are deleted (committed)
//
//   engine_crash_child loop DATA-DIR SEED FIRST-NUMBER   runs until killed (or 5000 steps)
//   engine_crash_child kill-at DATA-DIR POINT            deletes tape 0001-00 and kills itself
//        inside the commit: POINT "super" (before the super-journal goes), "journal1" or
//        "journal2" (before the first or second file's journal goes)
#include "core/Errors.h"
#include "engine/DataSource.h"
#include "engine/Database.h"
#include "engine/Table.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>
#include <sqlite3.h>

namespace {

void report(const char* line, const QString& tape = QString())
{
    if (tape.isEmpty())
        std::printf("%s\n", line);
    else
        std::printf("%s %s\n", line, tape.toUtf8().constData());
    std::fflush(stdout);
}

// The catalogue's cast link and cascade, as the data module sets them up.
struct Catalogue {
    explicit Catalogue(const QString& dataDir)
        : db(dataDir), video(db, QStringLiteral("Video.db")), source(&video), cast(db, QStringLiteral("Medvirker.db"))
    {
        video.Open();
        cast.SetMasterSource(&source);
        cast.SetMasterFields(QStringLiteral("Tapenr"));
        cast.SetIndexFieldNames(QStringLiteral("Tapenr"));
        cast.Open();
        video.BeforeDelete = [this](engine::Table& table) {
            report("B", table.FieldByName(QStringLiteral("TapeNr")).AsString());
            const int count = cast.RecordCount();
            cast.First();
            for (int i = 0; i < count; ++i)
                cast.Delete();
        };
    }

    void addTape(const QString& tape)
    {
        engine::Transaction scope(db);
        report("B");
        video.Insert();
        video.FieldByName(QStringLiteral("TapeNr")).SetAsString(tape);
        video.FieldByName(QStringLiteral("Titel")).SetAsString(QStringLiteral("Title ") + tape);
        video.Post();
        for (int i = 0; i < 3; ++i) {
            cast.Insert();
            cast.FieldByName(QStringLiteral("Skuespiller")).SetAsString(QStringLiteral("Actor %1").arg(i));
            cast.Post();
        }
        scope.commit();
        report("C", tape);
    }

    void deleteTape()
    {
        const QString tape = video.FieldByName(QStringLiteral("TapeNr")).AsString();
        video.Delete();
        report("D", tape);
    }

    engine::Database db;
    engine::Table video;
    engine::DataSource source;
    engine::Table cast;
};

int runLoop(const QString& dataDir, unsigned seed, int firstNumber)
{
    Catalogue catalogue(dataDir);
    std::mt19937 random(seed);
    int next = firstNumber;
    for (int step = 0; step < 5000; ++step) {
        const int count = catalogue.video.RecordCount();
        if (count > 0 && random() % 3 == 0) {
            catalogue.video.MoveToRow(int(random() % unsigned(count)));
            catalogue.deleteTape();
        } else {
            catalogue.addTape(QStringLiteral("%1-00").arg(next++, 7, 10, QLatin1Char('0')));
        }
    }
    return 0;
}

// A VFS that passes everything to the default one and kills the process at one deletion.
sqlite3_vfs* baseVfs = nullptr;
sqlite3_vfs killVfs;
const char* killPoint = nullptr;
bool armed = false;
int journalsDeleted = 0;

int deleteOrDie(sqlite3_vfs*, const char* name, int syncDir)
{
    if (armed) {
        const bool super = std::strstr(name, "-mj") != nullptr;
        const bool journal = !super && std::strstr(name, "-journal") != nullptr;
        if (journal)
            ++journalsDeleted;
        if ((super && !std::strcmp(killPoint, "super")) || (journal && journalsDeleted == 1 && !std::strcmp(killPoint, "journal1"))
            || (journal && journalsDeleted == 2 && !std::strcmp(killPoint, "journal2")))
            std::raise(SIGKILL);
    }
    return baseVfs->xDelete(baseVfs, name, syncDir);
}

int runKillAt(const QString& dataDir, const char* point)
{
    baseVfs = sqlite3_vfs_find(nullptr);
    killVfs = *baseVfs;
    killVfs.zName = "killvfs";
    killVfs.xDelete = deleteOrDie;
    sqlite3_vfs_register(&killVfs, 1);
    killPoint = point;
    Catalogue catalogue(dataDir);
    if (!catalogue.video.Locate(QStringLiteral("TapeNr"), QStringLiteral("0001-00")))
        return 3;
    armed = true;
    catalogue.deleteTape();
    return 0; // reached only when the kill point was never passed
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 5 && !std::strcmp(argv[1], "loop"))
            return runLoop(QString::fromLocal8Bit(argv[2]), unsigned(std::strtoul(argv[3], nullptr, 10)),
                           std::atoi(argv[4]));
        if (argc == 4 && !std::strcmp(argv[1], "kill-at"))
            return runKillAt(QString::fromLocal8Bit(argv[2]), argv[3]);
    } catch (const core::EError& error) {
        std::fprintf(stderr, "engine_crash_child: %s\n", error.message().toUtf8().constData());
        return 1;
    }
    std::fprintf(stderr, "usage: engine_crash_child loop DATA-DIR SEED FIRST | kill-at DATA-DIR POINT\n");
    return 2;
}
