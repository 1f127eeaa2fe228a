#include "ParadoxFuzz.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTime>
#include <stdexcept>

namespace paradoxtest {

namespace {

QVariant blob(int size, char fill, BlobPlace place)
{
    QByteArray data(size, fill);
    for (int i = 0; i < size; i += 37)
        data[i] = char('A' + i % 26);
    return QVariant::fromValue(BlobValue{data, place});
}

FuzzSeed seed(const TableSpec& spec)
{
    return FuzzSeed{spec, buildTable(spec)};
}

TableSpec modernTable()
{
    TableSpec s;
    s.name = QStringLiteral("Modern");
    s.versionId = 12;
    s.codePage = 1252;
    s.blockCode = 1;
    s.recordsPerBlock = 3;
    s.chain = {3, 1};
    s.freeBlocks = 1;
    s.mbFreeBlock = true;
    s.fields = {{"Id", ParadoxType::AutoIncrement},
                {"Navn", ParadoxType::Alpha, 12},
                {"Note", ParadoxType::Memo, 20},
                {"Dato", ParadoxType::Date},
                {"Tid", ParadoxType::Time},
                {"Stempel", ParadoxType::Timestamp},
                {"Beloeb", ParadoxType::Currency},
                {"Tal", ParadoxType::Bcd, 0, 2},
                {"Ok", ParadoxType::Logical},
                {"Billede", ParadoxType::Graphic, 14},
                {"Rå", ParadoxType::Bytes, 4}};
    const QDateTime stamp(QDate(2020, 2, 1), QTime(1, 0, 1));
    for (int i = 0; i < 6; ++i) {
        s.rows.append({i + 1, QStringLiteral("Række %1 æøå").arg(i),
                       i % 3 == 0 ? blob(8, 'i', BlobPlace::Inline)
                       : i % 3 == 1 ? blob(300 + i, 's', BlobPlace::SubAllocated)
                                    : blob(3000, 'o', BlobPlace::OwnBlock),
                       QDate(1996, 5, 4).addDays(i), QTime(i, 30), stamp.addSecs(i * 3600),
                       -12.5 * i, QStringLiteral("%1.25").arg(i), i % 2 == 0,
                       i == 4 ? QVariant(QByteArray(2500, 'g')) : QVariant(QByteArray("pic")),
                       QByteArray("\x01\x02\x03\x04", 4)});
    }
    s.staleRows = {s.rows[0], s.rows[1]};
    for (auto& r : s.staleRows)
        r[2] = QVariant();
    return s;
}

TableSpec oldTable()
{
    TableSpec s;
    s.name = QStringLiteral("Gammel");
    s.versionId = 4;
    s.codePage = 865;
    s.sortByte = 0x82;
    s.blockCode = 1;
    s.fields = {{"Titel", ParadoxType::Alpha, 30},
                {"Dato", ParadoxType::Date},
                {"Antal", ParadoxType::Short},
                {"Pris", ParadoxType::Currency},
                {"Tal", ParadoxType::Number},
                {"Indhold", ParadoxType::Memo, 15}};
    for (int i = 0; i < 40; ++i)
        s.rows.append({QStringLiteral("Færgen %1 Ø").arg(i), QDate(1989, 1, 1).addDays(i * 40),
                       i - 20, 3.5 * i, 1e10 / (i + 1),
                       i % 4 == 0 ? QVariant() : QVariant(QStringLiteral("Båndet\r\nlinje %1").arg(i).repeated(i % 4 * 3))});
    return s;
}

TableSpec keyedTable()
{
    TableSpec s;
    s.name = QStringLiteral("Video");
    s.dbSuffix = QStringLiteral(".db");
    s.mbFileName = QStringLiteral("VIDEO.MB");
    s.versionId = 9;
    s.codePage = 865;
    s.sortOrder = QStringLiteral("nordan40");
    s.keyFields = 1;
    s.blockCode = 2;
    s.recordsPerBlock = 8;
    s.fields = {{"TapeNr", ParadoxType::Alpha, 7},
                {"Indhold", ParadoxType::Memo, 60},
                {"Format", ParadoxType::FormattedMemo, 12},
                {"Data", ParadoxType::Binary, 10},
                {"Ole", ParadoxType::Ole, 10},
                {"Nr", ParadoxType::Long}};
    for (int i = 0; i < 20; ++i)
        s.rows.append({QStringLiteral("%1-00").arg(i + 1, 4, 10, QLatin1Char('0')),
                       QStringLiteral("Kærlighed og drømme ").repeated(i % 7),
                       QStringLiteral("{rtf %1}").arg(i).repeated(i % 5),
                       QByteArray(i * 150, char(i)), QByteArray(i * 3, 'o'), i * 1000 - 7000});
    return s;
}

TableSpec emptyTable()
{
    TableSpec s;
    s.name = QStringLiteral("Tom");
    s.versionId = 11;
    s.codePage = 850;
    s.freeBlocks = 2;
    s.fields = {{"A", ParadoxType::Alpha, 10}, {"M", ParadoxType::Memo, 11}, {"N", ParadoxType::Number}};
    s.staleRows = {{QStringLiteral("gammel"), QVariant(), 1.0}, {QStringLiteral("slettet"), QVariant(), 2.0}};
    return s;
}

const quint32 kInteresting[] = {0, 1, 2, 0x7F, 0x80, 0xFF, 0x100, 0x7FFF, 0x8000, 0xFFFF,
                                0x10000, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 0x1000, 0x10FF};

quint32 interesting(std::mt19937& rng)
{
    return kInteresting[rng() % (sizeof kInteresting / sizeof kInteresting[0])];
}

void setWord(QByteArray& bytes, qint64 at, quint32 value, int width)
{
    if (at < 0 || at + width > bytes.size())
        return;
    if (width == 1)
        bytes[at] = char(value);
    else if (width == 2)
        putU16(bytes, at, quint16(value));
    else
        putU32(bytes, at, value);
}

void mutateOnce(const FuzzSeed& seed, FuzzInput& in, std::mt19937& rng)
{
    const bool onMb = in.hasMb && !in.mb.isEmpty() && rng() % 10 < 3;
    QByteArray& bytes = onMb ? in.mb : in.db;
    if (bytes.isEmpty())
        return;
    const auto anywhere = [&] { return qint64(rng() % quint32(bytes.size())); };
    // Most damage that matters sits in the header, the block heads and the blob pointers.
    const auto somewhere = [&]() -> qint64 {
        if (rng() % 2 == 0)
            return anywhere();
        const qint64 at = onMb ? qint64(rng() % 4) * 4096 + qint64(rng() % 0x160)
                               : qint64(rng() % quint32(seed.table.headerSize + 8));
        return std::min<qint64>(at, bytes.size() - 1);
    };
    static const char kSpecial[] = {'\x00', '\xFF', '\x7F', '\x80'};
    switch (rng() % 9) {
    case 0:
        bytes[somewhere()] ^= char(1u << (rng() % 8));
        break;
    case 1:
        bytes[somewhere()] = kSpecial[rng() % 4];
        break;
    case 2:
        bytes.truncate(anywhere());
        break;
    case 3: { // block links and last-record offsets
        if (seed.table.blockOffsets.isEmpty())
            break;
        const qint64 at = seed.table.blockOffsets[int(rng() % quint32(seed.table.blockOffsets.size()))];
        const quint32 values[] = {0, 1, 2, 3, quint32(seed.table.fileBlocks),
                                  quint32(seed.table.fileBlocks + 1), 0xFFFF, 0x8000,
                                  quint32(seed.table.recordSize), quint32(rng() % 0x10000)};
        setWord(in.db, at + 2 * (rng() % 3), values[rng() % 10], 2);
        break;
    }
    case 4: { // header words
        static const int offsets[] = {0x00, 0x02, 0x04, 0x05, 0x06, 0x0A, 0x0C, 0x0E, 0x10, 0x21,
                                      0x23, 0x25, 0x29, 0x39, 0x4D, 0x5C, 0x64, 0x6A, 0x78, 0x79};
        const int at = offsets[rng() % (sizeof offsets / sizeof offsets[0])];
        setWord(in.db, at, interesting(rng), 1 + int(rng() % 2));
        break;
    }
    case 5: { // blob pointers and lengths
        if (seed.table.blobs.isEmpty())
            break;
        const BlobInfo& b = seed.table.blobs[int(rng() % quint32(seed.table.blobs.size()))];
        const quint32 v = rng() % 3 == 0 ? (b.pointer & 0xFFFFFF00u) | (rng() % 256) : interesting(rng);
        setWord(in.db, b.pointerOffset + 4 * (rng() % 2), v, 4);
        break;
    }
    case 6: { // inserted range
        const qint64 at = anywhere();
        QByteArray junk(int(1 + rng() % 64), '\0');
        for (char& c : junk)
            c = char(rng());
        bytes.insert(at, junk);
        break;
    }
    case 7: // deleted range
        bytes.remove(anywhere(), qint64(1 + rng() % 600));
        break;
    default: { // sub-allocated slot entries and blob block heads
        if (!in.hasMb || in.mb.size() < 4096)
            break;
        const qint64 block = 4096 * qint64(rng() % quint32(in.mb.size() / 4096));
        setWord(in.mb, block + (rng() % 2 ? 0x0C + qint64(rng() % 320) : qint64(rng() % 9)),
                interesting(rng), 1 + int(rng() % 4 == 0));
        break;
    }
    }
}

void putFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace

QVector<FuzzSeed> fuzzSeeds()
{
    return {seed(modernTable()), seed(oldTable()), seed(keyedTable()), seed(emptyTable())};
}

FuzzInput mutate(const FuzzSeed& seed, std::mt19937& rng)
{
    FuzzInput in{seed.table.db, seed.table.mb, seed.table.hasMb};
    const int count = 1 + int(rng() % 4);
    for (int i = 0; i < count; ++i)
        mutateOnce(seed, in, rng);
    return in;
}

bool readMutated(const QString& folder, const FuzzSeed& seed, const FuzzInput& input, qint64* records)
{
    const QString dbPath = QDir(folder).filePath(seed.spec.name + seed.spec.dbSuffix);
    const QString mbPath = QDir(folder).filePath(mbFileName(seed.spec));
    putFile(dbPath, input.db);
    if (input.hasMb)
        putFile(mbPath, input.mb);
    else
        QFile::remove(mbPath);
    try {
        import::ParadoxReadOptions options;
        options.readBinary = true;
        import::ParadoxTable table(dbPath, options);
        for (const import::ParadoxField& f : table.fields())
            table.fieldIndex(f.name);
        import::ParadoxRecord record;
        qint64 count = 0;
        while (table.next(record)) {
            for (const QVariant& v : record.values)
                (void)v.toString();
            ++count;
        }
        if (records)
            *records = count;
        return true;
    } catch (const import::EImportError&) {
        return false;
    }
}

} // namespace paradoxtest
