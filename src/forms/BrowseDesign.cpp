#include "BrowseDesign.h"

#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace forms::design {

namespace {
const char* const kAutoSize = "spkAutoSize";

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
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

void setUpDialog(QDialog* dialog, const char* name, const QString& caption)
{
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowTitle(caption);
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setFont(font());
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

QRadioButton* radioButton(QWidget* parent, const char* name, const QString& text, const QRect& bounds)
{
    auto* r = named(new QRadioButton(text, parent), name);
    r->setFont(font());
    r->setGeometry(bounds);
    return r;
}

QToolButton* speedButton(QWidget* parent, const char* name, const QString& text, const QRect& bounds,
                         const QString& hint, bool flat)
{
    auto* b = named(new QToolButton(parent), name);
    b->setText(text);
    b->setToolTip(hint);
    b->setFont(font());
    b->setAutoRaise(flat);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::NoFocus); // speed buttons never take the focus
    b->setGeometry(bounds);
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
