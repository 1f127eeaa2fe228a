#include "DesignTexts.h"

#include "ComponentTree.h"
#include "PropertyAccess.h"
#include "TextRules.h"

namespace locale {

namespace {
void collectFrom(QObject* obj, const QString& path, const QStringList& propNames, QList<DesignText>& out)
{
    for (const QString& name : propNames) {
        const QString text = PropertyAccess::ReadPropertyText(obj, name);
        if (text::isBlank(text))
            continue;
        const QString key = path.isEmpty() ? name : path + u'.' + name;
        out.append(DesignText{obj, name, key, text});
    }
}
} // namespace

QList<DesignText> DesignTexts::Collect(QObject* window, const QStringList& propNames, const QStringList& excluded)
{
    QList<DesignText> texts;
    collectFrom(window, QString(), propNames, texts);
    for (QObject* component : ComponentTree::Components(window)) {
        const QString name = component->objectName();
        if (name.isEmpty() || excluded.contains(name, Qt::CaseInsensitive))
            continue;
        collectFrom(component, name, propNames, texts);
    }
    return texts;
}

} // namespace locale
