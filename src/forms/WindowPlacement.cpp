#include "WindowPlacement.h"

#include "support/WindowSize.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace forms {

namespace {
const QScreen* screenOf(const QWidget* window)
{
    return window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}
} // namespace

QSize availableScreenSize(const QWidget* window)
{
    const QScreen* screen = screenOf(window);
    return screen ? screen->availableGeometry().size() : QSize();
}

void restoreOuterSize(QWidget* window, QSize stored, QSize designClient)
{
    const QSize frame = support::outerSize(window) - window->size();
    const QSize design = designClient + frame;
    support::setOuterSize(window, support::sanitizedOuterSize(stored, design, availableScreenSize(window)));
    support::centreOnScreen(window);
}

} // namespace forms
