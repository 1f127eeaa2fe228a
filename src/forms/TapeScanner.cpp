#include "TapeScanner.h"

#include "LanguageText.h"
#include "core/Dialogs.h"
#include "core/Guard.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QWidget>

namespace forms {

namespace {

// A person who stops typing for this long has started something else.
constexpr qint64 forgetAfterMs = 5000;

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

TapeScanner::TapeScanner(QWidget* watched) : QObject(watched), watched_(watched)
{
    watched_->installEventFilter(this);
}

bool TapeScanner::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != watched_ || event->type() != QEvent::KeyPress)
        return false;
    bool taken = false;
    core::guarded([&] { taken = unclaimedKey(static_cast<QKeyEvent*>(event)); });
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

void TapeScanner::finish()
{
    const QString code = code_.trimmed();
    code_.clear();
    if (!code.isEmpty())
        emit scanned(code);
}

void addScanShortcut(QWidget* window, std::function<void(const QString&)> found)
{
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_B), window);
    shortcut->setObjectName(QStringLiteral("ScanShortcut"));
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [found = std::move(found)] {
        core::guarded([&] {
            const std::optional<QString> code = core::dialogs().input(
                languageText("Scan", "BoxCaption", QStringLiteral("Find bånd")),
                languageText("Scan", "BoxPrompt", QStringLiteral("Båndnummer eller stregkode:")), QString());
            if (code && !code->trimmed().isEmpty())
                found(code->trimmed());
        });
    });
}

void makeScanField(QLineEdit* edit, std::function<void(const QString&)> found)
{
    QObject::connect(edit, &QLineEdit::returnPressed, edit, [edit, found = std::move(found)] {
        const QString code = edit->text().trimmed();
        edit->clear();
        if (!code.isEmpty())
            core::guarded([&] { found(code); });
    });
}

} // namespace forms
