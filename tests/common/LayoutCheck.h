#pragma once
// Checks that every visible label's and button's text fits its control with the control's
// font, the way a user would see clipped text.
#include <QSize>
#include <QStringList>
#include <functional>

class QWidget;

namespace testing_support {

/// Descriptions of the controls whose text does not fit ("Label1: 'Text' needs 80 px, has 60").
QStringList textsThatDoNotFit(const QWidget* window);

/// The layout problems (texts that do not fit, designed controls that leave their parent or cover
/// a sibling) the shown window has at that client size and not at its design size.
QStringList problemsAt(QWidget* window, QSize size, QSize design);

/// What is wrong with a window's minimum size: a language in which something clips at it, none in
/// which something clips a pixel narrower or lower, or a smaller size the window takes.
/// windowIn(language) gives the shown window in that language (-1 to 3).
QStringList minimumSizeFaults(const std::function<QWidget*(int)>& windowIn, QSize design, QSize minimum);

} // namespace testing_support
