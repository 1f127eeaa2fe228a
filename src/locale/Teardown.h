#pragma once
// Tells whether an object is being destroyed as part of an ancestor's destruction, with
// Qt's public API only: while a QObject deletes its children, the child being deleted is no
// longer listed among its parent's children although its parent() still points there.
#include <QObject>

namespace locale {

class Teardown {
public:
    /// The topmost ancestor of obj that is deleting its children right now (so it and all
    /// its descendants are going), or nullptr when obj is not inside such a teardown.
    static const QObject* dyingAncestor(const QObject* obj);
    /// True when obj is root or one of its descendants.
    static bool isWithin(const QObject* obj, const QObject* root);
};

} // namespace locale
