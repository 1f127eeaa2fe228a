#include "RadioKeys.h"

#include "core/Guard.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QKeyEvent>

namespace dbctrls {

namespace {
bool isSpace(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Space || key->key() == Qt::Key_Select;
}

int arrowStep(int key)
{
    if (key == Qt::Key_Down || key == Qt::Key_Right)
        return 1;
    if (key == Qt::Key_Up || key == Qt::Key_Left)
        return -1;
    return 0;
}
} // namespace

TRadioKeys::TRadioKeys(QObject* parent) : QObject(parent) {}

TRadioKeys* TRadioKeys::attach(QObject* owner, const QList<QAbstractButton*>& buttons)
{
    auto* keys = new TRadioKeys(owner);
    keys->setButtons(buttons);
    return keys;
}

void TRadioKeys::setButtons(const QList<QAbstractButton*>& buttons)
{
    for (QAbstractButton* old : buttons_)
        if (old) {
            old->removeEventFilter(this);
            disconnect(old, nullptr, this, nullptr);
        }
    buttons_.clear();
    for (QAbstractButton* button : buttons) {
        buttons_ << button;
        button->installEventFilter(this);
        connect(button, &QAbstractButton::toggled, this, [this] { updateTabStop(); });
    }
    updateTabStop();
}

QAbstractButton* TRadioKeys::tabStop() const
{
    QAbstractButton* first = nullptr;
    for (QAbstractButton* button : buttons_) {
        if (!button || !button->isEnabled())
            continue;
        if (button->isChecked())
            return button;
        if (!first)
            first = button;
    }
    return first;
}

void TRadioKeys::updateTabStop()
{
    // The others still take the focus when clicked.
    const QAbstractButton* stop = tabStop();
    for (QAbstractButton* button : buttons_)
        if (button)
            button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TRadioKeys::move(QAbstractButton* from, int step)
{
    const int count = int(buttons_.size());
    int index = int(buttons_.indexOf(from));
    for (int tried = 1; tried < count; ++tried) {
        index = (index + step + count) % count;
        QAbstractButton* next = buttons_.at(index);
        if (next && next->isEnabled() && next->isVisibleTo(next->window())) {
            next->setFocus(Qt::OtherFocusReason);
            if (!next->isChecked())
                next->click();
            return;
        }
    }
}

bool TRadioKeys::eventFilter(QObject* watched, QEvent* event)
{
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || !buttons_.contains(button))
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool byTab = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
        tabbedIn_ = byTab && !button->isChecked() ? button : nullptr;
        break;
    }
    case QEvent::FocusOut:
        tabbedIn_ = nullptr;
        break;
    case QEvent::EnabledChange:
        core::guarded([this] { updateTabStop(); });
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isSpace(key) && button == tabbedIn_ && !button->isChecked())
            return true;
        const int step = arrowStep(key->key());
        if (step == 0 || key->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier))
            break;
        if (event->type() == QEvent::KeyPress)
            core::guarded([&] { move(button, step); });
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dbctrls
