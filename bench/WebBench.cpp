// Writes the web catalogue of a generated catalogue (three cast rows and about 1 KB of
// description per tape) and prints how long it took and how big index.html is; the page
// itself is measured in a browser by bench/web_measure.py.
//     spk_web_bench TAPES DIR
#include "BenchCatalogue.h"
#include "data/DM.h"
#include "output/HtmlCatalogue.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: spk_web_bench TAPES DIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    bench::BenchCatalogue& catalogue = bench::BenchCatalogue::of(QByteArray(argv[1]).toInt());
    data::TDM dm(catalogue.dataDir());
    dm.CheckTables();
    QElapsedTimer timer;
    timer.start();
    const int tapes = output::writeHtmlCatalogue(dm.database(), QString::fromLocal8Bit(argv[2]), {});
    const qint64 bytes = QFileInfo(QString::fromLocal8Bit(argv[2]) + QStringLiteral("/index.html")).size();
    std::printf("%d tapes written in %lld ms; index.html %.1f MB\n", tapes, timer.elapsed(), double(bytes) / 1e6);
    return 0;
}
