#include "StaleJournals.h"

#include "PrivateConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>
#include <sqlite3.h>

namespace engine {

namespace {

constexpr qint64 kJournalHeaderSize = 28;
const QByteArray kJournalMagic("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);

bool isTableFile(const QFileInfo& info)
{
    return info.isFile() && info.suffix().compare(QLatin1String("db"), Qt::CaseInsensitive) == 0;
}

// Header bytes 18 and 19 are 2 in WAL mode, where the write lock is not the one taken below.
bool inWalMode(const QFileInfo& table)
{
    QFile file(table.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const QByteArray header = file.read(20);
    return header.size() < 20 || header.at(18) == 2 || header.at(19) == 2;
}

// SQLite counts a journal as hot only when its first byte is not zero; an empty one or one
// whose header was never written (or was zeroed at commit) changes nothing.
bool isInertJournal(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() == 0)
        return true;
    const QByteArray header = file.read(kJournalHeaderSize);
    return header.size() == kJournalHeaderSize && header.count('\0') == kJournalHeaderSize;
}

// The super-journal a journal names at its end: name, its length, checksum and the magic.
QString superJournalOf(const QString& path)
{
    QFile file(path);
    const qint64 size = file.size();
    if (!file.open(QIODevice::ReadOnly) || size < 16 || !file.seek(size - 16))
        return QString();
    const QByteArray tail = file.read(16);
    if (tail.size() != 16 || tail.mid(8) != kJournalMagic)
        return QString();
    const auto* b = reinterpret_cast<const uchar*>(tail.constData());
    const quint32 length = (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | quint32(b[3]);
    if (length == 0 || qint64(length) > size - 16 || !file.seek(size - 16 - length))
        return QString();
    const QByteArray name = file.read(length);
    return QFileInfo(QString::fromUtf8(name.constData(), qsizetype(qstrnlen(name.constData(), name.size()))))
        .fileName();
}

// The journals a super-journal lists: NUL-terminated paths.
QStringList childrenOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList result;
    for (const QByteArray& name : file.readAll().split('\0'))
        if (!name.isEmpty())
            result << QString::fromUtf8(name);
    return result;
}

// Holds a write lock on every table file while it lives; locked() says whether it got them.
class FolderLock {
public:
    explicit FolderLock(const QFileInfoList& tables)
    {
        if (tables.isEmpty() || sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI, nullptr) != SQLITE_OK)
            return;
        for (int i = 0; i < tables.size(); ++i) {
            QByteArray uri =
                (QUrl::fromLocalFile(tables[i].absoluteFilePath()).toString(QUrl::FullyEncoded) + "?mode=rw").toUtf8();
            const QByteArray sql = "ATTACH DATABASE '" + uri.replace('\'', "''") + "' AS t" + QByteArray::number(i);
            if (sqlite3_exec(db_, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
                return;
        }
        // A writer of any file holds its reserved lock until its journal is gone; wait for none.
        locked_ = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~FolderLock()
    {
        if (locked_)
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool locked() const { return locked_; }

private:
    sqlite3* db_ = nullptr;
    bool locked_ = false;
};

QStringList removeInertJournals(const QDir& dir, const QFileInfoList& tables)
{
    QStringList removed;
    for (const QFileInfo& table : tables) {
        const QString journal = table.absoluteFilePath() + QStringLiteral("-journal");
        if (QFileInfo(journal).isFile() && isInertJournal(journal) && QFile::remove(journal))
            removed << dir.relativeFilePath(journal);
    }
    return removed;
}

bool isNeeded(const QFileInfo& super, const QDir& dir)
{
    QStringList journals = childrenOf(super.absoluteFilePath());
    for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("*-journal")}, QDir::Files | QDir::Hidden))
        journals << info.absoluteFilePath();
    for (const QString& journal : std::as_const(journals))
        if (QFileInfo(journal).isFile() && superJournalOf(journal) == super.fileName())
            return true;
    return false;
}

QStringList removeUnneededSuperJournals(const QDir& dir)
{
    static const QRegularExpression pattern(QStringLiteral("^(.+)-mj[0-9A-Fa-f]+$"));
    QStringList removed;
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = pattern.match(info.fileName());
        if (!match.hasMatch() || !QFileInfo(dir.filePath(match.captured(1))).isFile())
            continue;
        if (!isNeeded(info, dir) && QFile::remove(info.absoluteFilePath()))
            removed << info.fileName();
    }
    return removed;
}

// Told from the folder's one listing (files): most opens find nothing, and a second look
// at the folder cost more than the rest of this check.
bool hasCandidates(const QFileInfoList& files, const QFileInfoList& tables)
{
    QSet<QString> names;
    for (const QFileInfo& info : files) {
        if (info.fileName().contains(QLatin1String("-mj"), Qt::CaseInsensitive))
            return true;
        names.insert(info.fileName());
    }
    for (const QFileInfo& table : tables) {
        const QString journal = table.fileName() + QStringLiteral("-journal");
        if (names.contains(journal) && isInertJournal(table.absoluteFilePath() + QStringLiteral("-journal")))
            return true;
    }
    return false;
}

} // namespace

QStringList removeStaleJournals(const QString& dataDir) noexcept
{
    try {
        const QDir dir(dataDir);
        const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
        QFileInfoList tables;
        for (const QFileInfo& info : files)
            if (isTableFile(info))
                tables << info;
        // Most opens find nothing: they touch no file.
        if (!hasCandidates(files, tables))
            return {};
        for (const QFileInfo& table : std::as_const(tables))
            if (inWalMode(table))
                return {};
        const FolderLock lock(tables);
        if (!lock.locked())
            return {};
        // Inert journals go first: SQLite reads a super-journal's name only from a hot one.
        QStringList removed = removeInertJournals(dir, tables);
        removed << removeUnneededSuperJournals(dir);
        return removed;
    } catch (...) {
        return {};
    }
}

void rollBackHotJournals(const QString& dataDir, const QStringList& fileNames) noexcept
{
    const QDir data(dataDir);
    for (const QString& name : fileNames) {
        const QString path = data.absoluteFilePath(name);
        const QFileInfo table(path);
        if (table.isSymLink() || !table.isFile() || !QFileInfo::exists(path + QStringLiteral("-journal")))
            continue;
        // SQLite rolls a hot journal back before the first read of a read-write connection.
        PrivateConnection connection(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"),
                                     SQLITE_OPEN_READWRITE);
        if (connection.isOpen())
            connection.run(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    }
}

} // namespace engine
