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
    centreOnScreen(window);
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = screenOf(window);
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize outer = support::outerSize(window);
    const QPoint topLeft(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
    window->move(topLeft.x() < area.x() ? area.x() : topLeft.x(), topLeft.y() < area.y() ? area.y() : topLeft.y());
}

} // namespace forms
