#pragma once
// Keeps a second copy of the program from running on the same program folder. A lock file
// serialises two copies started at once; the running copy listens on a local socket and,
// when a later copy knocks, brings its main window (or its open modal window) forward.
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

class QLocalServer;

namespace app {

class TJustOneGuard : public QObject {
    Q_OBJECT
public:
    /// key: identity of the running copy (the program folder); window: what to bring forward
    /// (may come later through setWindow). The guard is a child of window when one is given.
    TJustOneGuard(const QString& key, QWidget* window);
    ~TJustOneGuard() override;

    /// True when another copy runs; it has been asked to come forward.
    bool anotherCopyRuns() const { return anotherRuns_; }

    /// The window to bring forward when a later copy knocks; not owned, and forgotten when it goes.
    void setWindow(QWidget* window) { window_ = window; }

    /// The identity used for a program folder.
    static QString keyFor(const QString& folder);
    /// The lock file a running copy holds for a key; the command line's import takes it too.
    static QString lockPath(const QString& key);
    /// Brings a window, or the modal window open above it, to the front.
    static void bringForward(QWidget* window);

private:
    bool knockOnRunningCopy();
    void listen();

    QString key_;
    QPointer<QWidget> window_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    bool anotherRuns_ = false;
};

} // namespace app
