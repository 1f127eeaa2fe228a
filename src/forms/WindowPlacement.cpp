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

// The design client area, kept inside the screen together with the frame known now.
void showDesignSize(QWidget* window, QSize designClient, QSize screen)
{
    const QSize frame = support::frameSize(window);
    const QSize room = screen.isEmpty() ? designClient : (screen - frame).expandedTo(QSize(1, 1));
    support::setClientSize(window, designClient.boundedTo(room));
}
} // namespace

QSize availableScreenSize(const QWidget* window)
{
    const QScreen* screen = screenOf(window);
    return screen ? screen->availableGeometry().size() : QSize();
}

void restoreOuterSize(QWidget* window, QSize stored, QSize designClient, QSize minimumClient)
{
    const QSize screen = availableScreenSize(window);
    // A screen smaller than the window needs still shows all of it.
    const QSize room = screen.isEmpty() ? minimumClient : (screen - support::frameSize(window)).expandedTo(QSize(1, 1));
    window->setMinimumSize(minimumClient.boundedTo(room));
    // A fresh configuration holds the design client sizes; taken as outer sizes they would
    // open the window one frame smaller than designed. Every size a window stores itself is
    // an outer size and differs from the design client size once a frame exists.
    const bool usable = support::sanitizedOuterSize(stored, designClient, screen) == stored;
    if (stored == designClient || !usable)
        showDesignSize(window, designClient, screen);
    else
        support::setOuterSize(window, stored);
    // Centred again once the window manager has placed the window, which it may do in a corner
    // the first time a window is mapped.
    support::keepCentredWhileShowing(window);
}

} // namespace forms
