#include "Teardown.h"

namespace locale {

const QObject* Teardown::dyingAncestor(const QObject* obj)
{
    const QObject* dying = nullptr;
    for (const QObject* child = obj; child && child->parent(); child = child->parent()) {
        const QObject* parent = child->parent();
        if (!parent->children().contains(const_cast<QObject*>(child)))
            dying = parent;
    }
    return dying;
}

bool Teardown::isWithin(const QObject* obj, const QObject* root)
{
    if (!root)
        return false;
    for (const QObject* o = obj; o; o = o->parent())
        if (o == root)
            return true;
    return false;
}

} // namespace locale
