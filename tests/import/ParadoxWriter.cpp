#include "ParadoxWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTime>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace paradoxtest {

namespace {

// Upper halves (0x80..0xFF) of the IBM code pages, written out from the IBM tables.
const char16_t kCp437[] =
    u"ÇüéâäàåçêëèïîìÄÅ"
    u"ÉæÆôöòûùÿÖÜ¢£¥₧ƒ"
    u"áíóúñÑªº¿⌐¬½¼¡«»"
    u"░▒▓│┤╡╢╖╕╣║╗╝╜╛┐"
    u"└┴┬├─┼╞╟╚╔╩╦╠═╬╧"
    u"╨╤╥╙╘╒╓╫╪┘┌█▄▌▐▀"
    u"αßΓπΣσµτΦΘΩδ∞φε∩"
    u"≡±≥≤⌠⌡÷≈°∙·√ⁿ²■\u00A0";

const char16_t kCp850[] =
    u"ÇüéâäàåçêëèïîìÄÅ"
    u"ÉæÆôöòûùÿÖÜø£Ø×ƒ"
    u"áíóúñÑªº¿®¬½¼¡«»"
    u"░▒▓│┤ÁÂÀ©╣║╗╝¢¥┐"
    u"└┴┬├─┼ãÃ╚╔╩╦╠═╬¤"
    u"ðÐÊËÈıÍÎÏ┘┌█▄¦Ì▀"
    u"ÓßÔÒõÕµþÞÚÛÙýÝ¯´"
    u"\u00AD±‗¾¶§÷¸°¨·¹³²■\u00A0";

// 0x80..0x9F of Windows-1252; the five unassigned bytes stand for U+0081 and so on.
const char16_t kCp1252Low[] = u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ";

constexpr int kMbChunk = 4096;
constexpr int kSubDataStart = 0x150;

bool isBlob(ParadoxType t)
{
    switch (t) {
    case ParadoxType::Memo:
    case ParadoxType::Binary:
    case ParadoxType::FormattedMemo:
    case ParadoxType::Ole:
    case ParadoxType::Graphic:
        return true;
    default:
        return false;
    }
}

int fieldSize(const FieldSpec& f)
{
    const int fixed = fixedSize(f.type);
    return fixed > 0 ? fixed : f.size;
}

QByteArray padTo(QByteArray bytes, int size)
{
    bytes.truncate(size);
    bytes.append(QByteArray(size - bytes.size(), '\0'));
    return bytes;
}

// The .MB under construction: header block first, then blocks in the order they are needed.
class MemoFile {
public:
    explicit MemoFile(bool freeBlock)
    {
        bytes_ = QByteArray(kMbChunk, '\0');
        bytes_[0] = 0;
        putU16(bytes_, 1, 1);
        putU16(bytes_, 3, 1);
        if (freeBlock) {
            freeBlock_ = bytes_.size();
            QByteArray block(kMbChunk, '\0');
            block[0] = 4;
            putU16(block, 1, 1);
            const QByteArray stale("stale text of a deleted memo, never to be read");
            std::memcpy(block.data() + kSubDataStart, stale.constData(), size_t(stale.size()));
            bytes_.append(block);
        }
    }

    // Returns the pointer; fills block and slot.
    quint32 putOwn(const QByteArray& data, BlobInfo& info)
    {
        const qint64 at = bytes_.size();
        const int chunks = int((9 + data.size() + kMbChunk - 1) / kMbChunk);
        QByteArray block(qsizetype(chunks) * kMbChunk, '\0');
        block[0] = 2;
        putU16(block, 1, quint16(chunks));
        putU32(block, 3, quint32(data.size()));
        putU16(block, 7, 1);
        std::memcpy(block.data() + 9, data.constData(), size_t(data.size()));
        bytes_.append(block);
        info.mbBlock = at;
        info.slot = 0xFF;
        return quint32(at) | 0xFFu;
    }

    quint32 putSub(const QByteArray& data, BlobInfo& info)
    {
        const int units = int((data.size() + 15) / 16);
        if (units > (kMbChunk - kSubDataStart) / 16)
            throw std::invalid_argument("blob too long for a sub-allocated block");
        if (subBlock_ < 0 || nextSlot_ < 0 || nextUnit_ + units > kMbChunk / 16) {
            subBlock_ = bytes_.size();
            QByteArray block(kMbChunk, '\0');
            block[0] = 3;
            putU16(block, 1, 1);
            bytes_.append(block);
            nextSlot_ = 63;
            nextUnit_ = kSubDataStart / 16;
        }
        const int slot = nextSlot_--;
        const qint64 entry = subBlock_ + 0x0C + 5 * slot;
        bytes_[entry] = char(nextUnit_);
        bytes_[entry + 1] = char(units);
        putU16(bytes_, entry + 2, 1);
        bytes_[entry + 4] = char(data.size() - (units - 1) * 16);
        std::memcpy(bytes_.data() + subBlock_ + nextUnit_ * 16, data.constData(), size_t(data.size()));
        nextUnit_ += units;
        info.mbBlock = subBlock_;
        info.slot = slot;
        return quint32(subBlock_) | quint32(slot);
    }

    const QByteArray& bytes() const { return bytes_; }
    qint64 freeBlock() const { return freeBlock_; }

private:
    QByteArray bytes_;
    qint64 freeBlock_ = -1;
    qint64 subBlock_ = -1;
    int nextSlot_ = -1;
    int nextUnit_ = 0;
};

QByteArray blobData(const FieldSpec& f, const QVariant& v, int codePage, BlobPlace& place)
{
    place = BlobPlace::Auto;
    if (v.canConvert<BlobValue>() && v.metaType() == QMetaType::fromType<BlobValue>()) {
        const BlobValue b = v.value<BlobValue>();
        place = b.place;
        return b.data;
    }
    if (v.metaType().id() == QMetaType::QString)
        return encodeText(v.toString(), codePage);
    QByteArray data = v.toByteArray();
    if (f.type == ParadoxType::Graphic && !data.isEmpty())
        data.prepend(QByteArray("\x01\x00\x00\x00\x00\x00\x00\x00", 8));
    return data;
}

QByteArray encodeBlob(const FieldSpec& f, const QVariant& v, int codePage, MemoFile* mb,
                      BlobInfo& info)
{
    const int leader = f.size - 10;
    BlobPlace place = BlobPlace::Auto;
    const QByteArray data = v.isNull() ? QByteArray() : blobData(f, v, codePage, place);
    QByteArray out(f.size, '\0');
    info.length = quint32(data.size());
    if (data.isEmpty())
        return out;
    if (place == BlobPlace::Auto)
        place = data.size() <= leader ? BlobPlace::Inline
                : data.size() < 2048  ? BlobPlace::SubAllocated
                                      : BlobPlace::OwnBlock;
    std::memcpy(out.data(), data.constData(), size_t(std::min<qsizetype>(leader, data.size())));
    if (place != BlobPlace::Inline) {
        if (!mb) // a stale row in a free block: its blob is gone
            return QByteArray(f.size, '\0');
        info.pointer = place == BlobPlace::OwnBlock ? mb->putOwn(data, info) : mb->putSub(data, info);
    }
    putU32(out, leader, info.pointer);
    putU32(out, leader + 4, info.length);
    putU16(out, leader + 8, place == BlobPlace::Inline ? 0 : 1); // as BDE leaves it
    return out;
}

QByteArray encodeValue(const FieldSpec& f, const QVariant& v, int codePage)
{
    const int size = fieldSize(f);
    if (v.metaType() == QMetaType::fromType<RawBytes>())
        return padTo(v.value<RawBytes>().bytes, size);
    if (v.isNull())
        return QByteArray(size, '\0');
    switch (f.type) {
    case ParadoxType::Alpha:
        return padTo(v.metaType().id() == QMetaType::QString ? encodeText(v.toString(), codePage)
                                                              : v.toByteArray(),
                     size);
    case ParadoxType::Date:
        return flippedInt(v.metaType().id() == QMetaType::QDate ? dayNumber(v.toDate())
                                                                 : v.toLongLong(),
                          4);
    case ParadoxType::Short:
    case ParadoxType::Long:
    case ParadoxType::AutoIncrement:
        return flippedInt(v.toLongLong(), size);
    case ParadoxType::Time:
        return flippedInt(v.metaType().id() == QMetaType::QTime ? v.toTime().msecsSinceStartOfDay()
                                                                 : v.toLongLong(),
                          4);
    case ParadoxType::Currency:
    case ParadoxType::Number:
        return flippedDouble(v.toDouble());
    case ParadoxType::Timestamp: {
        if (v.metaType().id() != QMetaType::QDateTime)
            return flippedDouble(v.toDouble());
        const QDateTime t = v.toDateTime();
        return flippedDouble(double(dayNumber(t.date())) * 86400000.0 +
                             t.time().msecsSinceStartOfDay());
    }
    case ParadoxType::Logical:
        return QByteArray(1, v.toBool() ? char(0x81) : char(0x80));
    case ParadoxType::Bcd:
        return bcdBytes(v.toString(), f.decimals);
    case ParadoxType::Bytes:
        return padTo(v.toByteArray(), size);
    default:
        throw std::invalid_argument("no encoding for this type");
    }
}

QByteArray encodeRecord(const TableSpec& spec, const QVector<QVariant>& row, int rowIndex,
                        qint64 recordAt, const QVector<int>& offsets, MemoFile* mb,
                        QVector<BlobInfo>* blobs)
{
    QByteArray rec;
    for (int i = 0; i < spec.fields.size(); ++i) {
        const FieldSpec& f = spec.fields[i];
        const QVariant v = i < row.size() ? row[i] : QVariant();
        if (isBlob(f.type) && v.metaType() != QMetaType::fromType<RawBytes>()) {
            BlobInfo info;
            info.row = rowIndex;
            info.field = i;
            info.pointerOffset = recordAt + offsets[i] + f.size - 10;
            rec.append(encodeBlob(f, v, spec.codePage, mb, info));
            if (blobs && info.length > 0)
                blobs->append(info);
        } else {
            rec.append(encodeValue(f, v, spec.codePage));
        }
    }
    return rec;
}

QByteArray buildHeaderTail(const TableSpec& spec)
{
    const int n = int(spec.fields.size());
    QByteArray tail;
    for (const FieldSpec& f : spec.fields) {
        tail.append(char(quint8(f.type)));
        tail.append(char(f.type == ParadoxType::Bcd ? f.decimals : fieldSize(f)));
    }
    tail.append(QByteArray(4 + 4 * n, '\0'));
    tail.append(padTo(encodeText(spec.name + spec.dbSuffix, spec.codePage),
                      spec.versionId == 12 ? 261 : 79));
    for (const FieldSpec& f : spec.fields) {
        tail.append(encodeText(f.name, spec.codePage));
        tail.append('\0');
    }
    if (spec.versionId >= 5) {
        QByteArray numbers(2 * n, '\0');
        for (int i = 0; i < n; ++i)
            putU16(numbers, 2 * i, quint16(i + 1));
        tail.append(numbers);
        tail.append(spec.sortOrder.toLatin1());
        tail.append('\0');
    }
    return tail;
}

} // namespace

int fixedSize(ParadoxType type)
{
    switch (type) {
    case ParadoxType::Date:
    case ParadoxType::Long:
    case ParadoxType::Time:
    case ParadoxType::AutoIncrement:
        return 4;
    case ParadoxType::Short:
        return 2;
    case ParadoxType::Currency:
    case ParadoxType::Number:
    case ParadoxType::Timestamp:
        return 8;
    case ParadoxType::Logical:
        return 1;
    case ParadoxType::Bcd:
        return 17;
    default:
        return 0;
    }
}

void putU16(QByteArray& b, qint64 at, quint16 v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

void putU32(QByteArray& b, qint64 at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

quint16 getU16(const QByteArray& b, qint64 at)
{
    return quint16(uchar(b[at]) | (uchar(b[at + 1]) << 8));
}

quint32 getU32(const QByteArray& b, qint64 at)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | uchar(b[at + i]);
    return v;
}

QByteArray flippedInt(qint64 value, int size)
{
    QByteArray out(size, '\0');
    quint64 u = quint64(value);
    for (int i = size - 1; i >= 0; --i) {
        out[i] = char(u & 0xFF);
        u >>= 8;
    }
    out[0] = char(uchar(out[0]) ^ 0x80);
    return out;
}

QByteArray flippedDouble(double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    QByteArray out(8, '\0');
    for (int i = 7; i >= 0; --i) {
        out[i] = char(bits & 0xFF);
        bits >>= 8;
    }
    if (uchar(out[0]) & 0x80) {
        for (char& c : out)
            c = char(~uchar(c));
    } else {
        out[0] = char(uchar(out[0]) | 0x80);
    }
    return out;
}

QByteArray bcdBytes(const QString& text, int decimals)
{
    QString t = text.trimmed();
    const bool negative = t.startsWith(QLatin1Char('-'));
    if (negative)
        t.remove(0, 1);
    QString whole = t.section(QLatin1Char('.'), 0, 0);
    QString frac = t.section(QLatin1Char('.'), 1);
    frac = frac.leftJustified(decimals, QLatin1Char('0'), true);
    // The integer digits fill the nibbles before the last `decimals` ones.
    const int intDigits = 32 - decimals;
    whole = whole.rightJustified(intDigits, QLatin1Char('0'));
    const QString digits = whole.right(intDigits) + frac;
    QByteArray out(17, '\0');
    out[0] = char((negative ? 0 : 0x80) | (decimals & 0x3F));
    for (int i = 0; i < 32; ++i) {
        int d = digits[i].digitValue();
        if (negative)
            d = 15 - d;
        const int at = 1 + i / 2;
        out[at] = char(uchar(out[at]) | (i % 2 == 0 ? d << 4 : d));
    }
    return out;
}

qint64 dayNumber(const QDate& date)
{
    // QDate's Julian day of 0001-01-01 (proleptic Gregorian) is 1721426.
    return date.toJulianDay() - 1721425;
}

QChar highChar(int codePage, int byte)
{
    const int i = byte - 0x80;
    if (i < 0 || i > 127)
        return QChar();
    switch (codePage) {
    case 437:
        return QChar(kCp437[i]);
    case 865:
        if (byte == 0x9B)
            return QChar(0x00F8);
        if (byte == 0x9D)
            return QChar(0x00D8);
        if (byte == 0xAF)
            return QChar(0x00A4);
        return QChar(kCp437[i]);
    case 850:
        return QChar(kCp850[i]);
    case 1252:
        return i < 32 ? QChar(kCp1252Low[i]) : QChar(byte);
    default:
        return QChar();
    }
}

QByteArray encodeText(const QString& text, int codePage)
{
    QByteArray out;
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            out.append(char(c.unicode()));
            continue;
        }
        char b = '?';
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            if (highChar(codePage, byte) == c) {
                b = char(byte);
                break;
            }
        }
        out.append(b);
    }
    return out;
}

QString mbFileName(const TableSpec& spec)
{
    return spec.mbFileName.isEmpty() ? spec.name + QStringLiteral(".MB") : spec.mbFileName;
}

WrittenTable buildTable(const TableSpec& spec)
{
    WrittenTable w;
    const int n = int(spec.fields.size());
    const int P = spec.versionId >= 5 ? 0x78 : 0x58;
    w.blockSize = spec.blockCode * 1024;
    for (const FieldSpec& f : spec.fields) {
        w.fieldOffsets.append(w.recordSize);
        w.recordSize += fieldSize(f);
    }
    const QByteArray tail = buildHeaderTail(spec);
    const int needed = P + int(tail.size());
    w.headerSize = spec.headerSize > 0        ? spec.headerSize
                   : spec.versionId >= 5 ? std::max(0x800, (needed + 0x7FF) / 0x800 * 0x800)
                                         : needed;

    const int fit = w.blockSize > 6 ? std::max(1, (w.blockSize - 6) / std::max(1, w.recordSize)) : 1;
    const int perBlock = spec.recordsPerBlock > 0 ? spec.recordsPerBlock : fit;
    w.dataBlocks = int((spec.rows.size() + perBlock - 1) / perBlock);
    w.fileBlocks = w.dataBlocks + spec.freeBlocks;
    QVector<int> chain = spec.chain;
    if (chain.isEmpty())
        for (int b = 1; b <= w.dataBlocks; ++b)
            chain.append(b);
    QVector<int> freeList;
    for (int b = 1; b <= w.fileBlocks; ++b)
        if (!chain.contains(b))
            freeList.append(b);

    QByteArray db(w.headerSize, '\0');
    db.append(QByteArray(qsizetype(w.fileBlocks) * w.blockSize, '\0'));
    for (int b = 1; b <= w.fileBlocks; ++b)
        w.blockOffsets.append(w.headerSize + qint64(b - 1) * w.blockSize);

    const bool anyBlob = std::any_of(spec.fields.begin(), spec.fields.end(),
                                     [](const FieldSpec& f) { return isBlob(f.type); });
    MemoFile mb(spec.mbFreeBlock);
    w.recordOffsets.resize(spec.rows.size());
    auto fillBlock = [&](int physical, const QVector<QVector<QVariant>>& rows, int first, int count,
                         bool live) {
        const qint64 at = w.blockOffsets[physical - 1];
        putU16(db, at + 4, quint16(qint16(count > 0 ? (count - 1) * w.recordSize : -w.recordSize)));
        for (int r = 0; r < count; ++r) {
            const qint64 recAt = at + 6 + qint64(r) * w.recordSize;
            const QByteArray rec = encodeRecord(spec, rows[first + r], first + r, recAt,
                                                w.fieldOffsets, live ? &mb : nullptr,
                                                live ? &w.blobs : nullptr);
            std::memcpy(db.data() + recAt, rec.constData(), size_t(rec.size()));
            if (live)
                w.recordOffsets[first + r] = recAt;
        }
    };
    for (int i = 0; i < chain.size(); ++i) {
        const int b = chain[i];
        const qint64 at = w.blockOffsets[b - 1];
        putU16(db, at, quint16(i + 1 < chain.size() ? chain[i + 1] : 0));
        putU16(db, at + 2, quint16(i > 0 ? chain[i - 1] : 0));
        const int first = i * perBlock;
        fillBlock(b, spec.rows, first, std::min<int>(perBlock, int(spec.rows.size()) - first), true);
    }
    int stale = 0;
    for (int b : freeList) {
        const int count = std::min<int>(perBlock, int(spec.staleRows.size()) - stale);
        fillBlock(b, spec.staleRows, stale, std::max(0, count), false);
        stale += std::max(0, count);
    }

    putU16(db, 0x00, quint16(w.recordSize));
    putU16(db, 0x02, quint16(w.headerSize));
    db[0x04] = char(spec.keyFields > 0 ? 0 : 2);
    db[0x05] = char(spec.blockCode);
    putU32(db, 0x06, quint32(spec.recordCount >= 0 ? spec.recordCount : spec.rows.size()));
    putU16(db, 0x0A, quint16(w.dataBlocks));
    putU16(db, 0x0C, quint16(w.fileBlocks));
    putU16(db, 0x0E, quint16(chain.isEmpty() ? 0 : chain.first()));
    putU16(db, 0x10, quint16(chain.isEmpty() ? 0 : chain.last()));
    putU16(db, 0x21, quint16(n));
    putU16(db, 0x23, quint16(spec.keyFields));
    putU32(db, 0x25, spec.versionId >= 5 ? 0xFF00FF00u : spec.encryptionKey);
    db[0x29] = char(spec.sortByte);
    db[0x39] = char(spec.versionId);
    putU16(db, 0x4D, quint16(freeList.isEmpty() ? 0 : freeList.first()));
    if (spec.versionId >= 5) {
        putU16(db, 0x58, quint16(0x100 + spec.versionId));
        putU16(db, 0x5A, quint16(0x100 + spec.versionId));
        putU32(db, 0x5C, spec.encryptionKey);
        putU16(db, 0x64, quint16(n + 1));
        putU16(db, 0x6A, quint16(spec.codePage));
    }
    if (P + tail.size() <= db.size())
        std::memcpy(db.data() + P, tail.constData(), size_t(tail.size()));
    else
        db.replace(P, db.size() - P, tail);

    w.db = db;
    w.hasMb = anyBlob && (spec.alwaysWriteMb || mb.bytes().size() > kMbChunk);
    if (w.hasMb) {
        w.mb = mb.bytes();
        w.freeMbBlock = mb.freeBlock();
    }
    return w;
}

QString saveTable(const QString& folder, const TableSpec& spec, const WrittenTable& table)
{
    QDir().mkpath(folder);
    auto put = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            throw std::runtime_error("cannot write " + path.toStdString());
    };
    const QString dbPath = QDir(folder).filePath(spec.name + spec.dbSuffix);
    put(dbPath, table.db);
    if (table.hasMb)
        put(QDir(folder).filePath(mbFileName(spec)), table.mb);
    return dbPath;
}

QString writeTable(const QString& folder, const TableSpec& spec)
{
    return saveTable(folder, spec, buildTable(spec));
}

} // namespace paradoxtest
