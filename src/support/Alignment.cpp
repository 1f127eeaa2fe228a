#include "Alignment.h"

#include <QVariant>

namespace support {

namespace {
const char* const kAlignProperty = "spkAlign";

void alignChildren(QWidget* parent)
{
    QRect rest = parent->contentsRect();
    for (QObject* object : parent->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow())
            continue;
        switch (alignOf(child)) {
        case Align::Top:
            child->setGeometry(rest.left(), rest.top(), rest.width(), child->height());
            rest.setTop(rest.top() + child->height());
            break;
        case Align::Bottom:
            child->setGeometry(rest.left(), rest.bottom() + 1 - child->height(), rest.width(), child->height());
            rest.setBottom(rest.bottom() - child->height());
            break;
        case Align::Left:
            child->setGeometry(rest.left(), rest.top(), child->width(), rest.height());
            rest.setLeft(rest.left() + child->width());
            break;
        case Align::Right:
            child->setGeometry(rest.right() + 1 - child->width(), rest.top(), child->width(), rest.height());
            rest.setRight(rest.right() - child->width());
            break;
        case Align::Client:
        case Align::None:
            break;
        }
    }
    for (QObject* object : parent->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child && !child->isWindow() && alignOf(child) == Align::Client)
            child->setGeometry(rest);
    }
}
} // namespace

void setAlign(QWidget* control, Align align)
{
    control->setProperty(kAlignProperty, int(align));
}

Align alignOf(const QWidget* control)
{
    return Align(control->property(kAlignProperty).toInt());
}

void realign(QWidget* root)
{
    alignChildren(root);
    for (QObject* object : root->children())
        if (auto* child = qobject_cast<QWidget*>(object); child && !child->isWindow())
            realign(child);
}

} // namespace support
