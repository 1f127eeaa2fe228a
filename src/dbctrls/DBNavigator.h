#pragma once
// A record navigator: buttons First, Prior, Next, Last, Insert, Delete, Edit, Post and Cancel
// acting on the bound table. The visible buttons share the navigator's width. Buttons are
// enabled as the table allows: First and Prior not on the first record, Next and Last not on
// the last, Delete only with a record, Edit only in browse state, Post and Cancel only while
// editing or inserting; none while the table is closed.
//
// Delete asks "Slet denne post?" (OK / Annuller) and deletes only on OK. clicked() follows
// every button's action (also a Delete answered with Annuller); an action that fails reports
// its error and emits nothing. The buttons never take the focus, so an edit being typed into
// keeps it and hands its text over before a post; the navigator itself is one tab stop whose
// keys press its shown buttons: Home, Left, Right, End, Insert, Delete, F2 (Edit), Enter
// (Post), Escape (Cancel). A screen reader names it by its shown buttons' hints.
#include "NotifyLink.h"

#include <QList>
#include <QStringList>
#include <QWidget>
#include <array>

class QToolButton;

namespace dbctrls {

class TDBNavigator : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
    Q_PROPERTY(QStringList Hints READ hints WRITE setHints)
public:
    enum class Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel };
    Q_ENUM(Button)
    static constexpr int ButtonCount = 9;

    explicit TDBNavigator(QWidget* parent = nullptr);

    void setDataSource(engine::DataSource* source);
    engine::DataSource* dataSource() const { return link_.dataSource(); }

    /// The shown buttons (VisibleButtons); all nine by default.
    void setVisibleButtons(const QList<Button>& buttons);
    QList<Button> visibleButtons() const;

    /// Hints of the nine buttons in button order; a missing or empty entry shows the default
    /// ("Første", "Forrige", "Næste", "Sidste", "Tilføj", "Slet", "Ret", "Gem", "Fortryd").
    const QStringList& hints() const { return hints_; }
    void setHints(const QStringList& hints);
    /// The hint a button shows.
    QString buttonHint(Button button) const;

    QToolButton* button(Button button) const { return buttons_[size_t(button)]; }

    /// Runs a button's action as a click does (including the delete question and the signal).
    void click(Button button);

signals:
    /// A button's action has been carried out.
    void clicked(dbctrls::TDBNavigator::Button button);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateButtons();
    void arrangeButtons();
    /// A screen reader names the navigator by the hints of its shown buttons, each button by its own.
    void updateNames();
    void act(engine::Table& table, Button button);

    TNotifyLink link_;
    std::array<QToolButton*, ButtonCount> buttons_{};
    std::array<bool, ButtonCount> visible_{};
    QStringList hints_;
};

} // namespace dbctrls
