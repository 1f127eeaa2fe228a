#include "LookupAccessible.h"

#include "DBLookupComboBox.h"

#include <QLabel>

namespace dbctrls {

namespace {

QAccessibleInterface* lookupFactory(const QString&, QObject* object)
{
    auto* list = qobject_cast<TDBLookupComboBox*>(object);
    return list ? new TLookupAccessible(list) : nullptr;
}

} // namespace

QString labelledName(const QWidget* control)
{
    if (!control->accessibleName().isEmpty() || !control->parentWidget())
        return control->accessibleName();
    for (const QLabel* label : control->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label->buddy() == control)
            return label->text().remove(QLatin1Char('&')).trimmed();
    return control->toolTip();
}

TLookupAccessible::TLookupAccessible(TDBLookupComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

void TLookupAccessible::install()
{
    static const bool installed = (QAccessible::installFactory(lookupFactory), true);
    Q_UNUSED(installed);
}

TDBLookupComboBox* TLookupAccessible::list() const
{
    return static_cast<TDBLookupComboBox*>(widget());
}

QString TLookupAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return labelledName(list());
    case QAccessible::Value:
        return list()->shownText();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State TLookupAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = list()->dropDownVisible();
    state.collapsed = !state.expanded;
    return state;
}

QStringList TLookupAccessible::actionNames() const
{
    return {showMenuAction()};
}

void TLookupAccessible::doAction(const QString& actionName)
{
    if (actionName == showMenuAction())
        list()->showPopup();
}

} // namespace dbctrls
