#include "FileKind.h"

#include "ImportTexts.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>

namespace import {

QString unreadableKind(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        struct stat link {};
        if (::lstat(name.constData(), &link) == 0 && S_ISLNK(link.st_mode))
            return importText("KindBrokenLink", QStringLiteral("en genvej, der ikke peger på noget"));
        return QString();
    }
    if (S_ISREG(info.st_mode))
        return QString();
    if (S_ISDIR(info.st_mode))
        return importText("KindFolder", QStringLiteral("en mappe"));
    if (S_ISFIFO(info.st_mode))
        return importText("KindFifo", QStringLiteral("en navngiven pipe (FIFO)"));
    if (S_ISSOCK(info.st_mode))
        return importText("KindSocket", QStringLiteral("en sokkel (socket)"));
    return importText("KindDevice", QStringLiteral("en enhed (device)"));
}

QString notAFileText(const QString& path, const QString& kind)
{
    return importText("NotAFile", QStringLiteral("\"%1\" er %2, ikke en almindelig fil."))
        .arg(QDir::toNativeSeparators(path), kind);
}

} // namespace import
