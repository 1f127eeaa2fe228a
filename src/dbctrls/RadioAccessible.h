#pragma once
// What a screen reader is told of a radio group's button whose checking the group does itself
// (not auto-exclusive, so Qt would call it a check box): a radio button, checked or not, with
// its caption as its name. User-interface thread only.
#include <QAccessibleWidget>

class QRadioButton;

namespace dbctrls {

class TRadioAccessible : public QAccessibleWidget {
public:
    explicit TRadioAccessible(QRadioButton* button);

    /// Makes button read out as a radio button from now on (installs the factory once).
    static void markAsRadio(QRadioButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    QRadioButton* button() const;
};

} // namespace dbctrls
