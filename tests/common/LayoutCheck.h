#pragma once
// Checks that every visible label's and button's text fits its control with the control's
// font, the way a user would see clipped text.
#include <QStringList>

class QWidget;

namespace testing_support {

/// Descriptions of the controls whose text does not fit ("Label1: 'Text' needs 80 px, has 60").
QStringList textsThatDoNotFit(const QWidget* window);

} // namespace testing_support
