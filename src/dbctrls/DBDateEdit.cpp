#include "DBDateEdit.h"

#include "Glyphs.h"
#include "core/Errors.h"
#include "core/Guard.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QLocale>
#include <QScreen>
#include <QVBoxLayout>

namespace dbctrls {

TDBDateEdit::TDBDateEdit(QWidget* parent) : TDBEdit(parent)
{
    QAction* dropDown = addAction(glyphIcon(Glyph::DropDown, 12), QLineEdit::TrailingPosition);
    connect(dropDown, &QAction::triggered, this, [this] { core::guarded([this] { showCalendar(); }); });

    popup_ = new QFrame(this, Qt::Popup);
    popup_->setFrameShape(QFrame::Box);
    auto* layout = new QVBoxLayout(popup_);
    layout->setContentsMargins(1, 1, 1, 1);
    calendar_ = new QCalendarWidget(popup_);
    calendar_->setGridVisible(true);
    layout->addWidget(calendar_);
    connect(calendar_, &QCalendarWidget::clicked, this, [this](QDate day) { choose(day); });
    connect(calendar_, &QCalendarWidget::activated, this, [this](QDate day) { choose(day); });
}

TDBDateEdit::~TDBDateEdit() = default;

QDate TDBDateEdit::date() const
{
    return QLocale().toDate(text().trimmed(), QLocale::ShortFormat);
}

bool TDBDateEdit::calendarVisible() const
{
    return popup_->isVisible();
}

void TDBDateEdit::showCalendar()
{
    const QDate shown = date();
    calendar_->setSelectedDate(shown.isValid() ? shown : QDate::currentDate());
    popup_->adjustSize();
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        if (at.y() + popup_->height() > room.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - popup_->height());
        at.setX(qBound(room.left(), at.x(), qMax(room.left(), room.right() - popup_->width())));
    }
    popup_->move(at);
    popup_->show();
    calendar_->setFocus(Qt::PopupFocusReason);
}

void TDBDateEdit::choose(const QDate& day)
{
    popup_->hide();
    core::guarded([&] {
        if (!link().edit())
            throw core::EAbort();
        setText(QLocale().toString(day, QLocale::ShortFormat));
        link().modified();
        link().updateRecord();
    });
    // A refused date leaves the field's value shown.
    if (!isModified())
        return;
    link().reset();
}

void TDBDateEdit::keyPressEvent(QKeyEvent* event)
{
    const bool dropDown = (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier))
        || event->key() == Qt::Key_F4;
    if (!dropDown) {
        TDBEdit::keyPressEvent(event);
        return;
    }
    core::guarded([this] { showCalendar(); });
    event->accept();
}

} // namespace dbctrls
