#pragma once
// Keeps a second copy of the program from running on the same program folder. The program
// folder's lock serialises two copies started at once (and keeps the commands that write Data
// off); the running copy listens on a local socket and, when a later copy knocks, brings its
// main window (or its open modal window) forward.
#include "catalogue/FolderLock.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class QLocalServer;

namespace app {

class TJustOneGuard : public QObject {
    Q_OBJECT
public:
    /// programFolder: the folder that holds Data, whose lock the running copy holds; window:
    /// what to bring forward (may come later through setWindow). The guard is a child of
    /// window when one is given.
    TJustOneGuard(const QString& programFolder, QWidget* window);
    ~TJustOneGuard() override;

    /// True when another copy runs; it has been asked to come forward.
    bool anotherCopyRuns() const { return anotherRuns_; }

    /// The window to bring forward when a later copy knocks; not owned, and forgotten when it goes.
    void setWindow(QWidget* window) { window_ = window; }

    /// The name of the running copy's socket for a program folder; the same in every environment.
    static QString keyFor(const QString& folder);
    /// Brings a window, or the modal window open above it, to the front.
    static void bringForward(QWidget* window);

private:
    bool knockOnRunningCopy();
    void listen();

    QString key_;
    QPointer<QWidget> window_;
    catalogue::FolderLock lock_;
    QLocalServer* server_ = nullptr;
    bool anotherRuns_ = false;
};

} // namespace app
