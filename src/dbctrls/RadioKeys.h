#pragma once
// The keys of a group of radio buttons, as on every desktop: the group is one tab stop (its
// checked button, else its first enabled one), the arrow keys move round the group and check
// the button they reach, and Space on a button that Tab reached unchecked does nothing, so a
// space typed while passing through never chooses. The buttons are not owned. User-interface thread only.
#include <QList>
#include <QObject>
#include <QPointer>

class QAbstractButton;

namespace dbctrls {

class TRadioKeys : public QObject {
    Q_OBJECT
public:
    /// Watches these buttons (in their order round the group); owned by owner.
    static TRadioKeys* attach(QObject* owner, const QList<QAbstractButton*>& buttons);

    /// Replaces the buttons watched (a group that rebuilt its buttons).
    void setButtons(const QList<QAbstractButton*>& buttons);
    /// The button Tab stops at now; null when none is enabled.
    QAbstractButton* tabStop() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TRadioKeys(QObject* parent);
    void updateTabStop();
    /// Moves from a button by step (+1 or -1) to the next enabled one and checks it.
    void move(QAbstractButton* from, int step);

    QList<QPointer<QAbstractButton>> buttons_;
    QPointer<QAbstractButton> tabbedIn_;
};

} // namespace dbctrls
