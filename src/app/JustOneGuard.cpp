#include "JustOneGuard.h"

#include "core/Guard.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QWidget>

namespace app {

namespace {
constexpr int kKnockTimeoutMs = 2000;
const QByteArray kForward = QByteArrayLiteral("forward\n");

// The socket is in the abstract namespace: no file, so neither $TMPDIR nor $XDG_RUNTIME_DIR
// decides where a later copy looks for it.
constexpr auto kServerOptions = QLocalServer::AbstractNamespaceOption;
constexpr auto kSocketOptions = QLocalSocket::AbstractNamespaceOption;
} // namespace

QString TJustOneGuard::keyFor(const QString& folder)
{
    const QByteArray hash = QCryptographicHash::hash(QDir(folder).canonicalPath().toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("spolarkiv-%1").arg(QString::fromLatin1(hash.toHex().left(24)));
}

TJustOneGuard::TJustOneGuard(const QString& programFolder, QWidget* window)
    : QObject(window), key_(keyFor(programFolder)), window_(window), lock_(programFolder)
{
    setObjectName(QStringLiteral("JustOneGuard1"));
    if (lock_.tryLock()) {
        listen();
        return;
    }
    // Another copy holds the lock; if it is still starting, give it a moment to listen.
    anotherRuns_ = true;
    for (int attempt = 0; attempt < 10 && !knockOnRunningCopy(); ++attempt)
        QThread::msleep(100);
}

TJustOneGuard::~TJustOneGuard() = default;

bool TJustOneGuard::knockOnRunningCopy()
{
    QLocalSocket socket;
    socket.setSocketOptions(kSocketOptions);
    socket.connectToServer(key_);
    if (!socket.waitForConnected(kKnockTimeoutMs))
        return false;
    socket.write(kForward);
    socket.waitForBytesWritten(kKnockTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

void TJustOneGuard::listen()
{
    server_ = new QLocalServer(this);
    server_->setSocketOptions(kServerOptions);
    server_->listen(key_);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        core::guarded([this] {
            while (QLocalSocket* socket = server_->nextPendingConnection()) {
                connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
                bringForward(window_);
            }
        });
    });
}

void TJustOneGuard::bringForward(QWidget* window)
{
    QWidget* target = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : window;
    if (!target)
        return;
    if (window && window->isMinimized())
        window->showNormal();
    if (target->isMinimized())
        target->showNormal();
    target->raise();
    target->activateWindow();
}

} // namespace app
