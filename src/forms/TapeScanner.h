#pragma once
// A tape number typed or scanned into a window. A barcode scanner types the code and Enter,
// as a keyboard would; the scanner catches those keys and reports the code.
//
// Unclaimed: watches a window for the keys none of its controls used (they reach the window
// itself), so its buttons, lists and menus keep their keys. Characters typed more than five
// seconds apart start a new code; Escape forgets the code.
// Fast: watches a control that uses typed characters itself (a grid that starts editing on
// any key). It holds back characters that come as fast as a scanner types them; a code ends
// by Enter while they still come fast. Slower typing reaches the control as it came, a
// moment later. Keys typed into a cell editor that is already open are left alone.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <vector>

class QKeyEvent;
class QTimer;
class QWidget;

namespace forms {

class TapeScanner : public QObject {
    Q_OBJECT
public:
    enum class Mode { Unclaimed, Fast };

    /// Watches watched (not owned; the scanner is its child and goes with it).
    TapeScanner(QWidget* watched, Mode mode);

    /// The characters caught since the last code ended.
    QString pending() const { return code_; }

signals:
    /// A code ended by Enter; blanks around it are removed.
    void scanned(const QString& code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct HeldKey {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };

    bool unclaimedKey(QKeyEvent* key);
    bool fastKey(QKeyEvent* key);
    void finish();
    /// Sends the held-back keys on to the control, as typed.
    void replay();

    QWidget* watched_;
    Mode mode_;
    QString code_;
    std::vector<HeldKey> held_;
    QElapsedTimer lastKey_;
    QTimer* pause_ = nullptr;
    bool replaying_ = false;
};

} // namespace forms
