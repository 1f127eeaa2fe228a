#include "ApplicationSetup.h"

#include "support/JpegLoader.h"
#include "support/QtTranslations.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QStyleFactory>

namespace app {

void setUpApplication()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Set once here, so every window and box carries the clapperboard and the desktop finds its entry.
    if (const auto clapper = support::loadJpegFile(QStringLiteral(":/pictures/clapper.jpg")))
        QApplication::setWindowIcon(QIcon(QPixmap::fromImage(*clapper)));
    QGuiApplication::setDesktopFileName(QStringLiteral("dk.spolarkiv.Spolarkiv"));
    // The windows speak Danish until a stored language is made active; so do Qt's choosers.
    support::useQtTranslations(-1);
}

} // namespace app
