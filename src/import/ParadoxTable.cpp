#include "ParadoxTable.h"

#include "ImportTexts.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTime>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <sys/stat.h>

namespace import {

namespace {

constexpr int minimumHeader = 0x58;
constexpr int lastDayNumber = 3652059; // 9999-12-31
constexpr qint64 dayMilliseconds = 86400000;
constexpr qint64 julianDayBeforeYearOne = 1721425;
constexpr int memoChunk = 4096;
constexpr int subAllocatedDataStart = 0x150;

quint16 u16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 u32(const char* p) { return qFromLittleEndian<quint32>(p); }

bool allZero(const char* p, int size)
{
    for (int i = 0; i < size; ++i)
        if (p[i] != 0)
            return false;
    return true;
}

// Numbers are stored big-endian with the sign bit flipped, so their bytes sort as values.
qint64 flippedInteger(const char* p, int size)
{
    quint64 raw = 0;
    for (int i = 0; i < size; ++i)
        raw = (raw << 8) | static_cast<unsigned char>(p[i]);
    const int bits = size * 8;
    raw ^= quint64(1) << (bits - 1);
    if (raw & (quint64(1) << (bits - 1)))
        return qint64(raw) - (qint64(1) << bits);
    return qint64(raw);
}

double flippedDouble(const char* p)
{
    unsigned char bytes[8];
    std::memcpy(bytes, p, 8);
    if (bytes[0] & 0x80)
        bytes[0] &= 0x7F;
    else
        for (unsigned char& b : bytes)
            b = static_cast<unsigned char>(~b);
    return qFromBigEndian<double>(bytes);
}

QDate dateOfDay(qint64 day)
{
    return QDate::fromJulianDay(julianDayBeforeYearOne + day);
}

int fixedSize(ParadoxType type)
{
    switch (type) {
    case ParadoxType::Date:
    case ParadoxType::Long:
    case ParadoxType::Time:
    case ParadoxType::AutoIncrement: return 4;
    case ParadoxType::Short: return 2;
    case ParadoxType::Currency:
    case ParadoxType::Number:
    case ParadoxType::Timestamp: return 8;
    case ParadoxType::Logical: return 1;
    case ParadoxType::Bcd: return 17;
    default: return 0;
    }
}

bool isBlob(ParadoxType type)
{
    switch (type) {
    case ParadoxType::Memo:
    case ParadoxType::Binary:
    case ParadoxType::FormattedMemo:
    case ParadoxType::Ole:
    case ParadoxType::Graphic: return true;
    default: return false;
    }
}

bool isText(ParadoxType type)
{
    return type == ParadoxType::Memo || type == ParadoxType::FormattedMemo;
}

bool isKnownType(quint8 code)
{
    switch (static_cast<ParadoxType>(code)) {
    case ParadoxType::Alpha:
    case ParadoxType::Bytes:
        return true;
    default:
        return fixedSize(static_cast<ParadoxType>(code)) > 0 || isBlob(static_cast<ParadoxType>(code));
    }
}

QString bcdText(const char* p, int decimals)
{
    const bool positive = (static_cast<unsigned char>(p[0]) & 0x80) != 0;
    QString integerPart;
    QString fraction;
    for (int i = 0; i < 32; ++i) {
        const auto byte = static_cast<unsigned char>(p[1 + i / 2]);
        int nibble = (i % 2 == 0) ? byte >> 4 : byte & 0x0F;
        if (!positive)
            nibble = 15 - nibble;
        if (nibble > 9) {
            if (i < 32 - decimals)
                return QString(); // junk among the whole digits: no number
            break;                // junk past double precision: the digits so far
        }
        QString& part = i < 32 - decimals ? integerPart : fraction;
        if (&part == &integerPart && part.isEmpty() && nibble == 0)
            continue;
        part += QChar(u'0' + nibble);
    }
    QString text = integerPart.isEmpty() ? QStringLiteral("0") : integerPart;
    if (!fraction.isEmpty())
        text += QLatin1Char('.') + fraction;
    return positive ? text : QLatin1Char('-') + text;
}

QString findMemoFile(const QString& dbPath)
{
    const QFileInfo info(dbPath);
    const QString wanted = info.completeBaseName() + QStringLiteral(".MB");
    const QDir dir = info.absoluteDir();
    for (const QFileInfo& candidate : dir.entryInfoList(QDir::Files | QDir::Hidden))
        if (candidate.fileName().compare(wanted, Qt::CaseInsensitive) == 0)
            return candidate.absoluteFilePath();
    return QString();
}

// Opens only what is a regular file after following links: a FIFO would block, a device
// would never end.
bool openRegular(QFile& file, const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    file.setFileName(info.absoluteFilePath());
    return file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) && QFileInfo(file).isFile();
}

// What a file really holds on the disk: a sparse file claims gigabytes it has never stored,
// and a table read through them would take minutes. 0 blocks (some network file systems)
// tells nothing: the size stands then.
qint64 storedBytes(const QFile& file, qint64 size)
{
    struct stat info {};
    if (::fstat(file.handle(), &info) != 0 || info.st_blocks <= 0)
        return size;
    return qMin(size, qint64(info.st_blocks) * 512);
}

// How far a chain may go past what the disk stores: a file system may keep the tail of a
// file in its own structures, or store zeros compressed, and the half-empty blocks of a
// table compress. A chain that needs more than twice the stored bytes is not the file's.
constexpr qint64 storedSlackBlocks = 16;
constexpr qint64 storedFactor = 2;

} // namespace

ParadoxTable::ParadoxTable(const QString& dbPath, const ParadoxReadOptions& options)
    : path_(dbPath), options_(options)
{
    if (!openRegular(db_, dbPath))
        throw EImportError(importText("CannotOpenTable", QStringLiteral("Tabellen \"%1\" kan ikke åbnes.")).arg(fileName()));
    dbSize_ = db_.size();
    dbStored_ = storedBytes(db_, dbSize_);
    readHeader();
    nextBlock_ = header_.firstBlock;
}

ParadoxTable::~ParadoxTable() = default;

QString ParadoxTable::fileName() const
{
    return QDir::toNativeSeparators(QFileInfo(path_).absoluteFilePath());
}

int ParadoxTable::fieldIndex(const QString& name) const
{
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void ParadoxTable::fail(const QString& what) const
{
    throw EImportError(importText("DamagedTable", QStringLiteral("Tabellen \"%1\" er beskadiget: %2"))
                           .arg(fileName(), what));
}

void ParadoxTable::failMemo(const QString& what) const
{
    throw EImportError(importText("DamagedMemo", QStringLiteral("Memofilen til tabellen \"%1\" er beskadiget: %2"))
                           .arg(fileName(), what));
}

void ParadoxTable::readHeader()
{
    if (dbSize_ < minimumHeader)
        fail(QStringLiteral("the file is shorter than a table header"));
    QByteArray head = db_.read(minimumHeader);
    if (head.size() != minimumHeader)
        fail(QStringLiteral("the header cannot be read"));
    const char* h = head.constData();
    header_.recordSize = u16(h + 0x00);
    header_.headerSize = u16(h + 0x02);
    const int fileType = static_cast<unsigned char>(h[0x04]);
    const int blockCode = static_cast<unsigned char>(h[0x05]);
    header_.recordsInHeader = u32(h + 0x06);
    header_.fileBlocks = u16(h + 0x0C);
    header_.firstBlock = u16(h + 0x0E);
    const int fieldCount = u16(h + 0x21);
    header_.keyFields = u16(h + 0x23);
    header_.versionId = static_cast<unsigned char>(h[0x39]);
    header_.nextAutoIncrement = u32(h + 0x49);

    if (fileType != 0 && fileType != 2)
        fail(QStringLiteral("file type %1 is not a table (an index file?)").arg(fileType));
    if (header_.versionId < 3 || header_.versionId > 12)
        fail(QStringLiteral("unknown file version %1").arg(header_.versionId));
    const int variablePart = header_.versionId >= 5 ? 0x78 : 0x58;
    if (header_.headerSize < variablePart || header_.headerSize > dbSize_)
        fail(QStringLiteral("header size %1 does not fit the file").arg(header_.headerSize));
    if (blockCode < 1 || blockCode > 32)
        fail(QStringLiteral("block size code %1").arg(blockCode));
    header_.blockSize = blockCode * 1024;
    if (header_.recordSize < 1 || header_.recordSize > header_.blockSize - 6)
        fail(QStringLiteral("record size %1").arg(header_.recordSize));
    if (fieldCount < 1 || fieldCount > 255)
        fail(QStringLiteral("%1 fields").arg(fieldCount));
    const qint64 recordsPerBlock = (header_.blockSize - 6) / header_.recordSize;
    const qint64 room = (storedFactor * dbStored_ / header_.blockSize + storedSlackBlocks) * recordsPerBlock;
    if (header_.recordsInHeader > room)
        fail(QStringLiteral("the header claims %1 records; the %2 bytes the file holds have room for %3")
                 .arg(header_.recordsInHeader)
                 .arg(dbStored_)
                 .arg(room));

    db_.seek(0);
    head = db_.read(header_.headerSize);
    if (head.size() != header_.headerSize)
        fail(QStringLiteral("the header cannot be read"));
    refuseEncrypted(head);
    chooseCodePage(head);
    fields_.resize(fieldCount);
    readFieldDescriptors(head, variablePart);
    const int tableNameSize = header_.versionId == 12 ? 261 : 79;
    readFieldNames(head, variablePart + 6 * fieldCount + 4 + tableNameSize);
    visited_ = QByteArray(header_.fileBlocks + 1, '\0');
    if (std::any_of(fields_.cbegin(), fields_.cend(), [](const ParadoxField& f) { return isBlob(f.type); }))
        openMemoFile();
}

void ParadoxTable::refuseEncrypted(const QByteArray& head)
{
    quint32 key = u32(head.constData() + 0x25);
    if (key == 0xFF00FF00u && header_.versionId >= 5)
        key = u32(head.constData() + 0x5C);
    if (key != 0)
        throw EImportError(importText("EncryptedTable",
                                      QStringLiteral("Tabellen \"%1\" er beskyttet med en adgangskode. Fjern den i "
                                                     "Paradox eller Database Desktop først."))
                               .arg(fileName()));
}

void ParadoxTable::chooseCodePage(const QByteArray& head)
{
    if (header_.versionId >= 5)
        header_.statedCodePage = u16(head.constData() + 0x6A);
    int codePage = options_.codePage ? options_.codePage : header_.statedCodePage;
    if (codePage == 0) {
        // Tables that state none: the Nordic sort orders mean DOS Danish/Norwegian.
        const auto sortByte = static_cast<unsigned char>(head.at(0x29));
        codePage = (sortByte == 0x82 || sortByte == 0xE6) ? 865 : 437;
    }
    if (!isSupportedCodePage(codePage))
        throw EImportError(importText("UnknownCodePage",
                                      QStringLiteral("Tabellen \"%1\" bruger tegnsættet %2, som ikke kan læses. "
                                                     "Vælg et af 437, 850, 865 eller 1252."))
                               .arg(fileName())
                               .arg(codePage));
    header_.codePage = codePage;
}

void ParadoxTable::readFieldDescriptors(const QByteArray& head, int at)
{
    if (at + 2 * fields_.size() > head.size())
        fail(QStringLiteral("the field list does not fit the header"));
    int total = 0;
    offsets_.resize(fields_.size());
    for (int i = 0; i < fields_.size(); ++i) {
        const auto code = static_cast<unsigned char>(head.at(at + 2 * i));
        const int size = static_cast<unsigned char>(head.at(at + 2 * i + 1));
        if (!isKnownType(code))
            fail(QStringLiteral("field %1 has the unknown type %2").arg(i + 1).arg(code));
        ParadoxField& field = fields_[i];
        field.type = static_cast<ParadoxType>(code);
        field.size = size;
        if (field.type == ParadoxType::Bcd) {
            field.decimals = size;
            field.size = 17;
            if (size > 32)
                fail(QStringLiteral("field %1 has %2 decimals").arg(i + 1).arg(size));
        } else if (fixedSize(field.type) && size != fixedSize(field.type)) {
            fail(QStringLiteral("field %1 has the size %2").arg(i + 1).arg(size));
        } else if (isBlob(field.type) && size < 10) {
            fail(QStringLiteral("field %1 has the size %2").arg(i + 1).arg(size));
        } else if (size < 1) {
            fail(QStringLiteral("field %1 has the size 0").arg(i + 1));
        }
        offsets_[i] = total;
        total += field.size;
    }
    if (total != header_.recordSize)
        fail(QStringLiteral("the fields take %1 bytes, the record %2").arg(total).arg(header_.recordSize));
}

void ParadoxTable::readFieldNames(const QByteArray& head, int at)
{
    for (ParadoxField& field : fields_) {
        const int end = at < head.size() ? head.indexOf('\0', at) : -1;
        if (end < 0)
            fail(QStringLiteral("the field names do not fit the header"));
        field.name = decodeCodePage(head.constData() + at, end - at, header_.codePage);
        if (field.name.isEmpty())
            fail(QStringLiteral("a field has no name"));
        at = end + 1;
    }
    for (int i = 0; i < fields_.size(); ++i)
        for (int j = 0; j < i; ++j)
            if (fields_[i].name.compare(fields_[j].name, Qt::CaseInsensitive) == 0)
                fail(QStringLiteral("the field name \"%1\" occurs twice").arg(fields_[i].name));
    // The sort order's name follows the field numbers; informative only.
    const int sortAt = at + 2 * fields_.size();
    if (header_.versionId >= 4 && sortAt < head.size()) {
        const int end = head.indexOf('\0', sortAt);
        if (end > sortAt)
            header_.sortOrder = QString::fromLatin1(head.constData() + sortAt, end - sortAt);
    }
}

void ParadoxTable::openMemoFile()
{
    const QString memoPath = findMemoFile(path_);
    if (memoPath.isEmpty())
        return; // an error only when a record needs it
    auto file = std::make_unique<QFile>();
    if (!openRegular(*file, memoPath))
        failMemo(QStringLiteral("the file cannot be opened"));
    mbSize_ = file->size();
    mb_ = std::move(file);
}

bool ParadoxTable::loadNextBlock()
{
    while (recordInBlock_ >= recordsInBlock_) {
        if (nextBlock_ == 0)
            return false;
        const int number = nextBlock_;
        if (number < 1 || number > header_.fileBlocks)
            fail(QStringLiteral("a block link points to block %1 of %2").arg(number).arg(header_.fileBlocks));
        if ((blocksRead_ - storedSlackBlocks) * header_.blockSize > storedFactor * dbStored_)
            fail(QStringLiteral("the block chain goes on past the %1 bytes the file holds on the disk").arg(dbStored_));
        if (visited_[number])
            fail(QStringLiteral("the block chain returns to block %1").arg(number));
        visited_[number] = 1;
        const qint64 offset = header_.headerSize + qint64(number - 1) * header_.blockSize;
        if (offset + header_.blockSize > dbSize_)
            fail(QStringLiteral("block %1 lies past the end of the file").arg(number));
        if (!db_.seek(offset))
            fail(QStringLiteral("block %1 cannot be read").arg(number));
        block_ = db_.read(header_.blockSize);
        if (block_.size() != header_.blockSize)
            fail(QStringLiteral("block %1 cannot be read").arg(number));
        ++blocksRead_;
        nextBlock_ = u16(block_.constData());
        const int lastOffset = qFromLittleEndian<qint16>(block_.constData() + 4);
        if (lastOffset % header_.recordSize != 0)
            fail(QStringLiteral("block %1 ends inside a record").arg(number));
        recordsInBlock_ = lastOffset < 0 ? 0 : lastOffset / header_.recordSize + 1;
        if (qint64(recordsInBlock_) * header_.recordSize > header_.blockSize - 6)
            fail(QStringLiteral("block %1 claims more records than it holds").arg(number));
        recordInBlock_ = 0;
    }
    return true;
}

bool ParadoxTable::next(ParadoxRecord& record)
{
    if (!loadNextBlock())
        return false;
    const char* bytes = block_.constData() + 6 + recordInBlock_ * header_.recordSize;
    ++recordInBlock_;
    record.number = ++recordsRead_;
    record.values.resize(fields_.size());
    record.problems.clear();
    for (int i = 0; i < fields_.size(); ++i)
        record.values[i] = decodeValue(fields_[i], bytes + offsets_[i], record.problems);
    return true;
}

QVariant ParadoxTable::decodeValue(const ParadoxField& field, const char* bytes, QStringList& problems)
{
    if (isBlob(field.type))
        return decodeBlob(field, bytes, problems);
    if (field.type == ParadoxType::Alpha || field.type == ParadoxType::Bcd ? bytes[0] == 0 : allZero(bytes, field.size))
        return QVariant();
    const auto bad = [&](const QString& what) {
        problems << QStringLiteral("%1: %2").arg(field.name, what);
        return QVariant();
    };
    switch (field.type) {
    case ParadoxType::Alpha:
        return decodeCodePage(bytes, qstrnlen(bytes, field.size), header_.codePage);
    case ParadoxType::Short:
    case ParadoxType::Long:
    case ParadoxType::AutoIncrement:
        return flippedInteger(bytes, field.size);
    case ParadoxType::Date: {
        const qint64 day = flippedInteger(bytes, 4);
        if (day < 1 || day > lastDayNumber)
            return bad(QStringLiteral("day number %1 is no date").arg(day));
        return dateOfDay(day);
    }
    case ParadoxType::Time: {
        const qint64 ms = flippedInteger(bytes, 4);
        if (ms < 0 || ms >= dayMilliseconds)
            return bad(QStringLiteral("%1 ms is no time of day").arg(ms));
        return QTime::fromMSecsSinceStartOfDay(int(ms));
    }
    case ParadoxType::Number:
    case ParadoxType::Currency: {
        const double value = flippedDouble(bytes);
        if (!std::isfinite(value))
            return bad(QStringLiteral("not a finite number"));
        return value;
    }
    case ParadoxType::Timestamp: {
        const double value = flippedDouble(bytes);
        if (!std::isfinite(value) || value < dayMilliseconds || value >= (lastDayNumber + 1.0) * dayMilliseconds)
            return bad(QStringLiteral("not a time stamp"));
        const auto ms = static_cast<qint64>(std::floor(value));
        return QDateTime(dateOfDay(ms / dayMilliseconds), QTime::fromMSecsSinceStartOfDay(int(ms % dayMilliseconds)),
                         Qt::UTC);
    }
    case ParadoxType::Logical: {
        const auto byte = static_cast<unsigned char>(bytes[0]);
        if (byte != 0x80 && byte != 0x81)
            return bad(QStringLiteral("%1 is no logical value").arg(byte));
        return byte == 0x81;
    }
    case ParadoxType::Bcd: {
        const QString text = bcdText(bytes, field.decimals);
        if (text.isEmpty())
            return bad(QStringLiteral("not a decimal number"));
        return text;
    }
    case ParadoxType::Bytes:
        return options_.readBinary ? QVariant(QByteArray(bytes, field.size)) : QVariant();
    default:
        return QVariant();
    }
}

QVariant ParadoxTable::decodeBlob(const ParadoxField& field, const char* bytes, QStringList& problems)
{
    const int leader = field.size - 10;
    const quint32 pointer = u32(bytes + leader);
    const quint32 length = u32(bytes + leader + 4);
    if (length == 0)
        return QVariant();
    if (!isText(field.type) && !options_.readBinary)
        return QVariant();
    QByteArray data = length <= quint32(leader) ? QByteArray(bytes, int(length))
                                                : readMemoBlob(pointer, length, field.name, problems);
    if (field.type == ParadoxType::Graphic) {
        if (data.size() < 8) {
            problems << QStringLiteral("%1: the picture is shorter than its prefix").arg(field.name);
            return QVariant();
        }
        return data.mid(8);
    }
    if (field.type == ParadoxType::FormattedMemo) {
        // The plain text comes first; Paradox's formatting follows after a NUL.
        const int end = data.indexOf('\0');
        if (end >= 0)
            data.truncate(end);
    }
    if (isText(field.type))
        return decodeCodePage(data.constData(), data.size(), header_.codePage);
    return data;
}

QByteArray ParadoxTable::readMemoBlob(quint32 pointer, quint32 length, const QString& fieldName, QStringList& problems)
{
    if (!mb_)
        throw EImportError(importText("MissingMemo",
                                      QStringLiteral("Memofilen (.MB) til tabellen \"%1\" mangler; feltet %2 "
                                                     "har tekst i den."))
                               .arg(fileName(), fieldName));
    const qint64 offset = pointer & 0xFFFFFF00u;
    const int slot = int(pointer & 0xFFu);
    if (offset == 0 || offset % memoChunk != 0 || offset + memoChunk > mbSize_)
        failMemo(QStringLiteral("field %1 points to offset %2").arg(fieldName).arg(offset));
    if (length > quint64(mbSize_))
        failMemo(QStringLiteral("field %1 claims %2 bytes").arg(fieldName).arg(length));
    // Records pointing at one text would read it again and again (a hostile table: fifty
    // records, one block of hundreds of megabytes).
    if (memosRead_.contains(pointer)) {
        problems << QStringLiteral("%1: the text at %2 belongs to an earlier record; left out").arg(fieldName).arg(offset);
        return QByteArray();
    }
    memosRead_.insert(pointer);
    mb_->seek(offset);
    const QByteArray head = mb_->read(memoChunk);
    if (head.size() != memoChunk)
        failMemo(QStringLiteral("the block at %1 cannot be read").arg(offset));
    const int kind = static_cast<unsigned char>(head.at(0));
    if (kind == 2) {
        const qint64 blockEnd = offset + qint64(u16(head.constData() + 1)) * memoChunk;
        if (slot != 0xFF || u32(head.constData() + 3) != length || offset + 9 + length > qMin(blockEnd, mbSize_))
            failMemo(QStringLiteral("the block at %1 does not hold field %2's text").arg(offset).arg(fieldName));
        const qint64 kept = qMin<qint64>(length, options_.longestBlob);
        mb_->seek(offset + 9);
        const QByteArray data = mb_->read(kept);
        if (data.size() != kept)
            failMemo(QStringLiteral("the block at %1 cannot be read").arg(offset));
        if (kept < qint64(length))
            problems << QStringLiteral("%1: the text of %2 bytes is longer than a description holds; cut to %3")
                            .arg(fieldName)
                            .arg(length)
                            .arg(kept);
        return data;
    }
    if (kind == 3 && slot < 64) {
        const char* entry = head.constData() + 0x0C + 5 * slot;
        const int start = static_cast<unsigned char>(entry[0]) * 16;
        const int units = static_cast<unsigned char>(entry[1]);
        const int last = static_cast<unsigned char>(entry[4]);
        const qint64 size = qint64(units - 1) * 16 + last;
        if (start >= subAllocatedDataStart && units > 0 && last > 0 && last <= 16 && size == qint64(length)
            && start + size <= memoChunk)
            return head.mid(start, int(size));
    }
    failMemo(QStringLiteral("field %1 points to no text (block kind %2, slot %3)").arg(fieldName).arg(kind).arg(slot));
}

} // namespace import
