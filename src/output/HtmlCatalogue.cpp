#include "HtmlCatalogue.h"

#include "HtmlPage.h"
#include "WebTapes.h"
#include "core/AtomicFile.h"
#include "core/LeftOvers.h"
#include "core/Errors.h"
#include "core/UserFiles.h"
#include "support/JpegLoader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace output {

namespace {

const char kMarker[] = "<meta name=\"generator\" content=\"Spolarkiv\">";

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

[[noreturn]] void fail(const HtmlCatalogueOptions& o, const char* key, const QString& danish, const QStringList& args)
{
    QString message = o.text(key, danish);
    for (const QString& arg : args)
        message = message.arg(arg);
    throw core::EExportError(message);
}

// Only an earlier web catalogue may be replaced: never a folder holding the user's other files.
bool replaceable(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (!info.isDir() || info.isSymLink())
        return false;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    if (entries.isEmpty())
        return true;
    for (const QString& entry : entries)
        if (entry != QLatin1String("index.html") && entry != QLatin1String("billeder"))
            return false;
    QFile page(folder + QStringLiteral("/index.html"));
    return page.open(QIODevice::ReadOnly) && page.read(2048).contains(kMarker);
}

// A tape number that can name a file of billeder/ as it stands.
bool fileNameSafe(const QString& number)
{
    if (number.isEmpty() || number.size() > 100 || number == QLatin1String(".") || number == QLatin1String(".."))
        return false;
    for (const QChar c : number)
        if (c.unicode() < 0x20 || c == QLatin1Char('/') || c == QLatin1Char('\\'))
            return false;
    return true;
}

void writeFile(const QString& path, const QByteArray& bytes, const HtmlCatalogueOptions& o)
{
    core::AtomicFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        fail(o, "CannotWrite", QStringLiteral("Filen \"%1\" kan ikke skrives: %2"), {native(path), file.errorString()});
}

// The cover at most kThumbnailHeight high as JPEG; nothing when the file is missing or no
// readable picture (the page then shows no cover for it).
QByteArray thumbnail(const QString& path, const HtmlCatalogueOptions& o)
{
    if (!QFileInfo::exists(path))
        return {};
    const std::optional<QImage> image = support::loadJpegFile(path);
    if (!image)
        return {};
    const QImage small = image->height() > kThumbnailHeight
                             ? image->scaledToHeight(kThumbnailHeight, Qt::SmoothTransformation)
                             : *image;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(82);
    if (!writer.write(small))
        fail(o, "CannotWrite", QStringLiteral("Filen \"%1\" kan ikke skrives: %2"), {native(path), writer.errorString()});
    return bytes;
}

std::vector<int> writeCovers(const std::vector<WebTape>& tapes, const QString& folder, const HtmlCatalogueOptions& o)
{
    std::vector<int> covers(tapes.size(), 0);
    const qint64 total = qint64(tapes.size());
    for (size_t i = 0; i < tapes.size(); ++i) {
        if (o.progress && i % 64 == 0 && !o.progress(qint64(i), total))
            throw core::EAbort();
        if (!fileNameSafe(tapes[i].number))
            continue;
        for (const auto& [bit, side] : {std::pair{kFrontCover, "Front"}, std::pair{kBackCover, "Back"}}) {
            const QString name = QString::fromLatin1(side) + tapes[i].number + QStringLiteral(".jpg");
            const QByteArray picture = thumbnail(o.picturesDir + QLatin1Char('/') + name, o);
            if (picture.isEmpty())
                continue;
            writeFile(folder + QLatin1Char('/') + name, picture, o);
            covers[i] |= bit;
        }
    }
    return covers;
}

bool renamePath(const QString& from, const QString& to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Puts built in target's place; an earlier catalogue ends up in built (removed with it) or
// in kept. Without the one-step exchange (FAT sticks) the earlier one stays until the new is in.
void swapIn(const QString& built, const QString& target, const HtmlCatalogueOptions& o)
{
    const QString kept = built + QStringLiteral(".old");
    bool done = false;
    if (!QFileInfo::exists(target)) {
        done = renamePath(built, target);
    } else {
#ifdef RENAME_EXCHANGE
        done = ::renameat2(AT_FDCWD, QFile::encodeName(built).constData(), AT_FDCWD,
                           QFile::encodeName(target).constData(), RENAME_EXCHANGE) == 0;
#endif
        if (!done && renamePath(target, kept)) {
            done = renamePath(built, target);
            const int saved = errno;
            if (!done)
                renamePath(kept, target);
            else
                QDir(kept).removeRecursively();
            errno = saved;
        }
    }
    if (!done)
        fail(o, "CannotMove", QStringLiteral("Mappen \"%1\" kan ikke flyttes til \"%2\": %3"),
             {native(built), native(target), QString::fromLocal8Bit(std::strerror(errno))});
    core::syncFolder(QFileInfo(target).absolutePath());
}

} // namespace

int writeHtmlCatalogue(engine::Database& db, const QString& folder, const HtmlCatalogueOptions& o)
{
    const QFileInfo target(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
    if (!QFileInfo(target.absolutePath()).isDir())
        fail(o, "NoParent", QStringLiteral("Mappen \"%1\" findes ikke."), {native(target.absolutePath())});
    if (!replaceable(target.filePath()))
        fail(o, "NotCatalogue",
             QStringLiteral("Mappen \"%1\" rummer andet end et webkatalog. Vælg en tom mappe eller et tidligere webkatalog."),
             {native(target.filePath())});
    // Removed with whatever it holds when anything fails, and after the swap with the earlier catalogue.
    core::removeLeftOvers(target.absolutePath(), QRegularExpression(QStringLiteral("^\\.%1-[A-Za-z0-9]{6}$")
                                                                        .arg(QRegularExpression::escape(target.fileName()))));
    QTemporaryDir built(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral("-XXXXXX"));
    core::WriterLock building;
    building.lock(built.path());
    // A temporary folder is private; the catalogue is for the family and the web server.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (!built.isValid() || ::chmod(QFile::encodeName(built.path()).constData(), 0777 & ~mask) != 0
        || !QDir(built.path()).mkdir(QStringLiteral("billeder")))
        fail(o, "CannotWrite", QStringLiteral("Filen \"%1\" kan ikke skrives: %2"), {native(built.path()), built.errorString()});
    bool hasLocation = false;
    const std::vector<WebTape> tapes = readWebTapes(db, &hasLocation);
    const std::vector<int> covers = writeCovers(tapes, built.path() + QStringLiteral("/billeder"), o);
    writeFile(built.path() + QStringLiteral("/index.html"), htmlPage(tapes, covers, hasLocation, o.text), o);
    if (o.progress && !o.progress(qint64(tapes.size()), qint64(tapes.size())))
        throw core::EAbort();
    core::syncFolder(built.path() + QStringLiteral("/billeder"));
    core::syncFolder(built.path());
    swapIn(built.path(), target.filePath(), o);
    return int(tapes.size());
}

} // namespace output
