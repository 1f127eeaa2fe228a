#pragma once
// Placing the windows of this folder: restoring a stored outer size.
#include <QSize>

class QWidget;

namespace forms {

/// The available size of the screen the window is on (the primary screen before it is shown).
QSize availableScreenSize(const QWidget* window);

/// Gives the window a stored outer size, or its design size where the stored one cannot be
/// used (0, negative, larger than the screen), and centres it on its screen.
void restoreOuterSize(QWidget* window, QSize stored, QSize designClient);

} // namespace forms
