#include "WindowSize.h"

#include "core/Guard.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHash>
#include <QMargins>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace support {

namespace {

// The frame the window manager has put around the window, as far as it is known now. The
// platform window is asked first: QWidget's cached frame is refreshed only by geometry events
// and may still hold the empty frame of a window that was not framed yet. A hidden window's
// platform frame may be gone; its cached frame is the one it had when last shown.
QSize knownFrame(const QWidget* window)
{
    if (const QWindow* handle = window->windowHandle()) {
        const QMargins m = handle->frameMargins();
        const QSize extra(m.left() + m.right(), m.top() + m.bottom());
        if (!extra.isNull() && extra.isValid())
            return extra;
    }
    const QSize cached = window->frameGeometry().size() - window->geometry().size();
    return cached.isValid() ? cached : QSize(0, 0);
}

QSize clientFor(QSize outer, QSize frame)
{
    return (outer - frame).expandedTo(QSize(1, 1));
}

// Keeps an outer size given before the frame was known, and applies it once the frame is.
// One per window, owned by the table below and deleted with its window; GUI thread only.
class PendingOuterSize : public QObject {
public:
    explicit PendingOuterSize(QWidget* window) : window_(window) { window->installEventFilter(this); }

    void keep(QSize outer)
    {
        outer_ = outer;
        watchPlatformWindow();
        resizeTo(outer);
        placeholder_ = client_;
        lateAnswers_ = kLateAnswers;
    }

    void drop() { outer_ = QSize(); }

    // The pending outer size, while the window still has the client size given for it.
    QSize pending() const { return outer_.isValid() && window_->size() == client_ ? outer_ : QSize(); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Expose:
        case QEvent::WindowActivate:
        case QEvent::WinIdChange:
        case QEvent::PlatformSurface:
            core::guarded([this] { settle(); });
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void watchPlatformWindow()
    {
        // The platform window reports exposure, which the widget does not see as such.
        QWindow* handle = window_->windowHandle();
        if (handle && handle != watched_) {
            handle->installEventFilter(this);
            watched_ = handle;
        }
    }

    void settle()
    {
        if (!outer_.isValid() || resizing_)
            return;
        watchPlatformWindow();
        const QSize frame = knownFrame(window_);
        if (window_->size() != client_) {
            // The window system's late answer to the placeholder size, sent before it framed
            // the window, brings that size back after the real one was set: set it again.
            if (window_->size() == placeholder_ && placeholder_ != client_ && !frame.isNull() && lateAnswers_-- > 0)
                resizeTo(clientFor(outer_, frame));
            else
                drop(); // resized by someone else, the user or the window manager
            return;
        }
        if (frame.isNull())
            return;
        // Kept while the window has this size, so that a late answer can be told from a user's
        // resize and the outer size is the one given.
        if (window_->size() != clientFor(outer_, frame))
            resizeTo(clientFor(outer_, frame));
    }

    void resizeTo(QSize client)
    {
        // Our own resize is not someone else's: its events must not drop the size.
        resizing_ = true;
        window_->resize(client);
        resizing_ = false;
        client_ = window_->size();
    }

    static constexpr int kLateAnswers = 3;

    QWidget* window_;
    QPointer<QWindow> watched_;
    QSize outer_;
    QSize client_;      ///< the client size this object gave the window last
    QSize placeholder_; ///< the client size given before the frame was known
    int lateAnswers_ = 0;
    bool resizing_ = false;
};

QHash<const QWidget*, PendingOuterSize*>& pendingSizes()
{
    static QHash<const QWidget*, PendingOuterSize*> sizes;
    return sizes;
}

PendingOuterSize* pendingFor(const QWidget* window)
{
    return pendingSizes().value(window, nullptr);
}

PendingOuterSize& ensurePending(QWidget* window)
{
    if (PendingOuterSize* existing = pendingFor(window))
        return *existing;
    auto* pending = new PendingOuterSize(window);
    pendingSizes().insert(window, pending);
    QObject::connect(window, &QObject::destroyed, [window, pending] {
        pendingSizes().remove(window);
        delete pending;
    });
    return *pending;
}

} // namespace

QSize outerSize(const QWidget* window)
{
    if (const PendingOuterSize* pending = pendingFor(window))
        if (const QSize outer = pending->pending(); outer.isValid())
            return outer;
    return window->size() + knownFrame(window);
}

QSize frameSize(const QWidget* window)
{
    return knownFrame(window);
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
    const QSize frame = knownFrame(window);
    if (frame.isNull()) {
        ensurePending(window).keep(outer);
        return;
    }
    if (PendingOuterSize* pending = pendingFor(window))
        pending->drop();
    window->resize(clientFor(outer, frame));
}

void setClientSize(QWidget* window, QSize client)
{
    if (PendingOuterSize* pending = pendingFor(window))
        pending->drop();
    window->resize(client);
}

namespace {

// Re-centres its window until the settling time after the first showing has passed; then it
// goes. A child of the window.
class CentreWhileShowing : public QObject {
public:
    CentreWhileShowing(QWidget* window, int settleMs) : QObject(window), window_(window), settleMs_(settleMs)
    {
        window->installEventFilter(this);
        if (window->isVisible())
            startSettling();
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            startSettling();
            schedule();
            break;
        case QEvent::Move:
        case QEvent::Expose:
        case QEvent::WindowActivate:
        case QEvent::PlatformSurface:
            schedule();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void startSettling()
    {
        if (settling_)
            return;
        settling_ = true;
        QTimer::singleShot(settleMs_, this, [this] { deleteLater(); });
    }

    // Queued: the window manager's own move arrives as an event; centring inside it is lost.
    void schedule()
    {
        if (queued_)
            return;
        queued_ = true;
        QTimer::singleShot(0, this, [this] {
            queued_ = false;
            core::guarded([this] {
                if (window_->isVisible())
                    centreOnScreen(window_);
            });
        });
    }

    QWidget* window_;
    int settleMs_;
    bool settling_ = false;
    bool queued_ = false;
};

} // namespace

void keepCentredWhileShowing(QWidget* window, int settleMs)
{
    centreOnScreen(window);
    new CentreWhileShowing(window, settleMs);
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // A top-level window is moved by its frame's corner.
    QRect frame(QPoint(0, 0), outerSize(window));
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace support
