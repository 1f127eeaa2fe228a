#pragma once
// Stored window sizes are outer sizes (frame included). Qt knows the frame only once a
// window is mapped, and offscreen there is none: convert with the frame margins known now,
// and correct once more after mapping so a restore never grows the window from run to run.
#include <QSize>
#include <QWidget>

namespace support {

/// The outer size of a window now (its client size plus the frame known now).
QSize outerSize(const QWidget* window);

/// A stored size that is 0, negative or larger than the screen gives the design size,
/// clamped to the screen.
QSize sanitizedOuterSize(QSize stored, QSize design, QSize screen);

/// Gives the window that outer size (height first, then width, as the design does).
void setOuterSize(QWidget* window, QSize outer);

/// Moves the window to the centre of the primary screen's available area.
void centreOnScreen(QWidget* window);

} // namespace support
