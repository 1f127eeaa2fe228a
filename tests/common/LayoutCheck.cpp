#include "LayoutCheck.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>
#include <QWidget>

namespace testing_support {

namespace {

QString plain(QString text)
{
    return text.remove(QLatin1Char('&'));
}

QString describe(const QWidget* w, const QString& text, int need, int have, const char* what)
{
    return QStringLiteral("%1: '%2' needs %3 px %4, has %5").arg(w->objectName(), text).arg(need).arg(QLatin1String(what)).arg(have);
}

void checkLabel(const QLabel* label, QStringList& problems)
{
    const QString text = plain(label->text());
    if (text.isEmpty() || label->textFormat() == Qt::RichText)
        return;
    const QFontMetrics metrics(label->font());
    const QRect box = label->contentsRect();
    if (label->wordWrap()) {
        const QRect needed = metrics.boundingRect(QRect(0, 0, box.width(), 10000), Qt::TextWordWrap, text);
        if (needed.height() > box.height())
            problems << describe(label, text, needed.height(), box.height(), "high");
        return;
    }
    const int width = metrics.horizontalAdvance(text);
    if (width > box.width())
        problems << describe(label, text, width, box.width(), "wide");
    if (metrics.height() > box.height() + 2)
        problems << describe(label, text, metrics.height(), box.height(), "high");
}

void checkButton(const QAbstractButton* button, QStringList& problems)
{
    const QString text = plain(button->text());
    if (text.isEmpty())
        return;
    const QFontMetrics metrics(button->font());
    int available = button->width() - 6;
    if (qobject_cast<const QCheckBox*>(button) || qobject_cast<const QRadioButton*>(button))
        available -= button->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 4;
    const auto* tool = qobject_cast<const QToolButton*>(button);
    if (tool && tool->toolButtonStyle() == Qt::ToolButtonTextBesideIcon && !tool->icon().isNull())
        available -= tool->iconSize().width() + 4;
    const int width = metrics.horizontalAdvance(text);
    if (width > available)
        problems << describe(button, text, width, available, "wide");
    if (metrics.height() > button->height())
        problems << describe(button, text, metrics.height(), button->height(), "high");
}

} // namespace

QStringList textsThatDoNotFit(const QWidget* window)
{
    QStringList problems;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(w))
            checkLabel(label, problems);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            checkButton(button, problems);
        else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
            const int width = QFontMetrics(group->font()).horizontalAdvance(plain(group->title()));
            if (width > group->width() - 12)
                problems << describe(group, group->title(), width, group->width() - 12, "wide");
        }
    }
    return problems;
}

} // namespace testing_support
