#include "TapeScanner.h"

#include "core/Guard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

namespace forms {

namespace {

// A person who stops typing for this long has started something else.
constexpr qint64 forgetAfterMs = 5000;
// Scanners type a character every few milliseconds; people rarely faster than every 50.
constexpr int scannerGapMs = 50;

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

bool isCharacter(const QKeyEvent* key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    return text.size() == 1 && text.at(0).isPrint();
}

} // namespace

TapeScanner::TapeScanner(QWidget* watched, Mode mode) : QObject(watched), watched_(watched), mode_(mode)
{
    if (mode_ == Mode::Fast) {
        pause_ = new QTimer(this);
        pause_->setSingleShot(true);
        pause_->setInterval(scannerGapMs);
        connect(pause_, &QTimer::timeout, this, [this] { core::guarded([this] { replay(); }); });
    }
    watched_->installEventFilter(this);
}

bool TapeScanner::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != watched_ || event->type() != QEvent::KeyPress || replaying_)
        return false;
    bool taken = false;
    core::guarded([&] {
        auto* key = static_cast<QKeyEvent*>(event);
        taken = mode_ == Mode::Unclaimed ? unclaimedKey(key) : fastKey(key);
    });
    return taken;
}

bool TapeScanner::unclaimedKey(QKeyEvent* key)
{
    if (lastKey_.isValid() && lastKey_.elapsed() > forgetAfterMs)
        code_.clear();
    lastKey_.start();
    if (isCharacter(key)) {
        code_ += key->text();
        return true;
    }
    if (key->key() == Qt::Key_Escape && !code_.isEmpty()) {
        code_.clear();
        return true;
    }
    if (isEnter(key) && !code_.isEmpty()) {
        finish();
        return true;
    }
    return false;
}

bool TapeScanner::fastKey(QKeyEvent* key)
{
    const bool fast = pause_->isActive();
    if (isCharacter(key)) {
        held_.push_back({key->key(), key->modifiers(), key->text()});
        code_ += key->text();
        pause_->start();
        return true;
    }
    if (isEnter(key) && fast && !code_.isEmpty()) {
        pause_->stop();
        held_.clear();
        finish();
        return true;
    }
    // Any other key ends the fast run: what was held back goes first.
    pause_->stop();
    replay();
    return false;
}

void TapeScanner::finish()
{
    const QString code = code_.trimmed();
    code_.clear();
    if (!code.isEmpty())
        emit scanned(code);
}

void TapeScanner::replay()
{
    const std::vector<HeldKey> keys = std::move(held_);
    held_.clear();
    code_.clear();
    replaying_ = true;
    for (const HeldKey& held : keys) {
        // The first key may open a cell editor, which takes the focus and the keys after it.
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : watched_;
        QKeyEvent press(QEvent::KeyPress, held.key, held.modifiers, held.text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, held.key, held.modifiers, held.text);
        QApplication::sendEvent(target, &release);
    }
    replaying_ = false;
}

} // namespace forms
