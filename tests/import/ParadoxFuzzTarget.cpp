// Long fuzz runs of the Paradox reader, by hand or in the background, ideally built with
// -fsanitize=address,undefined: spk_paradox_fuzz <iterations> <seed> [folder]
// Any exception other than EImportError is a fault; its input is saved under /tmp/paradox-crash-N.
// When a sanitizer stops the program instead, the input it was reading is still in the folder.
// Under AddressSanitizer, ASAN_OPTIONS=quarantine_size_mb=16 runs about three times faster.
#include "ParadoxFuzz.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <exception>

using namespace paradoxtest;

namespace {

void saveFault(const QString& folder, const FuzzSeed& seed, const FuzzInput& in, qint64 n)
{
    const QString dir = QStringLiteral("/tmp/paradox-crash-%1").arg(n);
    QDir().mkpath(dir);
    auto put = [&](const QString& name, const QByteArray& bytes) {
        QFile f(QDir(dir).filePath(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    };
    put(seed.spec.name + seed.spec.dbSuffix, in.db);
    if (in.hasMb)
        put(mbFileName(seed.spec), in.mb);
    std::fprintf(stderr, "fault input saved in %s (work folder %s)\n", qPrintable(dir),
                 qPrintable(folder));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <iterations> <seed> [folder]\n", argv[0]);
        return 2;
    }
    const qint64 iterations = std::atoll(argv[1]);
    const unsigned seedValue = unsigned(std::strtoul(argv[2], nullptr, 10));
    const QString folder = argc > 3 ? QString::fromLocal8Bit(argv[3])
                                    : QStringLiteral("/dev/shm/spk-paradox-fuzz-%1").arg(seedValue);
    QDir().mkpath(folder);

    const QVector<FuzzSeed> seeds = fuzzSeeds();
    std::mt19937 rng(seedValue);
    qint64 read = 0, refused = 0, faults = 0;
    QElapsedTimer timer;
    timer.start();
    for (qint64 i = 0; i < iterations; ++i) {
        const FuzzSeed& seed = seeds[int(rng() % quint32(seeds.size()))];
        const FuzzInput input = mutate(seed, rng);
        try {
            (readMutated(folder, seed, input) ? read : refused)++;
        } catch (const std::exception& e) {
            ++faults;
            std::fprintf(stderr, "input %lld: unexpected exception: %s\n", (long long)i, e.what());
            saveFault(folder, seed, input, i);
        } catch (...) {
            ++faults;
            std::fprintf(stderr, "input %lld: unexpected non-standard exception\n", (long long)i);
            saveFault(folder, seed, input, i);
        }
        if ((i + 1) % 100000 == 0)
            std::fprintf(stderr, "%lld inputs, %lld s\n", (long long)(i + 1),
                         (long long)(timer.elapsed() / 1000));
    }
    std::printf("%lld inputs, %lld faults (%lld read, %lld refused) in %.1f s\n",
                (long long)iterations, (long long)faults, (long long)read, (long long)refused,
                timer.elapsed() / 1000.0);
    QDir(folder).removeRecursively();
    return faults == 0 ? 0 : 1;
}
