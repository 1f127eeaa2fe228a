#pragma once
// The splash window: the maker's logo, cut to the outline of its letters and bar, shown while
// the program builds its windows. It goes away when another window of ours becomes active,
// when the main window is first activated (a frameless window may never be activated by the
// window manager), after a few seconds at the latest, or by "Luk" on its pop-up menu.
#include <QWidget>

class QAction;
class QMenu;
class QTimer;

namespace support {
class TFormShaper;
class TImage;
} // namespace support

namespace app {

class TTolvane : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 580;
    static constexpr int kClientHeight = 80;
    static constexpr int kLifetimeMs = 4000;

    explicit TTolvane(QWidget* parent = nullptr);
    ~TTolvane() override;

    support::TImage* Image1;
    QMenu* PopupMenu1;
    QAction* Luk1;
    support::TFormShaper* FormShaper1;
    /// Closes the splash when it runs out (kLifetimeMs after creation).
    QTimer* Timer1;

    void FormCreate();
    void FormDeactivate();
    void Luk1Click();

    /// Closes the splash when mainWindow is activated.
    void dismissWhenActivated(QWidget* mainWindow);

protected:
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadShape();
    void centreOnScreen();
};

/// The one splash window while it is shown; null once it has gone.
extern TTolvane* Tolvane;

/// Creates the splash window, shows it and paints it at once. Call before building the
/// main window.
TTolvane* showSplash();
/// Makes the splash go when mainWindow is first activated; nothing when it has gone.
void dismissSplashWhenActivated(QWidget* mainWindow);
/// Destroys the splash now if it is still there (the program ends before its main window).
void closeSplash();

} // namespace app
