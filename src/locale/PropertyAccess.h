#pragma once
// The translatable properties of objects, found by name without regard to case.
//
// 1. A property the object's class declares with Q_PROPERTY wins: a readable and writable
//    QString property is a text, a QStringList property a list of strings, and a QStringList
//    property named "Columns" holds a data grid's column titles. Our own widgets declare
//    Caption, Hint, Items, Values, Hints, Columns and Warning this way. A declared property
//    of any other type is of no translatable kind.
// 2. Otherwise one table maps the name and Qt's own widget classes onto Qt calls:
//      Caption  QAbstractButton text, QAction text, QGroupBox title, QLabel text,
//               QMenu title, any other top-level widget its window title
//      Hint     QAction tool tip (only one set explicitly: Qt reports the action's text as
//               tool tip when none is set), QWidget tool tip
//      Items    QComboBox and QListWidget item texts
//      Columns  QTableWidget and QTreeWidget header titles (grid columns)
// 3. A class names the properties that hold data rather than texts in its class info
//    "NotTranslated" (comma-separated names, e.g. Q_CLASSINFO("NotTranslated", "Items") on a
//    data-aware list whose rows are records). Those are of no translatable kind on it and on
//    its subclasses, whatever steps 1 and 2 say.
// Nothing here throws.
#include <QMetaProperty>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

namespace locale {

enum class PropertyKind {
    None,        ///< no such property, or one that is not translated
    Text,        ///< one text
    StringList,  ///< a list of strings (Items, Values, Hints)
    GridColumns, ///< the column titles of a data grid
};

class PropertyAccess {
public:
    static PropertyKind Kind(const QObject* obj, const QString& name);
    static bool IsListKind(PropertyKind kind)
    {
        return kind == PropertyKind::StringList || kind == PropertyKind::GridColumns;
    }

    /// The text of a text property; empty for any other kind.
    static QString Text(const QObject* obj, const QString& name);
    static void SetText(QObject* obj, const QString& name, const QString& value);
    /// The items of a list or grid-columns property; empty for any other kind.
    static QStringList List(const QObject* obj, const QString& name);
    /// Writes the items as given (a grid takes as many titles as it has columns).
    static void SetList(QObject* obj, const QString& name, const QStringList& items);

    /// The property as text: a text as it is, a list as comma text, anything else empty.
    static QString ReadPropertyText(const QObject* obj, const QString& name);

    /// The Q_PROPERTY of that name (without regard to case) declared by obj's class.
    static std::optional<QMetaProperty> FindDeclared(const QObject* obj, const QString& name);
    /// Whether obj's class (or a base) lists the name in its class info "NotTranslated".
    static bool IsExcludedByClass(const QObject* obj, const QString& name);
};

} // namespace locale
