#pragma once
// Walking a window's controls with the keyboard, as a user without a mouse does.
#include <QAccessible>
#include <QApplication>
#include <QList>
#include <QTest>
#include <QWidget>
#include <string>

namespace formtest {

/// Presses Tab (Shift+Tab backwards) count times and gives the controls the focus landed on.
inline QList<QWidget*> tabThrough(int count, bool backwards = false)
{
    QList<QWidget*> landed;
    for (int i = 0; i < count; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QApplication::processEvents();
        landed << QApplication::focusWidget();
    }
    return landed;
}

/// Presses Tab until the focus is back where it was (at most limit times); gives the stops, that one last.
inline QList<QWidget*> tabCycle(int limit = 60)
{
    QWidget* start = QApplication::focusWidget();
    QList<QWidget*> landed = tabThrough(1);
    while (landed.size() < limit && landed.last() != start)
        landed << tabThrough(1);
    return landed;
}

/// What a screen reader says a control is called.
inline QString spokenName(QWidget* control)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

/// Object and class names, for readable failures.
inline std::string names(const QList<QWidget*>& controls)
{
    QStringList result;
    for (const QWidget* c : controls)
        result << (c ? c->objectName() + QLatin1Char('/') + QLatin1String(c->metaObject()->className()) : QString());
    return result.join(QStringLiteral(", ")).toStdString();
}

} // namespace formtest
