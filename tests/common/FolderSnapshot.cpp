#include "FolderSnapshot.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace testing_support {

FolderSnapshot snapshot(const QString& folder)
{
    FolderSnapshot files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
        files[QDir(folder).relativeFilePath(file.fileName())] = QCryptographicHash::hash(content, QCryptographicHash::Sha1);
    }
    return files;
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace testing_support
