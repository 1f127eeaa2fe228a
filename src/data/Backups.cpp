#include "Backups.h"

#include "CatalogueCheck.h"
#include "Schema.h"
#include "engine/TableCheck.h"
#include "core/Errors.h"
#include "core/SectionTexts.h"
#include "core/UserFiles.h"
#include "engine/TableBackup.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace data {

namespace {

const QString kStampFormat = QStringLiteral("yyyy-MM-dd-HHmmss");
const QString kPartialPrefix = QStringLiteral(".partial-");

const QRegularExpression& backupName()
{
    static const QRegularExpression name(QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}-\\d{6})(-\\d+)?$"));
    return name;
}

QDateTime stampOf(const QString& folderName)
{
    const QRegularExpressionMatch match = backupName().match(folderName);
    return match.hasMatch() ? QDateTime::fromString(match.captured(1), kStampFormat) : QDateTime();
}

QString freshName(const QDir& parent, const QString& stamp)
{
    QString name = stamp;
    for (int n = 2; parent.exists(name) || parent.exists(kPartialPrefix + name); ++n)
        name = QStringLiteral("%1-%2").arg(stamp).arg(n);
    return name;
}

[[noreturn]] void failFolder(const QString& what, const QString& path)
{
    throw core::EInOutError(
        what.arg(QDir::toNativeSeparators(path), core::systemReason(errno)));
}

QString cannotCreate()
{
    return core::sectionText("Catalogue", "CannotCreateFolder", QStringLiteral("Mappen \"%1\" kan ikke oprettes: %2"));
}

void makeFolder(const QString& path)
{
    if (QFileInfo(path).isDir())
        return;
    if (!QDir().mkpath(path))
        failFolder(cannotCreate(), path);
}

// A copy of a foreign file would only fail when it is needed most. Faults are named by the
// original file. The copies are page-for-page images of one committed state; SQLite's
// integrity check of them is left to the restore (it costs ten times the copy).
void checkCopies(const QString& folder, const QString& dataDir)
{
    for (const TableFile& file : catalogueFiles()) {
        const QString path = QDir(folder).absoluteFilePath(file.fileName);
        const QString original = QDir::toNativeSeparators(QDir(dataDir).absoluteFilePath(file.fileName));
        const engine::TableFileCheck check = engine::inspectTableFile(path, QFileInfo(file.fileName).completeBaseName(), engine::Thoroughness::FieldsOnly);
        if (!check.problem.isEmpty())
            throw core::EDatabaseError(core::sectionText("Catalogue", "Damaged", QStringLiteral("Tabelfilen \"%1\" er beskadiget: %2"))
                                           .arg(original, check.problem));
        refuseNewerFile(original, check.version);
        const QStringList missing = missingFields(file, check.columns, check.version);
        if (!missing.isEmpty())
            throw core::EDatabaseError(missingFieldsMessage(original, missing));
    }
}

} // namespace

QByteArray catalogueFingerprint(const QString& dataDir, const QStringList& leftOut)
{
    QByteArray mark;
    QDataStream out(&mark, QIODevice::WriteOnly);
    for (const QString& name : catalogueFileNames()) {
        if (leftOut.contains(name))
            continue;
        const QString path = QDir(dataDir).absoluteFilePath(name);
        struct stat status {};
        if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
            out << name << false;
            continue;
        }
        QFile file(path);
        const QByteArray header = file.open(QIODevice::ReadOnly) ? file.read(100) : QByteArray();
        out << name << true << quint64(status.st_dev) << quint64(status.st_ino) << qint64(status.st_size)
            << qint64(status.st_mtim.tv_sec) << qint64(status.st_mtim.tv_nsec) << header.mid(24, 4);
    }
    return mark;
}

QString writeBackup(const QString& dataDir, const QString& parentDir, const QDateTime& now, const QString& suffix)
{
    makeFolder(parentDir);
    const QDir parent(parentDir);
    const QString name = freshName(parent, now.toString(kStampFormat) + suffix);
    const QString partial = parent.absoluteFilePath(kPartialPrefix + name);
    const QString finished = parent.absoluteFilePath(name);
    if (!QDir().mkdir(partial))
        failFolder(cannotCreate(), partial);
    try {
        engine::backUpTableFiles(dataDir, catalogueFileNames(), partial);
        checkCopies(partial, dataDir);
        core::syncFolder(partial);
        if (!QDir().rename(partial, finished))
            failFolder(core::sectionText("Catalogue", "CannotRename", QStringLiteral("Mappen \"%1\" kan ikke omdøbes: %2")), partial);
    } catch (...) {
        QDir(partial).removeRecursively();
        throw;
    }
    core::syncFolder(parent.absolutePath());
    return finished;
}

QStringList backupsIn(const QString& parentDir)
{
    QStringList names;
    for (const QString& name : QDir(parentDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks))
        if (stampOf(name).isValid())
            names << name;
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const QDateTime left = stampOf(a), right = stampOf(b);
        return left != right ? left > right : a.size() != b.size() ? a.size() > b.size() : a > b;
    });
    return names;
}

QStringList pruneBackups(const QString& parentDir, const QDateTime& now)
{
    const QDir parent(parentDir);
    QStringList deleted;
    for (const QString& name : parent.entryList({kPartialPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden | QDir::NoSymLinks))
        if (QDir(parent.absoluteFilePath(name)).removeRecursively())
            deleted << name;
    const QDate firstMonth = now.date().addMonths(1 - kMonthlyBackupsKept);
    const QDate oldestKept(firstMonth.year(), firstMonth.month(), 1);
    QSet<QPair<int, int>> monthsSeen;
    const QStringList backups = backupsIn(parentDir);
    for (int i = 0; i < backups.size(); ++i) {
        const QDate day = stampOf(backups[i]).date();
        const bool newestOfMonth = !monthsSeen.contains({day.year(), day.month()});
        monthsSeen.insert({day.year(), day.month()});
        if (i < kBackupsKept || (newestOfMonth && day >= oldestKept))
            continue;
        if (QDir(parent.absoluteFilePath(backups[i])).removeRecursively())
            deleted << backups[i];
    }
    return deleted;
}

} // namespace data
