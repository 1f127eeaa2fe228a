// Damaged, truncated and password-protected tables: each is refused with an error naming the
// file, never read as if whole.
#include "ParadoxTestSupport.h"

#include <QtEndian>
#include <functional>

using namespace paradoxtest;

class ParadoxDamageTest : public ParadoxTableTest {};

namespace {

TableSpec damageBase()
{
    TableSpec s;
    s.name = QStringLiteral("Skade");
    s.blockCode = 1;
    s.recordsPerBlock = 4;
    s.mbFreeBlock = true;
    s.fields = {{"Nr", ParadoxType::Long}, {"Navn", ParadoxType::Alpha, 20}, {"Memo", ParadoxType::Memo, 14}};
    for (int i = 0; i < 10; ++i) {
        const QVariant memo = i == 1   ? QVariant(QStringLiteral("sub-allokeret memo nummer en"))
                              : i == 2 ? placed(QByteArray(5000, 'e'), BlobPlace::OwnBlock)
                              : i == 3 ? QVariant(QStringLiteral("kort"))
                                       : QVariant();
        s.rows.append({i, QStringLiteral("Navn %1").arg(i), memo});
    }
    return s;
}

struct Damage {
    const char* what;
    std::function<void(TableSpec&)> spec;
    std::function<void(WrittenTable&)> bytes;
    bool dropMb = false;
};

// Pointer of blob i (0: sub-allocated, 1: own block, 2: inline) in the damage table.
void setBlob(WrittenTable& w, int i, quint32 pointer, qint64 length = -1)
{
    putU32(w.db, w.blobs[i].pointerOffset, pointer);
    if (length >= 0)
        putU32(w.db, w.blobs[i].pointerOffset + 4, quint32(length));
}

const auto noSpec = [](TableSpec&) {};
const auto noBytes = [](WrittenTable&) {};

} // namespace

TEST_F(ParadoxDamageTest, DamagedTablesAreRefusedWithAMessageNamingTheFile)
{
    const QVector<Damage> cases = {
        {"header size below the variable part", noSpec, [](WrittenTable& w) { putU16(w.db, 2, 0x70); }},
        {"header size past the end", noSpec, [](WrittenTable& w) { putU16(w.db, 2, 0xF000); }},
        {"index file", noSpec, [](WrittenTable& w) { w.db[4] = 1; }},
        {"file type 8", noSpec, [](WrittenTable& w) { w.db[4] = 8; }},
        {"version 2", noSpec, [](WrittenTable& w) { w.db[0x39] = 2; }},
        {"version 13", noSpec, [](WrittenTable& w) { w.db[0x39] = 13; }},
        {"block code 0", noSpec, [](WrittenTable& w) { w.db[5] = 0; }},
        {"block code 33", noSpec, [](WrittenTable& w) { w.db[5] = 33; }},
        {"record bigger than a block",
         [](TableSpec& s) {
             for (int i = 0; i < 4; ++i)
                 s.fields.append({QStringLiteral("Lang%1").arg(i), ParadoxType::Alpha, 255});
             s.blockCode = 2;
             s.recordsPerBlock = 1;
         },
         [](WrittenTable& w) { w.db[5] = 1; }},
        {"no fields", noSpec, [](WrittenTable& w) { putU16(w.db, 0x21, 0); }},
        {"unknown type code", noSpec, [](WrittenTable& w) { w.db[0x78 + 2] = 0x07; }},
        {"type code 0x30", noSpec, [](WrittenTable& w) { w.db[0x78 + 2] = 0x30; }},
        {"record size one more", noSpec, [](WrittenTable& w) { putU16(w.db, 0, quint16(w.recordSize + 1)); }},
        {"alpha size changed", noSpec, [](WrittenTable& w) { w.db[0x78 + 3] = 21; }},
        {"long of 8 bytes", noSpec, [](WrittenTable& w) { w.db[0x78 + 1] = 8; w.db[0x78 + 3] = 16; }},
        {"memo shorter than 10", noSpec, [](WrittenTable& w) { w.db[0x78 + 5] = 9; w.db[0x78 + 3] = 25; }},
        {"duplicate field names", [](TableSpec& s) { s.fields[1].name = QStringLiteral("NR"); }, noBytes},
        {"empty field name", [](TableSpec& s) { s.fields[1].name = QString(); }, noBytes},
        {"names past the header", [](TableSpec& s) { s.versionId = 3; },
         [](WrittenTable& w) { w.db[w.headerSize - 1] = 'x'; }},
        {"first block out of range", noSpec, [](WrittenTable& w) { putU16(w.db, 0x0E, 9); }},
        {"chain loops back", noSpec, [](WrittenTable& w) { putU16(w.db, w.blockOffsets[2], 1); }},
        {"block links to itself", noSpec, [](WrittenTable& w) { putU16(w.db, w.blockOffsets[0], 1); }},
        {"next block out of range", noSpec, [](WrittenTable& w) { putU16(w.db, w.blockOffsets[0], 4); }},
        {"block beyond the file", noSpec,
         [](WrittenTable& w) { putU16(w.db, 0x0C, 5); putU16(w.db, w.blockOffsets[2], 5); }},
        {"last offset not a multiple", noSpec,
         [](WrittenTable& w) { putU16(w.db, w.blockOffsets[0] + 4, 5); }},
        {"last offset past the block", noSpec,
         [](WrittenTable& w) { putU16(w.db, w.blockOffsets[0] + 4, quint16(w.recordSize * 40)); }},
        {"last offset negative odd", noSpec,
         [](WrittenTable& w) { putU16(w.db, w.blockOffsets[0] + 4, 0xFFFF); }},
        {"blob past the .MB", noSpec, [](WrittenTable& w) { setBlob(w, 0, 0x100000 | 63); }},
        {"blob in the .MB header", noSpec, [](WrittenTable& w) { setBlob(w, 0, 63); }},
        {"blob not on a 4096 boundary", noSpec,
         [](WrittenTable& w) { setBlob(w, 0, quint32(w.blobs[0].mbBlock + 0x100) | 63); }},
        {"blob in a free block", noSpec, [](WrittenTable& w) { setBlob(w, 0, quint32(w.freeMbBlock) | 63); }},
        {"slot not live", noSpec, [](WrittenTable& w) { setBlob(w, 0, quint32(w.blobs[0].mbBlock) | 10); }},
        {"slot 64", noSpec, [](WrittenTable& w) { setBlob(w, 0, quint32(w.blobs[0].mbBlock) | 64); }},
        {"slot start 0", noSpec, [](WrittenTable& w) { w.mb[w.blobs[0].mbBlock + 0x0C + 5 * 63] = 0; }},
        {"slot data below 0x150", noSpec,
         [](WrittenTable& w) { w.mb[w.blobs[0].mbBlock + 0x0C + 5 * 63] = 0x10; }},
        {"slot data past the block", noSpec,
         [](WrittenTable& w) { w.mb[w.blobs[0].mbBlock + 0x0C + 5 * 63] = char(0xFF); }},
        {"sub-allocated length mismatch", noSpec,
         [](WrittenTable& w) { setBlob(w, 0, w.blobs[0].pointer, w.blobs[0].length + 1); }},
        {"own block with a slot", noSpec,
         [](WrittenTable& w) { setBlob(w, 1, quint32(w.blobs[1].mbBlock) | 3); }},
        {"own block length mismatch", noSpec,
         [](WrittenTable& w) { setBlob(w, 1, w.blobs[1].pointer, 4999); }},
        {"own block longer than the file", noSpec, [](WrittenTable& w) {
             setBlob(w, 1, w.blobs[1].pointer, 0x7FFFFFFF); putU32(w.mb, w.blobs[1].mbBlock + 3, 0x7FFFFFFF); }},
        {"blob block of kind 0", noSpec, [](WrittenTable& w) { w.mb[w.blobs[1].mbBlock] = 0; }},
        {"memo file missing", noSpec, noBytes, true},
    };
    for (const Damage& c : cases) {
        QTemporaryDir dir;
        TableSpec s = damageBase();
        c.spec(s);
        WrittenTable w = buildTable(s);
        ASSERT_EQ(w.blobs.size(), 3) << c.what;
        c.bytes(w);
        if (c.dropMb)
            w.hasMb = false;
        const QString message = refusal(saveTable(dir.path(), s, w));
        EXPECT_FALSE(message.isEmpty()) << c.what << ": read without an error";
        EXPECT_TRUE(message.contains(QStringLiteral("Skade.DB")) || message.contains(QStringLiteral("Skade.MB")))
            << c.what << ": " << qPrintable(message);
    }
}

TEST_F(ParadoxDamageTest, TheDamageBaseItselfReads)
{
    const ReadResult r = readAll(write(damageBase()));
    ASSERT_EQ(r.records.size(), 10);
    EXPECT_TRUE(sameValue(r.records[1].values[2], QStringLiteral("sub-allokeret memo nummer en")));
    EXPECT_TRUE(sameValue(r.records[2].values[2], QString(5000, QLatin1Char('e'))));
    EXPECT_TRUE(sameValue(r.records[3].values[2], QStringLiteral("kort")));
}

TEST_F(ParadoxDamageTest, TruncatedFilesAreRefusedAtEveryCut)
{
    for (int version : {4, 12}) {
        TableSpec s = damageBase();
        s.versionId = version;
        s.mbFreeBlock = false;
        const WrittenTable w = buildTable(s);
        QVector<qint64> cuts = {0, 1, 2, 0x20, 0x57, 0x58, 0x77, 0x78, 0x80, w.headerSize - 1, w.headerSize,
                                w.headerSize + 3, w.headerSize + 6};
        for (qint64 b = 1; b <= w.fileBlocks; ++b)
            cuts << w.blockOffsets[b - 1] + 5 << w.blockOffsets[b - 1] + w.blockSize / 2
                 << w.blockOffsets[b - 1] + w.blockSize - 1;
        for (qint64 cut : cuts) {
            if (cut < 0 || cut >= w.db.size())
                continue;
            QTemporaryDir dir;
            WrittenTable t = w;
            t.db.truncate(cut);
            EXPECT_TRUE(refusal(saveTable(dir.path(), s, t)).contains(QStringLiteral("Skade.DB")))
                << "version " << version << " cut at " << cut;
        }
        for (qint64 cut : {qint64(0), qint64(100), qint64(4096), w.blobs[0].mbBlock + 0x200, w.blobs[1].mbBlock + 100,
                           w.blobs[1].mbBlock + 9 + 4999}) {
            QTemporaryDir dir;
            WrittenTable t = w;
            t.mb.truncate(cut);
            const QString message = refusal(saveTable(dir.path(), s, t));
            EXPECT_TRUE(message.contains(QStringLiteral("Skade."))) << "version " << version << " .MB cut at " << cut
                                                                   << ": " << qPrintable(message);
        }
    }
}

TEST_F(ParadoxDamageTest, EncryptedTablesAreRefused)
{
    for (int version : {3, 4, 9, 11, 12}) {
        TableSpec s;
        s.name = QStringLiteral("Hemmelig");
        s.versionId = version;
        s.encryptionKey = 0x0A25E09A;
        s.fields = {{"Id", ParadoxType::Short}, {"Value", ParadoxType::Alpha, 10}};
        s.rows = {{1, QStringLiteral("Value 1")}};
        const QString message = refusal(write(s));
        EXPECT_TRUE(message.contains(QStringLiteral("Hemmelig.DB"))) << version << ": " << qPrintable(message);
        // The user reads it in Danish or English: either way it must say why.
        EXPECT_TRUE(message.contains(QStringLiteral("password"), Qt::CaseInsensitive) ||
                    message.contains(QStringLiteral("adgangskode"), Qt::CaseInsensitive))
            << version << ": " << qPrintable(message);
    }
}

TEST_F(ParadoxDamageTest, TheKeyIsReadWhereTheVersionKeepsIt)
{
    struct Case {
        const char* what;
        int version;
        quint32 at25;
        quint32 at5C;
        bool refused;
    } cases[] = {{"4.x marker, no key", 9, 0xFF00FF00u, 0, false},
                 {"4.x marker, key", 11, 0xFF00FF00u, 0x0A25E09Au, true},
                 {"4.x key without the marker", 12, 0x1234u, 0, true},
                 {"3.x with the marker's value as key", 4, 0xFF00FF00u, 0, true},
                 {"3.x ignores the 4.x key place", 3, 0, 0x0A25E09Au, false}};
    for (const Case& c : cases) {
        TableSpec s;
        s.name = QStringLiteral("Noegle");
        s.versionId = c.version;
        s.fields = {{"A", ParadoxType::Alpha, 100}};
        s.rows = {{QStringLiteral("klar tekst")}};
        WrittenTable w = buildTable(s);
        putU32(w.db, 0x25, c.at25);
        putU32(w.db, 0x5C, c.at5C); // in a 3.x file: the in-memory pointers, read by no one
        const QString message = refusal(saveTable(folder(), s, w));
        EXPECT_EQ(!message.isEmpty(), c.refused) << c.what << ": " << qPrintable(message);
    }
}


// Tables that claim far more than they hold, in sparse files: each ends in seconds, reading
// no more than a description can hold, and says why.
namespace {

constexpr quint32 claimedMemo = 200u * 1024 * 1024;

QString hostileMemoTable(const QString& folder)
{
    TableSpec s;
    s.name = QStringLiteral("Memo");
    s.fields = {{"Nr", ParadoxType::Long}, {"Memo", ParadoxType::Memo, 14}};
    for (int i = 0; i < 50; ++i)
        s.rows.append({i, placed(QByteArray(5000, 'm'), BlobPlace::OwnBlock)});
    WrittenTable w = buildTable(s);
    // Every record points at the first text, which claims 200 MB of a sparse memo file.
    for (int i = 0; i < w.blobs.size(); ++i)
        setBlob(w, i, w.blobs[0].pointer, claimedMemo);
    putU16(w.mb, w.blobs[0].mbBlock + 1, 0xFFFF);
    putU32(w.mb, w.blobs[0].mbBlock + 3, claimedMemo);
    const QString path = saveTable(folder, s, w);
    QFile mb(folder + QLatin1Char('/') + mbFileName(s));
    EXPECT_TRUE(mb.open(QIODevice::ReadWrite) && mb.resize(qint64(claimedMemo) + 2 * 65536 * 4096LL));
    return path;
}

QString hostileChainTable(const QString& folder, bool claimRecords)
{
    TableSpec s;
    s.name = claimRecords ? QStringLiteral("Antal") : QStringLiteral("Kaede");
    s.blockCode = 32;
    s.fields = {{"Nr", ParadoxType::Long}};
    s.rows = {{1}};
    WrittenTable w = buildTable(s);
    if (claimRecords)
        putU32(w.db, 6, 4000000000u);
    else
        putU16(w.db, 0x0C, 0xFFFF); // 2 GB of blocks, each linked to the next
    const QString path = saveTable(folder, s, w);
    QFile db(path);
    EXPECT_TRUE(db.open(QIODevice::ReadWrite) && db.resize(w.headerSize + 0xFFFFLL * w.blockSize));
    for (int block = 1; block < 4096 && !claimRecords; ++block) {
        db.seek(w.headerSize + qint64(block - 1) * w.blockSize);
        const quint16 next = qToLittleEndian(quint16(block + 1));
        db.write(reinterpret_cast<const char*>(&next), 2);
    }
    return path;
}

} // namespace

TEST_F(ParadoxDamageTest, AMemoClaimingHundredsOfMegabytesIsCutOnceAndNotReadAgain)
{
    const ReadResult r = readAll(hostileMemoTable(folder()));
    ASSERT_EQ(r.records.size(), 50);
    EXPECT_EQ(r.records[0].values[1].toString().size(), ParadoxReadOptions().longestBlob);
    EXPECT_EQ(r.records[0].problems.join(QLatin1Char('|')),
              QStringLiteral("Memo: the text of %1 bytes is longer than a description holds; cut to 4194304").arg(claimedMemo));
    EXPECT_TRUE(r.records[49].problems.join(QLatin1Char('|')).contains(QStringLiteral("belongs to an earlier record")));
}

TEST_F(ParadoxDamageTest, ClaimsBeyondWhatTheFileHoldsOnTheDiskStopTheTable)
{
    for (const bool claimRecords : {true, false}) {
        const QString message = refusal(hostileChainTable(folder(), claimRecords));
        EXPECT_TRUE(message.contains(claimRecords ? QStringLiteral("the header claims 4000000000 records")
                                                  : QStringLiteral("goes on past")))
            << message.toStdString();
    }
}
