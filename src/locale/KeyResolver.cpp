#include "KeyResolver.h"

#include "ComponentTree.h"
#include "PropertyAccess.h"
#include "TextRules.h"

namespace locale {

namespace {
// The next "." or "[" at or after pos, or -1.
qsizetype nextSeparator(const QString& key, qsizetype pos)
{
    for (qsizetype i = pos; i < key.size(); ++i)
        if (key[i] == u'.' || key[i] == u'[')
            return i;
    return -1;
}
} // namespace

KeyResolver::KeyResolver(QObject* window, const QStringList& propNames)
    : window_(window), propNames_(propNames)
{
}

QObject* KeyResolver::Step(QObject* current, const QString& segment, const QString& key, qsizetype& pos,
                           QChar separator) const
{
    if (QObject* component = ComponentTree::Find(current, segment))
        return separator == u'[' ? nullptr : component;
    if (!propNames_.contains(segment, Qt::CaseInsensitive))
        return nullptr;
    const std::optional<QMetaProperty> prop = PropertyAccess::FindDeclared(current, segment);
    if (!prop || !prop->isReadable())
        return nullptr;
    const QVariant value = prop->read(current);
    if (value.metaType() == QMetaType::fromType<QObjectList>()) {
        if (separator != u'[')
            return nullptr;
        const qsizetype close = key.indexOf(QLatin1String("]."), pos);
        if (close < 0)
            return nullptr;
        const std::optional<int> index = text::parseDecimal(QStringView(key).mid(pos, close - pos), false);
        const QObjectList items = value.value<QObjectList>();
        if (!index || *index >= items.size())
            return nullptr;
        pos = close + 2;
        return items[*index];
    }
    if (separator == u'[' || !(value.metaType().flags() & QMetaType::PointerToQObject))
        return nullptr;
    return value.value<QObject*>();
}

ResolvedKey KeyResolver::Resolve(const QString& key) const
{
    const qsizetype firstDot = key.indexOf(u'.');
    if (firstDot < 0)
        return {window_, key};
    const QString propName = key.mid(key.lastIndexOf(u'.') + 1);
    QObject* current = window_;
    QString segment = key.left(firstDot);
    QChar separator = u'.';
    qsizetype pos = firstDot + 1;
    for (;;) {
        current = Step(current, segment, key, pos, separator);
        if (!current)
            return {nullptr, propName};
        const qsizetype next = nextSeparator(key, pos);
        if (next < 0)
            break;
        segment = key.mid(pos, next - pos);
        separator = key[next];
        pos = next + 1;
    }
    return {current == window_ ? nullptr : current, propName};
}

} // namespace locale
