#include "JustOneGuard.h"

#include "core/Guard.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>

namespace app {

namespace {
constexpr int kKnockTimeoutMs = 2000;
const QByteArray kForward = QByteArrayLiteral("forward\n");
} // namespace

QString TJustOneGuard::keyFor(const QString& folder)
{
    const QByteArray hash = QCryptographicHash::hash(QDir(folder).canonicalPath().toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("spolarkiv-%1-%2").arg(qEnvironmentVariable("USER"), QString::fromLatin1(hash.toHex().left(16)));
}

QString TJustOneGuard::lockPath(const QString& key)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QLatin1Char('/') + key + QStringLiteral(".lock");
}

TJustOneGuard::TJustOneGuard(const QString& key, QWidget* window) : QObject(window), key_(key), window_(window)
{
    setObjectName(QStringLiteral("JustOneGuard1"));
    lock_ = std::make_unique<QLockFile>(lockPath(key));
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
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
    QLocalServer::removeServer(key_); // left behind by a copy that crashed
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
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
