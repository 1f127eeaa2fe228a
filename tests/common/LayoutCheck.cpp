#include "LayoutCheck.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
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

// What the style puts between an icon and the text under it, and around both.
constexpr int kUnderIconSpacing = 6;

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
    int height = metrics.height();
    if (tool && tool->toolButtonStyle() == Qt::ToolButtonTextUnderIcon && !tool->icon().isNull())
        height += tool->iconSize().height() + kUnderIconSpacing;
    if (height > button->height())
        problems << describe(button, text, height, button->height(), "high");
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

namespace {

constexpr int kSlack = 2;

// What of a control a user sees: a label's or a check box's text (with its indicator) where its
// alignment puts it, the whole of any other control.
QRect visibleBox(const QWidget* w)
{
    const QRect all = w->geometry();
    const QFontMetrics metrics(w->font());
    int width = all.width();
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    if (const auto* label = qobject_cast<const QLabel*>(w); label && !label->wordWrap()) {
        width = metrics.horizontalAdvance(plain(label->text()));
        align = label->alignment();
    } else if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
        width = w->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 4 + metrics.horizontalAdvance(plain(static_cast<const QAbstractButton*>(w)->text()));
    } else {
        return all;
    }
    int height = metrics.height();
    if (qobject_cast<const QAbstractButton*>(w))
        height = qMax(height, w->style()->pixelMetric(QStyle::PM_IndicatorHeight));
    QRect box(0, 0, qMin(width, all.width()), qMin(height, all.height()));
    box.moveTop(all.top() + (align & Qt::AlignTop ? 0 : align & Qt::AlignBottom ? all.height() - box.height() : (all.height() - box.height()) / 2));
    box.moveLeft(align & Qt::AlignRight ? all.right() - box.width() + 1 : all.left());
    return box;
}

bool designed(const QWidget* w)
{
    return !w->isWindow() && !w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"));
}

// Designed controls that leave their parent's area or cover a sibling.
QStringList controlsOutOfPlace(const QWidget* window)
{
    QStringList problems;
    // The window and its containers (a main window's unnamed client too); what a scroll area
    // scrolls may be larger than it, and Qt's own parts place theirs as they like.
    QList<const QWidget*> parents{window};
    for (const QWidget* w : window->findChildren<QWidget*>())
        if (!w->isWindow() && !w->objectName().startsWith(QLatin1String("qt_")) && !qobject_cast<const QAbstractScrollArea*>(w))
            parents << w;
    for (const QWidget* parent : parents) {
        QList<const QWidget*> children;
        for (const QObject* o : parent->children())
            if (const auto* w = qobject_cast<const QWidget*>(o); w && designed(w) && w->isVisibleTo(window))
                children << w;
        for (int i = 0; i < children.size(); ++i) {
            // Scaling rounds each edge on its own: a pixel or two either way is not seen.
            if (!parent->rect().adjusted(-kSlack, -kSlack, kSlack, kSlack).contains(visibleBox(children[i])))
                problems << QStringLiteral("%1 leaves %2").arg(children[i]->objectName(), parent->objectName());
            for (int j = i + 1; j < children.size(); ++j) {
                // Text covered by a row of pixels is already cut.
                const QRect common = visibleBox(children[i]) & visibleBox(children[j]);
                if (common.width() > kSlack && common.height() > 0)
                    problems << QStringLiteral("%1 overlaps %2").arg(children[i]->objectName(), children[j]->objectName());
            }
        }
    }
    return problems;
}

QStringList problemsAtSize(QWidget* window, QSize size)
{
    window->resize(size);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    return textsThatDoNotFit(window) + controlsOutOfPlace(window);
}

} // namespace

QStringList problemsAt(QWidget* window, QSize size, QSize design)
{
    const QSize minimum = window->minimumSize();
    window->setMinimumSize(0, 0);
    // A control with a problem already at design size (measured, not seen) is left out.
    const auto control = [](const QString& problem) { return problem.section(QStringLiteral(" needs "), 0, 0); };
    QStringList designed;
    for (const QString& problem : problemsAtSize(window, design))
        designed << control(problem);
    QStringList problems;
    for (const QString& problem : problemsAtSize(window, size))
        if (!designed.contains(control(problem)))
            problems << problem;
    window->resize(design);
    window->setMinimumSize(minimum);
    QCoreApplication::processEvents();
    return problems;
}

QStringList minimumSizeFaults(const std::function<QWidget*(int)>& windowIn, QSize design, QSize minimum)
{
    QStringList faults, narrower, lower;
    QWidget* window = nullptr;
    for (int language = -1; language <= 3; ++language) {
        window = windowIn(language);
        for (const QString& problem : problemsAt(window, minimum, design))
            faults << QStringLiteral("language %1: %2").arg(language).arg(problem);
        narrower << problemsAt(window, minimum - QSize(1, 0), design);
        lower << problemsAt(window, minimum - QSize(0, 1), design);
    }
    if (narrower.isEmpty() || lower.isEmpty())
        faults << QStringLiteral("nothing clips a pixel narrower or lower");
    // A screen too small for the minimum lowers it (offscreen there is no frame).
    const QSize room = window->screen()->availableGeometry().size() - (window->frameGeometry().size() - window->size());
    window->resize(200, 150);
    if (window->minimumSize() != minimum.boundedTo(room) || window->size() != window->minimumSize())
        faults << QStringLiteral("it takes a smaller size");
    return faults;
}

} // namespace testing_support
