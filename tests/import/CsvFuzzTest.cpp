// Damaged text files may only be read or refused with EImportError, and the import accounts
// for every row it read; the sanitizer build catches memory faults on the same inputs.
#include "CsvFuzz.h"
#include "import/CsvImport.h"
#include "import/ImportError.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace csvtest;

TEST(CsvFuzz, DamagedFilesAreReadOrRefusedNeverAnythingElse)
{
    QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/spk-csv-XXXXXX")
                                                               : QDir::tempPath() + QStringLiteral("/spk-csv-XXXXXX"));
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("in.csv"));
    const QVector<QByteArray> seeds = fuzzSeeds();
    std::mt19937 rng(20261209u);
    int read = 0;
    int refused = 0;
    for (int i = 0; i < 5000; ++i) {
        const QByteArray input = mutate(seeds[int(rng() % quint32(seeds.size()))], rng);
        try {
            (readMutated(path, input) >= 0 ? read : refused)++;
        } catch (const std::exception& e) {
            ADD_FAILURE() << "input " << i << " threw something other than EImportError: " << e.what();
        }
    }
    // Both outcomes must occur, or the mutations are not reaching the reader's checks.
    EXPECT_GT(read, 1000);
    EXPECT_GT(refused, 100);
}

TEST(CsvFuzz, TheImportReportsEveryRowItReadAsStoredRefusedOrSkipped)
{
    // Each input replaces the catalogue of a memory-backed folder: a durable write on a disk
    // costs more than all the rest.
    QTemporaryDir program(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/spk-csvimport-XXXXXX")
                                                                   : QDir::tempPath() + QStringLiteral("/spk-csvimport-XXXXXX"));
    ASSERT_TRUE(program.isValid());
    import::ImportOptions options;
    options.dataFolder = program.filePath(QStringLiteral("Data"));
    options.picturesFolder = program.filePath(QStringLiteral("Billeder"));
    options.replace = true;
    const QString path = program.filePath(QStringLiteral("in.csv"));
    const QVector<QByteArray> seeds = fuzzSeeds();
    std::mt19937 rng(9122026u);
    int imported = 0;
    for (int i = 0; i < 60; ++i) {
        const QByteArray input = mutate(seeds[int(rng() % quint32(seeds.size()))], rng);
        if (readMutated(path, input) < 0)
            continue;
        try {
            const import::ImportReport report = import::importCsv(path, options);
            ASSERT_FALSE(report.tables.isEmpty());
            const import::TableReport& video = report.tables.first();
            EXPECT_EQ(video.read, video.stored + report.refused.size() + report.skipped.size()) << "input " << i;
            ++imported;
        } catch (const import::EImportError&) {
            // no tape-number column left, or a header that is not one
        }
    }
    EXPECT_GT(imported, 20);
}
