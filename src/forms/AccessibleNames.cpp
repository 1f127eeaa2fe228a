#include "AccessibleNames.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

namespace forms {

QString nameText(const QWidget* source)
{
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(source))
        text = label->text();
    else if (const auto* group = qobject_cast<const QGroupBox*>(source))
        text = group->title();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(source))
        text = button->toolTip().isEmpty() ? button->text() : button->toolTip();
    else if (source)
        text = source->isWindow() ? source->windowTitle() : source->toolTip();
    // "&&" is a shown "&"; a single "&" only marks the mnemonic.
    text.replace(QLatin1String("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&')).replace(QLatin1Char('\x01'), QLatin1Char('&'));
    text.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    while (text.endsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

void AccessibleNames::add(QWidget* control, const QWidget* source)
{
    names_.emplace_back(control, source);
    control->setAccessibleName(nameText(source));
}

void AccessibleNames::apply() const
{
    for (const auto& [control, source] : names_)
        if (control && source)
            control->setAccessibleName(nameText(source));
}

} // namespace forms
