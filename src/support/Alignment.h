#pragma once
// Controls that fill their parent or stick to one of its edges. The form resizer leaves
// such controls alone; realign() places them after every resize, in creation order: edge
// controls take their strip (keeping their own thickness), a client control the rest.
#include <QWidget>

namespace support {

enum class Align { None, Top, Bottom, Left, Right, Client };

/// Marks a control's alignment (stored on the widget).
void setAlign(QWidget* control, Align align);
Align alignOf(const QWidget* control);

/// Places the aligned children of root and, below them, of every descendant.
void realign(QWidget* root);

} // namespace support
