#pragma once
// A date field's edit with a drop-down calendar. Shows the field's text (the system's short
// date format); the text can be typed like in TDBEdit, and emptied, which stores null. The
// button at the right end opens a calendar; choosing a day writes it into the field at once.
#include "DBEdit.h"

#include <QDate>

class QCalendarWidget;
class QFrame;

namespace dbctrls {

class TDBDateEdit : public TDBEdit {
    Q_OBJECT
public:
    explicit TDBDateEdit(QWidget* parent = nullptr);
    ~TDBDateEdit() override;

    /// Opens the calendar below the edit on the shown date (today when empty or unreadable).
    void showCalendar();
    bool calendarVisible() const;
    /// The calendar widget of the drop-down (created with the edit; tests choose days on it).
    QCalendarWidget* calendar() const { return calendar_; }
    /// The shown text read as a date in the short date format; invalid when empty.
    QDate date() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void choose(const QDate& date);

    QFrame* popup_ = nullptr;
    QCalendarWidget* calendar_ = nullptr;
};

} // namespace dbctrls
