// Writes the application icon as square PNGs from a picture, centred on a transparent canvas:
//   spolarkiv-makeicon PICTURE OUTDIR SIZE...   (gives OUTDIR/<size>/spolarkiv.png)
#include "support/JpegLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: spolarkiv-makeicon PICTURE OUTDIR SIZE...\n");
        return 2;
    }
    const QImage picture = support::loadJpegFile(args.at(1)).value_or(QImage());
    if (picture.isNull()) {
        std::fprintf(stderr, "spolarkiv-makeicon: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    for (int i = 3; i < args.size(); ++i) {
        const int size = args.at(i).toInt();
        if (size <= 0)
            return 2;
        QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
        icon.fill(Qt::transparent);
        const QImage scaled = picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPainter painter(&icon);
        painter.drawImage((size - scaled.width()) / 2, (size - scaled.height()) / 2, scaled);
        painter.end();
        const QString dir = args.at(2) + QStringLiteral("/%1").arg(size);
        const QString file = dir + QStringLiteral("/spolarkiv.png");
        if (!QDir().mkpath(dir) || !icon.save(file, "PNG")) {
            std::fprintf(stderr, "spolarkiv-makeicon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
