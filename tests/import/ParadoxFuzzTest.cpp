// Damaged tables may only be read or refused with EImportError; the sanitizer build catches
// memory faults on the same inputs.
#include "ParadoxFuzz.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace paradoxtest;

TEST(ParadoxFuzz, SeedTablesReadInFull)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const FuzzSeed& seed : fuzzSeeds()) {
        qint64 records = -1;
        FuzzInput intact{seed.table.db, seed.table.mb, seed.table.hasMb};
        EXPECT_TRUE(readMutated(dir.path(), seed, intact, &records)) << qPrintable(seed.spec.name);
        EXPECT_EQ(records, seed.spec.rows.size()) << qPrintable(seed.spec.name);
    }
}

TEST(ParadoxFuzz, DamagedTablesAreReadOrRefusedNeverAnythingElse)
{
    // Thousands of small files: memory-backed when the machine has it, twenty times faster.
    QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/spk-paradox-XXXXXX")
                                                               : QDir::tempPath() + QStringLiteral("/spk-paradox-XXXXXX"));
    ASSERT_TRUE(dir.isValid());
    const QVector<FuzzSeed> seeds = fuzzSeeds();
    std::mt19937 rng(20261209u);
    int read = 0;
    int refused = 0;
    for (int i = 0; i < 4000; ++i) {
        const FuzzSeed& seed = seeds[int(rng() % quint32(seeds.size()))];
        const FuzzInput input = mutate(seed, rng);
        try {
            (readMutated(dir.path(), seed, input) ? read : refused)++;
        } catch (const std::exception& e) {
            ADD_FAILURE() << "input " << i << " of " << qPrintable(seed.spec.name)
                          << " threw something other than EImportError: " << e.what();
        }
    }
    // Both outcomes must occur, or the mutations are not reaching the reader's checks.
    EXPECT_GT(read, 100);
    EXPECT_GT(refused, 100);
}
