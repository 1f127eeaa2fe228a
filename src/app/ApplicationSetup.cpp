#include "ApplicationSetup.h"

#include <QApplication>
#include <QStyleFactory>

namespace app {

void setUpApplication()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

} // namespace app
