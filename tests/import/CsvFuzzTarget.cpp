// Long fuzz runs of the text-file reader, ideally built with -fsanitize=address,undefined:
// spk_csv_fuzz <iterations> <seed>. Any exception other than EImportError is a fault; its input
// is saved as /tmp/csv-crash-N.csv. When a sanitizer stops the program, the input it was
// reading is still in /dev/shm/spk-csv-fuzz-<seed>.csv.
#include "CsvFuzz.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <iterations> <seed>\n", argv[0]);
        return 2;
    }
    const qint64 iterations = std::atoll(argv[1]);
    const unsigned seedValue = unsigned(std::strtoul(argv[2], nullptr, 10));
    const QString path = QStringLiteral("/dev/shm/spk-csv-fuzz-%1.csv").arg(seedValue);
    const QVector<QByteArray> seeds = csvtest::fuzzSeeds();
    std::mt19937 rng(seedValue);
    qint64 read = 0, refused = 0, faults = 0;
    QElapsedTimer timer;
    timer.start();
    for (qint64 i = 0; i < iterations; ++i) {
        const QByteArray input = csvtest::mutate(seeds[int(rng() % quint32(seeds.size()))], rng);
        try {
            (csvtest::readMutated(path, input) >= 0 ? read : refused)++;
        } catch (const std::exception& e) {
            QFile saved(QStringLiteral("/tmp/csv-crash-%1.csv").arg(faults++));
            if (saved.open(QIODevice::WriteOnly))
                saved.write(input);
            std::fprintf(stderr, "input %lld: %s\n", static_cast<long long>(i), e.what());
        }
    }
    QFile::remove(path);
    std::printf("%lld inputs in %.1f s: %lld read, %lld refused, %lld faults\n", static_cast<long long>(iterations),
                double(timer.elapsed()) / 1000.0, static_cast<long long>(read), static_cast<long long>(refused),
                static_cast<long long>(faults));
    return faults == 0 ? 0 : 1;
}
