#pragma once
// Checks that every visible label's and button's text fits its control with the control's
// font, the way a user would see clipped text.
#include <QSize>
#include <QStringList>

class QWidget;

namespace testing_support {

/// Descriptions of the controls whose text does not fit ("Label1: 'Text' needs 80 px, has 60").
QStringList textsThatDoNotFit(const QWidget* window);

/// Descriptions of the visible designed controls (named, not Qt's own parts) that leave their
/// parent's area ("RadioButton8 leaves GroupBox2") or overlap a sibling ("DBCheckBox1 overlaps
/// SpeedButton4"). Controls that overlap by design (an edit over its list) are listed too: compare
/// with the window at its design size.
QStringList controlsOutOfPlace(const QWidget* window);

/// Both of the above: what a user sees clipped or covered.
QStringList layoutProblems(const QWidget* window);

/// The layout problems the shown window has at that client size and not at its design size
/// (its minimum size lifted meanwhile); the window is left at design size.
QStringList problemsAt(QWidget* window, QSize size, QSize design);

} // namespace testing_support
