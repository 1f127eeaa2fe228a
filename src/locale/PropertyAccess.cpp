#include "PropertyAccess.h"

#include "CommaText.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>
#include <QTreeWidget>
#include <vector>

namespace locale {

namespace {

// One row of the table for Qt's own classes. Text rows use text/setText, list rows
// list/setList.
struct QtAccessor {
    const char* name;
    PropertyKind kind;
    bool (*applies)(const QObject*);
    QString (*text)(const QObject*);
    void (*setText)(QObject*, const QString&);
    QStringList (*list)(const QObject*);
    void (*setList)(QObject*, const QStringList&);
};

template <typename T> bool is(const QObject* o) { return qobject_cast<const T*>(o) != nullptr; }
template <typename T> const T* as(const QObject* o) { return qobject_cast<const T*>(o); }
template <typename T> T* as(QObject* o) { return qobject_cast<T*>(o); }

bool isTopLevel(const QObject* o)
{
    const auto* w = qobject_cast<const QWidget*>(o);
    return w && w->isWindow();
}

QtAccessor textRow(const char* name, bool (*applies)(const QObject*), QString (*get)(const QObject*),
                   void (*set)(QObject*, const QString&))
{
    return {name, PropertyKind::Text, applies, get, set, nullptr, nullptr};
}

QtAccessor listRow(const char* name, PropertyKind kind, bool (*applies)(const QObject*),
                   QStringList (*get)(const QObject*), void (*set)(QObject*, const QStringList&))
{
    return {name, kind, applies, nullptr, nullptr, get, set};
}

// Qt reports an action's text as its tool tip when none was set; such a tool tip is no hint.
QString explicitToolTip(const QAction* action)
{
    QAction probe;
    probe.setText(action->text());
    probe.setIconText(action->iconText());
    const QString tip = action->toolTip();
    return tip == probe.toolTip() ? QString() : tip;
}

QStringList comboItems(const QObject* o)
{
    QStringList items;
    const auto* box = as<QComboBox>(o);
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

void setComboItems(QObject* o, const QStringList& items)
{
    auto* box = as<QComboBox>(o);
    // A model that does not give up its rows (one over data) must not hold the loop forever.
    while (box->count() > items.size()) {
        const int before = box->count();
        box->removeItem(before - 1);
        if (box->count() >= before)
            return;
    }
    for (int i = 0; i < items.size(); ++i) {
        if (i < box->count())
            box->setItemText(i, items[i]);
        else
            box->addItem(items[i]);
    }
}

QStringList listWidgetItems(const QObject* o)
{
    QStringList items;
    const auto* list = as<QListWidget>(o);
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

void setListWidgetItems(QObject* o, const QStringList& items)
{
    auto* list = as<QListWidget>(o);
    while (list->count() > items.size())
        delete list->takeItem(list->count() - 1);
    for (int i = 0; i < items.size(); ++i) {
        if (i < list->count())
            list->item(i)->setText(items[i]);
        else
            list->addItem(items[i]);
    }
}

QStringList tableTitles(const QObject* o)
{
    QStringList titles;
    const auto* table = as<QTableWidget>(o);
    for (int i = 0; i < table->columnCount(); ++i)
        titles.append(table->model()->headerData(i, Qt::Horizontal).toString());
    return titles;
}

void setTableTitles(QObject* o, const QStringList& titles)
{
    auto* table = as<QTableWidget>(o);
    for (int i = 0; i < table->columnCount() && i < titles.size(); ++i) {
        if (QTableWidgetItem* item = table->horizontalHeaderItem(i))
            item->setText(titles[i]);
        else
            table->setHorizontalHeaderItem(i, new QTableWidgetItem(titles[i]));
    }
}

QStringList treeTitles(const QObject* o)
{
    QStringList titles;
    const auto* tree = as<QTreeWidget>(o);
    for (int i = 0; i < tree->columnCount(); ++i)
        titles.append(tree->headerItem()->text(i));
    return titles;
}

void setTreeTitles(QObject* o, const QStringList& titles)
{
    auto* tree = as<QTreeWidget>(o);
    for (int i = 0; i < tree->columnCount() && i < titles.size(); ++i)
        tree->headerItem()->setText(i, titles[i]);
}

// Order matters: the first row that applies wins (a QMenu is a top-level widget too).
const std::vector<QtAccessor>& qtTable()
{
    static const std::vector<QtAccessor> table = {
        textRow("Caption", is<QAbstractButton>, [](const QObject* o) { return as<QAbstractButton>(o)->text(); },
                [](QObject* o, const QString& v) { as<QAbstractButton>(o)->setText(v); }),
        textRow("Caption", is<QAction>, [](const QObject* o) { return as<QAction>(o)->text(); },
                [](QObject* o, const QString& v) { as<QAction>(o)->setText(v); }),
        textRow("Caption", is<QGroupBox>, [](const QObject* o) { return as<QGroupBox>(o)->title(); },
                [](QObject* o, const QString& v) { as<QGroupBox>(o)->setTitle(v); }),
        textRow("Caption", is<QLabel>, [](const QObject* o) { return as<QLabel>(o)->text(); },
                [](QObject* o, const QString& v) { as<QLabel>(o)->setText(v); }),
        textRow("Caption", is<QMenu>, [](const QObject* o) { return as<QMenu>(o)->title(); },
                [](QObject* o, const QString& v) { as<QMenu>(o)->setTitle(v); }),
        textRow("Caption", isTopLevel, [](const QObject* o) { return as<QWidget>(o)->windowTitle(); },
                [](QObject* o, const QString& v) { as<QWidget>(o)->setWindowTitle(v); }),
        textRow("Hint", is<QAction>, [](const QObject* o) { return explicitToolTip(as<QAction>(o)); },
                [](QObject* o, const QString& v) { as<QAction>(o)->setToolTip(v); }),
        textRow("Hint", is<QWidget>, [](const QObject* o) { return as<QWidget>(o)->toolTip(); },
                [](QObject* o, const QString& v) { as<QWidget>(o)->setToolTip(v); }),
        listRow("Items", PropertyKind::StringList, is<QComboBox>, comboItems, setComboItems),
        listRow("Items", PropertyKind::StringList, is<QListWidget>, listWidgetItems, setListWidgetItems),
        listRow("Columns", PropertyKind::GridColumns, is<QTableWidget>, tableTitles, setTableTitles),
        listRow("Columns", PropertyKind::GridColumns, is<QTreeWidget>, treeTitles, setTreeTitles),
    };
    return table;
}

const QtAccessor* findQtAccessor(const QObject* obj, const QString& name)
{
    for (const QtAccessor& row : qtTable())
        if (name.compare(QLatin1String(row.name), Qt::CaseInsensitive) == 0 && row.applies(obj))
            return &row;
    return nullptr;
}

PropertyKind declaredKind(const QMetaProperty& prop)
{
    if (!prop.isReadable() || !prop.isWritable())
        return PropertyKind::None;
    switch (prop.metaType().id()) {
    case QMetaType::QString:
        return PropertyKind::Text;
    case QMetaType::QStringList:
        return QLatin1String(prop.name()).compare(QLatin1String("Columns"), Qt::CaseInsensitive) == 0
                   ? PropertyKind::GridColumns
                   : PropertyKind::StringList;
    default:
        return PropertyKind::None;
    }
}

// What a name resolves to on one object: a declared property or a table row.
struct Binding {
    PropertyKind kind = PropertyKind::None;
    std::optional<QMetaProperty> declared;
    const QtAccessor* row = nullptr;
};

Binding bind(const QObject* obj, const QString& name)
{
    Binding b;
    if (!obj || name.isEmpty() || PropertyAccess::IsExcludedByClass(obj, name))
        return b;
    if ((b.declared = PropertyAccess::FindDeclared(obj, name))) {
        b.kind = declaredKind(*b.declared);
        return b;
    }
    if ((b.row = findQtAccessor(obj, name)))
        b.kind = b.row->kind;
    return b;
}

} // namespace

std::optional<QMetaProperty> PropertyAccess::FindDeclared(const QObject* obj, const QString& name)
{
    const QMetaObject* meta = obj->metaObject();
    // From the most derived class down, so a redeclared property wins.
    for (int i = meta->propertyCount() - 1; i >= 0; --i) {
        const QMetaProperty prop = meta->property(i);
        if (name.compare(QLatin1String(prop.name()), Qt::CaseInsensitive) == 0)
            return prop;
    }
    return std::nullopt;
}

bool PropertyAccess::IsExcludedByClass(const QObject* obj, const QString& name)
{
    const QMetaObject* meta = obj->metaObject();
    for (int i = meta->classInfoCount() - 1; i >= 0; --i) {
        const QMetaClassInfo info = meta->classInfo(i);
        if (qstrcmp(info.name(), "NotTranslated") != 0)
            continue;
        const QStringList names = QString::fromLatin1(info.value()).split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString& excluded : names)
            if (name.compare(excluded.trimmed(), Qt::CaseInsensitive) == 0)
                return true;
    }
    return false;
}

PropertyKind PropertyAccess::Kind(const QObject* obj, const QString& name)
{
    return bind(obj, name).kind;
}

QString PropertyAccess::Text(const QObject* obj, const QString& name)
{
    const Binding b = bind(obj, name);
    if (b.kind != PropertyKind::Text)
        return QString();
    return b.declared ? b.declared->read(obj).toString() : b.row->text(obj);
}

void PropertyAccess::SetText(QObject* obj, const QString& name, const QString& value)
{
    const Binding b = bind(obj, name);
    if (b.kind != PropertyKind::Text)
        return;
    if (b.declared)
        b.declared->write(obj, value);
    else
        b.row->setText(obj, value);
}

QStringList PropertyAccess::List(const QObject* obj, const QString& name)
{
    const Binding b = bind(obj, name);
    if (!IsListKind(b.kind))
        return QStringList();
    return b.declared ? b.declared->read(obj).toStringList() : b.row->list(obj);
}

void PropertyAccess::SetList(QObject* obj, const QString& name, const QStringList& items)
{
    const Binding b = bind(obj, name);
    if (!IsListKind(b.kind))
        return;
    if (b.declared)
        b.declared->write(obj, items);
    else
        b.row->setList(obj, items);
}

QString PropertyAccess::ReadPropertyText(const QObject* obj, const QString& name)
{
    const PropertyKind kind = Kind(obj, name);
    if (kind == PropertyKind::Text)
        return Text(obj, name);
    if (IsListKind(kind))
        return CommaText::write(List(obj, name));
    return QString();
}

} // namespace locale
