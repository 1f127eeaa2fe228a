#include "WindowSize.h"

#include "core/Guard.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace support {

namespace {
QSize frameExtra(const QWidget* window)
{
    const QSize extra = window->frameGeometry().size() - window->geometry().size();
    return extra.isValid() ? extra : QSize(0, 0);
}
} // namespace

QSize outerSize(const QWidget* window)
{
    return window->size() + frameExtra(window);
}

QSize sanitizedOuterSize(QSize stored, QSize design, QSize screen)
{
    const bool fits = stored.width() > 0 && stored.height() > 0
                      && (screen.isEmpty() || (stored.width() <= screen.width() && stored.height() <= screen.height()));
    if (fits)
        return stored;
    return screen.isEmpty() ? design : design.boundedTo(screen);
}

void setOuterSize(QWidget* window, QSize outer)
{
    const QSize client = (outer - frameExtra(window)).expandedTo(QSize(1, 1));
    window->resize(client);
    if (!frameExtra(window).isNull())
        return;
    // The frame is not known before the window manager has framed the window.
    QPointer<QWidget> guard(window);
    QTimer::singleShot(250, window, [guard, outer] {
        core::guarded([&] {
            if (guard && !frameExtra(guard).isNull())
                guard->resize((outer - frameExtra(guard)).expandedTo(QSize(1, 1)));
        });
    });
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame(QPoint(0, 0), window->size());
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace support
