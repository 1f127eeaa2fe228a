#pragma once
// Placing the windows of this folder: restoring a stored outer size.
#include <QSize>

class QWidget;

namespace forms {

/// The available size of the screen the window is on (the primary screen before it is shown).
QSize availableScreenSize(const QWidget* window);

/// Gives the window a stored outer size and centres it on its screen, now and whenever the
/// window manager places it elsewhere while it is being shown. A stored size equal to the
/// design client size (what a fresh configuration holds), or one that cannot be used (0,
/// negative, larger than the screen), gives the window its design client area instead,
/// whatever frame the window manager adds. The window cannot be made smaller than
/// minimumClient, or than its screen where that is smaller.
void restoreOuterSize(QWidget* window, QSize stored, QSize designClient, QSize minimumClient);

} // namespace forms
