#pragma once
// The components of a window. The language files name a window's components in one flat
// list, while Qt nests them in the window's object tree, so here they are all the window's
// descendant objects, in pre-order with children in the order they were added, which is
// their creation order for a window built top-down. Qt's own internal objects (object names
// starting with "qt_") are not components, but what lies below them is (the contents of a
// scroll area's viewport). A window of its own below the window (a dialog parented to the
// window that opens it) is neither a component nor are its contents: it is another form,
// with its own localizer and its own section of the language files. Popups (menus) are
// components.
#include <QObject>
#include <QString>

namespace locale {

class ComponentTree {
public:
    /// The descendants of root that are components, in the order described above.
    static QObjectList Components(const QObject* root);
    /// The first component below root named name (without regard to case), or nullptr.
    static QObject* Find(const QObject* root, const QString& name);
    /// An object Qt creates for itself inside a widget.
    static bool IsInternal(const QObject* obj);
    /// A widget that is a window of its own (a top-level window or dialog, not a popup).
    static bool IsSeparateWindow(const QObject* obj);
};

} // namespace locale
