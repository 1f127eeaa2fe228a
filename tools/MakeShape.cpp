// Writes the "FormShape" block of a picture's outline: its pixels that are not near-white
// background, as horizontal bands of rectangles. Used to make resources/pictures/splash.shape:
//   spolarkiv-makeshape resources/pictures/splash.jpg resources/pictures/splash.shape
#include "support/FormShaper.h"
#include "support/JpegLoader.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdio>

namespace {

QImage loadPicture(const QString& path)
{
    if (path.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive)
        || path.endsWith(QLatin1String(".jpeg"), Qt::CaseInsensitive))
        return support::loadJpegFile(path).value_or(QImage());
    return QImage(path);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 && args.size() != 4) {
        std::fprintf(stderr, "usage: spolarkiv-makeshape PICTURE SHAPEFILE [BACKGROUND-LEVEL]\n");
        return 2;
    }
    const QImage picture = loadPicture(args.at(1));
    if (picture.isNull()) {
        std::fprintf(stderr, "spolarkiv-makeshape: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const int level = args.size() == 4 ? args.at(3).toInt() : 235;
    const auto rects = support::bandsOfPicture(picture, level);
    QFile out(args.at(2));
    if (rects.empty() || !out.open(QIODevice::WriteOnly)
        || out.write(support::formShapeBlock(support::encodeRegionData(rects))) < 0) {
        std::fprintf(stderr, "spolarkiv-makeshape: cannot write %s\n", qPrintable(args.at(2)));
        return 1;
    }
    std::printf("%zu rectangles\n", rects.size());
    return 0;
}
