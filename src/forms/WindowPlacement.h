#pragma once
// Placing the windows of this folder: restoring a stored outer size.
#include <QSize>

class QWidget;

namespace forms {

/// The available size of the screen the window is on (the primary screen before it is shown).
QSize availableScreenSize(const QWidget* window);

/// Gives the window a stored outer size and centres it on its screen. A stored size equal to
/// the design client size (what a fresh configuration holds), or one that cannot be used
/// (0, negative, larger than the screen), gives the window its design client area instead,
/// whatever frame the window manager adds.
void restoreOuterSize(QWidget* window, QSize stored, QSize designClient);

} // namespace forms
