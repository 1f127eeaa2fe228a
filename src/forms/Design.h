#pragma once
// The one vocabulary every designed window is built with: named controls at their absolute
// design geometry, the design's fonts and colours, data-aware controls bound to their fields,
// and each window's localizer and resizer. Every builder makes its control a child of parent,
// which owns it; none shows it.
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

class QAbstractButton;
class QDialog;
class QFrame;
class QGroupBox;
class QIcon;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QToolButton;
class QWidget;

namespace dbctrls {
class TDBEdit;
class TDBGrid;
class TDBLookupComboBox;
class TDBNavigator;
struct TDBGridColumn;
} // namespace dbctrls
namespace engine {
class DataSource;
}
namespace locale {
class TQFormLocalizer;
}
namespace support {
class TFormResizer;
class TImage;
} // namespace support

namespace forms::design {

// --- Fonts and colours --------------------------------------------------------------------------

/// The design font (MS Sans Serif / Arial stand-in) at a point size.
QFont font(int points = 8, bool bold = false);
/// Dark blue of the design's highlighted labels.
QColor blue();
/// Text colour of a label, button or text control, in every state the style draws it.
void setTextColor(QWidget* widget, const QColor& color);
/// Makes the widget's own font bold.
void setBold(QWidget* widget);

// --- Windows and their components ---------------------------------------------------------------

/// A modal dialog's frame: title bar with system menu and close button, the design font.
void setUpDialog(QDialog* dialog, const char* name, const QString& caption);
/// A dialog that scales with its size: its title bar offers maximising as well as closing
/// (not minimising: a modal window shares its owner's task-bar entry).
void allowMaximise(QDialog* dialog);
/// The window's QFormLocalizer1 for these properties, on the main window's language source.
locale::TQFormLocalizer* localizer(QWidget* window, const QStringList& propNames);
/// The dialog's FormResizer1: scales controls and their fonts (8 to 48 points).
support::TFormResizer* formResizer(QWidget* window);

// --- Any control --------------------------------------------------------------------------------

/// A control of kind W with its design name.
template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

/// A new control of kind W with its design name at its design bounds.
template <typename W>
W* control(QWidget* parent, const char* name, const QRect& bounds)
{
    W* widget = named(new W(parent), name);
    widget->setGeometry(bounds);
    return widget;
}

// --- Plain controls -----------------------------------------------------------------------------

/// A label that sizes itself to its text (fitLabels); right-aligned ones keep their right edge.
QLabel* label(QWidget* parent, const char* name, const QString& text, QPoint at, bool bold = false,
              bool rightAligned = false);
/// A label in its window's font, sized to its text once (its window refits it).
QLabel* caption(QWidget* parent, const char* name, const QString& text, QPoint at);
QRadioButton* radioButton(QWidget* parent, const char* name, const QString& text, const QRect& bounds);
/// A button in its window's font that Tab reaches but a click never gives the focus, so an
/// edit being typed into keeps its pending text.
template <typename Button>
Button* button(QWidget* parent, const char* name, const QString& text, const QString& hint, const QRect& bounds);
/// A speed button: a button a click never gives the focus, in the design font with a hand cursor;
/// a flat one shows its border only under the mouse.
QToolButton* speedButton(QWidget* parent, const char* name, const QString& text, const QRect& bounds,
                         const QString& hint, bool flat = false);
/// A button with a picture beside its text, the two centred together; Enter in an edit does
/// not press it.
QPushButton* pictureButton(QWidget* parent, const char* name, const QString& text, const QString& hint,
                           const QRect& bounds, const QIcon& icon);
QLineEdit* edit(QWidget* parent, const char* name, const QRect& bounds);
QGroupBox* groupBox(QWidget* parent, const char* name, const QString& title, const QRect& bounds);
/// A raised panel.
QFrame* panel(QWidget* parent, const char* name);
/// A sunken box drawn around a group of controls.
QFrame* bevel(QWidget* parent, const char* name, const QRect& bounds);
/// A frame that shows a picture at its natural size, scrolling when it is larger; clicking
/// the picture is the window's to handle. image: the picture control inside it.
QScrollArea* pictureFrame(QWidget* parent, const char* name, const QRect& bounds, support::TImage*& image,
                          const char* imageName);

// --- Data-aware controls ------------------------------------------------------------------------

/// A field of a data source that a control shows and edits.
struct DataField {
    engine::DataSource* source;
    const char* name;
};

/// Binds a data-aware control to a field.
template <typename Control>
Control* bind(Control* control, const DataField& field)
{
    control->setDataSource(field.source);
    control->setDataField(QString::fromLatin1(field.name));
    return control;
}

/// An edit bound to a field.
dbctrls::TDBEdit* dbEdit(QWidget* parent, const char* name, const DataField& field, const QRect& bounds,
                         const QString& hint = QString());
/// A lookup list over one field of a lookup table (key and list field alike), bound to a
/// field when one is given.
dbctrls::TDBLookupComboBox* lookupList(QWidget* parent, const char* name, const DataField& bound, const DataField& list,
                                       const QRect& bounds, int dropDownRows);
/// A grid over a data source with these columns.
dbctrls::TDBGrid* grid(QWidget* parent, const char* name, const QRect& bounds,
                       const std::vector<dbctrls::TDBGridColumn>& columns, engine::DataSource* source,
                       bool boldTitles = false);
/// A navigator over a data source with the hints of its nine buttons.
dbctrls::TDBNavigator* navigator(QWidget* parent, const char* name, const QRect& bounds, const QStringList& hints,
                                 engine::DataSource* source);

// --- After texts change -------------------------------------------------------------------------

/// Fits every self-sizing label below root to its text. Run after texts change (language,
/// run-time texts) and after the form resizer has placed the controls.
void fitLabels(QWidget* root);
void fitLabel(QLabel* label);

/// Unchecks a radio button of an exclusive group (which Qt does not allow directly).
void uncheck(QAbstractButton* button);

} // namespace forms::design
