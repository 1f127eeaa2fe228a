#include "Design.h"

#include "AppContext.h"
#include "dbctrls/DBEdit.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBLookupComboBox.h"
#include "dbctrls/DBNavigator.h"
#include "locale/TQFormLocalizer.h"
#include "locale/TQLanguageSource.h"
#include "support/FormResizer.h"
#include "support/Image.h"

#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QToolButton>

namespace forms::design {

namespace {
const char* const kAutoSize = "spkAutoSize";
} // namespace

QFont font(int points, bool bold)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

QColor blue()
{
    return QColor(0, 0, 255);
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::ButtonText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

void setBold(QWidget* widget)
{
    QFont bold = widget->font();
    bold.setBold(true);
    widget->setFont(bold);
}

void setUpDialog(QDialog* dialog, const char* name, const QString& caption)
{
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowTitle(caption);
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setFont(font());
}

void allowMaximise(QDialog* dialog)
{
    dialog->setWindowFlag(Qt::WindowMaximizeButtonHint, true);
}

locale::TQFormLocalizer* localizer(QWidget* window, const QStringList& propNames)
{
    auto* localizer = named(new locale::TQFormLocalizer(window), "QFormLocalizer1");
    localizer->SetPropNames(propNames);
    localizer->SetSource(appContext().languageSource);
    return localizer;
}

support::TFormResizer* formResizer(QWidget* window)
{
    auto* resizer = named(new support::TFormResizer(window), "FormResizer1");
    resizer->setResizeFonts(true);
    resizer->setMinFontSize(8);
    resizer->setMaxFontSize(48);
    return resizer;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QPoint at, bool bold, bool rightAligned)
{
    auto* l = named(new QLabel(text, parent), name);
    l->setFont(font(8, bold));
    l->setProperty(kAutoSize, true);
    if (rightAligned)
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->move(at);
    l->adjustSize();
    return l;
}

QLabel* caption(QWidget* parent, const char* name, const QString& text, QPoint at)
{
    auto* l = named(new QLabel(text, parent), name);
    l->move(at);
    l->adjustSize();
    return l;
}

QRadioButton* radioButton(QWidget* parent, const char* name, const QString& text, const QRect& bounds)
{
    auto* r = named(new QRadioButton(text, parent), name);
    r->setFont(font());
    r->setGeometry(bounds);
    return r;
}

template <typename Button>
Button* button(QWidget* parent, const char* name, const QString& text, const QString& hint, const QRect& bounds)
{
    auto* b = named(new Button(parent), name);
    b->setText(text);
    b->setToolTip(hint);
    b->setGeometry(bounds);
    // Tab reaches it; a click does not take the focus from an edit being typed into.
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}
template QToolButton* button<QToolButton>(QWidget*, const char*, const QString&, const QString&, const QRect&);
template QPushButton* button<QPushButton>(QWidget*, const char*, const QString&, const QString&, const QRect&);

QToolButton* speedButton(QWidget* parent, const char* name, const QString& text, const QRect& bounds,
                         const QString& hint, bool flat)
{
    auto* b = button<QToolButton>(parent, name, text, hint, bounds);
    b->setFont(font());
    b->setAutoRaise(flat);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

QPushButton* pictureButton(QWidget* parent, const char* name, const QString& text, const QString& hint,
                           const QRect& bounds, const QIcon& icon)
{
    auto* b = button<QPushButton>(parent, name, text, hint, bounds);
    b->setIcon(icon);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* edit(QWidget* parent, const char* name, const QRect& bounds)
{
    auto* e = named(new QLineEdit(parent), name);
    e->setFont(font());
    e->setGeometry(bounds);
    return e;
}

QGroupBox* groupBox(QWidget* parent, const char* name, const QString& title, const QRect& bounds)
{
    auto* g = named(new QGroupBox(title, parent), name);
    g->setFont(font(8, true));
    // The frame starts half a line down with the title on its top edge, so children placed in
    // the box's own coordinates sit inside it as designed.
    g->setStyleSheet(QStringLiteral("QGroupBox { border: 2px groove palette(midlight); border-radius: 2px; margin-top: 6px; }"
                                    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
                                    " left: 7px; padding: 0px 2px; }"));
    g->setGeometry(bounds);
    return g;
}

QFrame* panel(QWidget* parent, const char* name)
{
    auto* p = named(new QFrame(parent), name);
    p->setFrameShape(QFrame::Panel);
    p->setFrameShadow(QFrame::Raised);
    return p;
}

QFrame* bevel(QWidget* parent, const char* name, const QRect& bounds)
{
    auto* b = named(new QFrame(parent), name);
    b->setFrameShape(QFrame::Box);
    b->setFrameShadow(QFrame::Sunken);
    b->setGeometry(bounds);
    return b;
}

QScrollArea* pictureFrame(QWidget* parent, const char* name, const QRect& bounds, support::TImage*& image,
                          const char* imageName)
{
    auto* frame = control<QScrollArea>(parent, name, bounds);
    // No border inside the frame: a picture as large as the frame (the placeholders) fits whole.
    frame->setFrameShape(QFrame::NoFrame);
    frame->setWidgetResizable(false);
    frame->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    frame->setFocusPolicy(Qt::StrongFocus);
    image = named(new support::TImage, imageName);
    image->setAutoSize(true);
    image->setCursor(Qt::PointingHandCursor);
    image->setToolTip(QStringLiteral("Klik for større billede"));
    frame->setWidget(image);
    return frame;
}

dbctrls::TDBEdit* dbEdit(QWidget* parent, const char* name, const DataField& field, const QRect& bounds,
                         const QString& hint)
{
    auto* e = control<dbctrls::TDBEdit>(parent, name, bounds);
    e->setToolTip(hint);
    return bind(e, field);
}

dbctrls::TDBLookupComboBox* lookupList(QWidget* parent, const char* name, const DataField& bound, const DataField& list,
                                       const QRect& bounds, int dropDownRows)
{
    auto* box = control<dbctrls::TDBLookupComboBox>(parent, name, bounds);
    if (bound.source)
        bind(box, bound);
    box->setListSource(list.source);
    box->setKeyField(QString::fromLatin1(list.name));
    box->setListField(QString::fromLatin1(list.name));
    box->setDropDownRows(dropDownRows);
    return box;
}

dbctrls::TDBGrid* grid(QWidget* parent, const char* name, const QRect& bounds,
                       const std::vector<dbctrls::TDBGridColumn>& columns, engine::DataSource* source, bool boldTitles)
{
    auto* g = control<dbctrls::TDBGrid>(parent, name, bounds);
    if (boldTitles)
        g->setTitleBold(true);
    g->setColumns(columns);
    g->setDataSource(source);
    return g;
}

dbctrls::TDBNavigator* navigator(QWidget* parent, const char* name, const QRect& bounds, const QStringList& hints,
                                 engine::DataSource* source)
{
    auto* n = control<dbctrls::TDBNavigator>(parent, name, bounds);
    n->setHints(hints);
    n->setDataSource(source);
    return n;
}

void fitLabel(QLabel* l)
{
    const QSize fitted = l->sizeHint();
    int left = l->x();
    if (l->alignment() & Qt::AlignRight)
        left += l->width() - fitted.width();
    l->setGeometry(left, l->y(), fitted.width(), fitted.height());
}

void fitLabels(QWidget* root)
{
    for (QLabel* l : root->findChildren<QLabel*>())
        if (l->property(kAutoSize).toBool())
            fitLabel(l);
}

void uncheck(QAbstractButton* button)
{
    if (!button->isChecked())
        return;
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(exclusive);
}

} // namespace forms::design
