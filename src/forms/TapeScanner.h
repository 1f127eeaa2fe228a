#pragma once
// A tape number typed or scanned into a window. A barcode scanner types the code and Enter,
// as a keyboard would; the scanner never guesses from timing, so no key typed into a control
// is ever taken from it. It is reached three ways:
//   - a window's unclaimed keys: the keys none of its controls used (no editable control has
//     the focus) reach the window itself, and a code ends by Enter. Characters typed more than
//     five seconds apart start a new code; Escape forgets the code.
//   - a scan field of a window's own: a line edit whose Enter ends the code (scanField).
//   - Ctrl+B in a window: the scan box, an input box for the code (addScanShortcut).
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace forms {

class TapeScanner : public QObject {
    Q_OBJECT
public:
    /// Watches watched's unclaimed keys (not owned; the scanner is its child and goes with it).
    explicit TapeScanner(QWidget* watched);

    /// The characters caught since the last code ended.
    QString pending() const { return code_; }

signals:
    /// A code ended by Enter; blanks around it are removed.
    void scanned(const QString& code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool unclaimedKey(QKeyEvent* key);
    void finish();

    QWidget* watched_;
    QString code_;
    QElapsedTimer lastKey_;
};

/// Ctrl+B in window (and the windows it parents that have no Ctrl+B of their own) opens the
/// scan box; a code given there goes to found, run through the guard.
void addScanShortcut(QWidget* window, std::function<void(const QString&)> found);

/// Makes edit a scan field: Enter hands its trimmed text, when not empty, to found (through
/// the guard) and empties it.
void makeScanField(QLineEdit* edit, std::function<void(const QString&)> found);

} // namespace forms
