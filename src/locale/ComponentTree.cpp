#include "ComponentTree.h"

#include "TextRules.h"

#include <QWidget>

namespace locale {

namespace {
// Pre-order walk; visit returns true to stop.
template <typename Visit> bool walk(const QObject* parent, Visit& visit)
{
    for (QObject* child : parent->children()) {
        if (!child || ComponentTree::IsSeparateWindow(child))
            continue; // null: a sibling already deleted while its parent is being destroyed
        if (!ComponentTree::IsInternal(child) && visit(child))
            return true;
        if (walk(child, visit))
            return true;
    }
    return false;
}
} // namespace

bool ComponentTree::IsInternal(const QObject* obj)
{
    return obj->objectName().startsWith(QLatin1String("qt_"));
}

bool ComponentTree::IsSeparateWindow(const QObject* obj)
{
    const auto* widget = qobject_cast<const QWidget*>(obj);
    if (!widget || !widget->isWindow())
        return false;
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Dialog || type == Qt::Sheet;
}

QObjectList ComponentTree::Components(const QObject* root)
{
    QObjectList result;
    auto collect = [&result](QObject* o) {
        result.append(o);
        return false;
    };
    walk(root, collect);
    return result;
}

QObject* ComponentTree::Find(const QObject* root, const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    QObject* found = nullptr;
    auto match = [&](QObject* o) {
        if (text::sameText(o->objectName(), name))
            found = o;
        return found != nullptr;
    };
    walk(root, match);
    return found;
}

} // namespace locale
