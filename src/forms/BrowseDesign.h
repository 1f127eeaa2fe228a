#pragma once
// Small builders for the designed controls of the browsing windows (overview, content
// search, actor window): absolute geometry, the design's fonts, labels that size themselves
// to their text.
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

class QAbstractButton;
class QDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;
class QWidget;

namespace forms::design {

/// The design font (MS Sans Serif / Arial stand-in) at a point size.
QFont font(int points = 8, bool bold = false);
/// Dark blue of the design's highlighted labels.
QColor blue();
/// Text colour of a label, button or text control, in every state the style draws it.
void setTextColor(QWidget* widget, const QColor& color);

/// A modal dialog's frame: title bar with system menu and close button, the design font.
void setUpDialog(QDialog* dialog, const char* name, const QString& caption);

/// A label that sizes itself to its text (fitLabels); right-aligned ones keep their right edge.
QLabel* label(QWidget* parent, const char* name, const QString& text, QPoint at, bool bold = false,
              bool rightAligned = false);
QRadioButton* radioButton(QWidget* parent, const char* name, const QString& text, const QRect& bounds);
/// A speed button: a button that never takes the focus, with a hand cursor; a flat one shows
/// its border only under the mouse.
QToolButton* speedButton(QWidget* parent, const char* name, const QString& text, const QRect& bounds,
                         const QString& hint, bool flat = false);
QLineEdit* edit(QWidget* parent, const char* name, const QRect& bounds);
QGroupBox* groupBox(QWidget* parent, const char* name, const QString& title, const QRect& bounds);
/// A raised panel.
QFrame* panel(QWidget* parent, const char* name);

/// Fits every self-sizing label below root to its text. Run after texts change (language,
/// run-time texts) and after the form resizer has placed the controls.
void fitLabels(QWidget* root);
void fitLabel(QLabel* label);

/// Unchecks a radio button of an exclusive group (which Qt does not allow directly).
void uncheck(QAbstractButton* button);

} // namespace forms::design
