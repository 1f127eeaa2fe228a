#pragma once
// Resolves the keys of a language file section to an object and a property name.
//
// A key without "." names a property of the window itself (Caption). Otherwise it is a path:
// each segment before the last names either a component below the object reached so far
// (searched among all its descendants, see ComponentTree; the first match in creation order)
// or, failing that and when the segment is in the property names, an object-valued property
// of that object; the last segment is the property name (SpeedButton1.Caption).
// How the language files' object-valued properties and collections are kept in Qt:
//   - an object-valued property is a Q_PROPERTY whose value is a pointer to a QObject;
//   - a collection is a Q_PROPERTY of type QObjectList (QList<QObject*>): it must be followed
//     by "[", a decimal index and "]." (Comp.Panels[2].Caption); an index that is not a
//     number or is out of range, a collection without an index, or an index after anything
//     else gives no target.
// A path that ends at the window itself (or finds nothing) gives no target, so a key with
// the window's own name in front (HovedForm.Caption) resolves to nothing.
#include <QObject>
#include <QString>
#include <QStringList>

namespace locale {

struct ResolvedKey {
    QObject* target = nullptr; ///< nullptr when the key reaches nothing
    QString propName;          ///< the last segment (the text after the last "."), also without target
};

class KeyResolver {
public:
    /// The window is not owned and must outlive the resolver.
    KeyResolver(QObject* window, const QStringList& propNames);
    ResolvedKey Resolve(const QString& key) const;

private:
    QObject* Step(QObject* current, const QString& segment, const QString& key, qsizetype& pos,
                  QChar separator) const;

    QObject* window_;
    QStringList propNames_;
};

} // namespace locale
