#pragma once
// Stored window sizes are outer sizes (frame included). Qt knows the frame only once the
// window manager has framed a mapped window, and offscreen there is none. An outer size
// given before the frame is known is kept until it is, and applied then, so a restore
// never grows the window from run to run, whenever the frame arrives.
#include <QSize>
#include <QWidget>

namespace support {

/// The outer size of a window now: an outer size given by setOuterSize whose frame is not
/// known yet, or else the client size plus the frame known now.
QSize outerSize(const QWidget* window);

/// The frame the window manager has added to the window, as far as it is known now (0 by 0
/// before the window is framed, and always offscreen).
QSize frameSize(const QWidget* window);

/// A stored size that is 0, negative or larger than the screen gives the design size,
/// clamped to the screen.
QSize sanitizedOuterSize(QSize stored, QSize design, QSize screen);

/// Gives the window that outer size. Before the frame is known the window gets it as its
/// client size and keeps it pending; the first move, resize, show, exposure or activation
/// after the frame is known sets the client size that gives exactly that outer size. Any
/// other size change of the window (the user's, or another resize) drops the pending size.
void setOuterSize(QWidget* window, QSize outer);

/// Gives the window that client size, dropping an outer size still pending.
void setClientSize(QWidget* window, QSize client);

/// Moves the window by its frame to the centre of the primary screen's available area.
void centreOnScreen(QWidget* window);

/// Centres the window now and again whenever it is shown, exposed, activated or moved during
/// its first seconds on screen (settleMs after it is first shown), so a window manager that
/// places it elsewhere when it maps it (after a dialog shown first, say) cannot leave it in a
/// corner.
void keepCentredWhileShowing(QWidget* window, int settleMs = 2000);

} // namespace support
