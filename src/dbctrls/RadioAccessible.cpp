#include "RadioAccessible.h"

#include <QRadioButton>

namespace dbctrls {

namespace {

const char* const kMarked = "spkRadioInAGroup";

QAccessibleInterface* radioFactory(const QString& className, QObject* object)
{
    auto* button = qobject_cast<QRadioButton*>(object);
    if (className != QLatin1String("QRadioButton") || !button || !button->property(kMarked).toBool())
        return nullptr;
    return new TRadioAccessible(button);
}

} // namespace

TRadioAccessible::TRadioAccessible(QRadioButton* button) : QAccessibleWidget(button, QAccessible::RadioButton) {}

void TRadioAccessible::markAsRadio(QRadioButton* button)
{
    static const bool installed = (QAccessible::installFactory(radioFactory), true);
    Q_UNUSED(installed);
    button->setProperty(kMarked, true);
}

QRadioButton* TRadioAccessible::button() const
{
    return static_cast<QRadioButton*>(widget());
}

QString TRadioAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return button()->text().remove(QLatin1Char('&'));
    return QAccessibleWidget::text(t);
}

QAccessible::State TRadioAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = button()->isChecked();
    return state;
}

QStringList TRadioAccessible::actionNames() const
{
    return {pressAction()};
}

void TRadioAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction())
        button()->click();
}

} // namespace dbctrls
