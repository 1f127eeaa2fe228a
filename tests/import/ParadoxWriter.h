#pragma once
// Test-only writer of Paradox tables (.DB and .MB), so tests can build the exact files they read
// and then damage them. It writes what the format allows and, on purpose, some of what it does
// not (raw field bytes, links and counts the tests choose). Not thread-safe; plain values.
#include "import/ParadoxTable.h"

#include <QByteArray>
#include <QDate>
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <QVector>

namespace paradoxtest {

using import::ParadoxType;

/// One column. size 0 takes the type's fixed size; blob sizes are leader + 10.
struct FieldSpec {
    QString name;
    ParadoxType type = ParadoxType::Alpha;
    int size = 0;
    int decimals = 0; ///< BCD only
};

/// A field value written byte for byte (padded with zeros or cut to the field size).
struct RawBytes {
    QByteArray bytes;
};

/// Where a blob value goes; Auto: leader if it fits, else a sub-allocated block below 2 KB,
/// else its own block.
enum class BlobPlace { Auto, Inline, SubAllocated, OwnBlock };

/// A blob value stored exactly as given (no code page, no graphic prefix) at a chosen place.
struct BlobValue {
    QByteArray data;
    BlobPlace place = BlobPlace::Auto;
};

} // namespace paradoxtest

Q_DECLARE_METATYPE(paradoxtest::RawBytes)
Q_DECLARE_METATYPE(paradoxtest::BlobValue)

namespace paradoxtest {

/// Everything about a table to write. Row values: null QVariant for blank; QString (alpha,
/// memo, formatted memo, BCD text), QByteArray (alpha raw, binary kinds; graphic gets 8 bytes
/// put in front), integers, double, bool, QDate, QTime, QDateTime, RawBytes, BlobValue.
struct TableSpec {
    QString name = QStringLiteral("Tab"); ///< file stem, also the name in the header
    QString dbSuffix = QStringLiteral(".DB");
    QString mbFileName;                   ///< empty: stem + ".MB"
    QVector<FieldSpec> fields;
    QVector<QVector<QVariant>> rows;
    QVector<QVector<QVariant>> staleRows; ///< written into the free blocks
    int versionId = 12;
    int codePage = 1252;                  ///< encodes text; stated in the header from version 5
    quint8 sortByte = 0;
    QString sortOrder = QStringLiteral("ANSIINTL");
    int blockCode = 2;
    int recordsPerBlock = 0;              ///< 0: as many as fit
    QVector<int> chain;                   ///< physical block numbers in chain order; empty: 1..n
    int freeBlocks = 0;                   ///< blocks outside the chain
    int keyFields = 0;                    ///< > 0 writes a keyed table
    quint32 encryptionKey = 0;
    int headerSize = 0;                   ///< 0: what the version's tools write
    qint64 recordCount = -1;              ///< header's record count; -1: the real one
    bool mbFreeBlock = false;             ///< put a free (kind 4) block holding stale text in the .MB
    bool alwaysWriteMb = true;            ///< write the .MB whenever a blob field exists
};

/// Where one blob value went.
struct BlobInfo {
    int row = 0;
    int field = 0;
    qint64 pointerOffset = 0;  ///< in the .DB: the u32 pointer (length follows at +4)
    quint32 pointer = 0;
    quint32 length = 0;
    qint64 mbBlock = -1;       ///< offset of its .MB block, -1 when inline
    int slot = -1;             ///< sub-allocated slot, 255 for an own block
};

/// The bytes of a written table and where things lie in them.
struct WrittenTable {
    QByteArray db;
    QByteArray mb;
    bool hasMb = false;
    int headerSize = 0;
    int blockSize = 0;
    int recordSize = 0;
    int dataBlocks = 0;
    int fileBlocks = 0;
    QVector<int> fieldOffsets;    ///< per field, inside the record
    QVector<qint64> recordOffsets; ///< per row, in the .DB
    QVector<qint64> blockOffsets;  ///< physical block b (1-based) at blockOffsets[b - 1]
    QVector<BlobInfo> blobs;
    qint64 freeMbBlock = -1;      ///< offset of the kind-4 block, -1 when none

    /// Offset in the .DB of one field of one row.
    qint64 fieldAt(int row, int field) const { return recordOffsets[row] + fieldOffsets[field]; }
};

/// Builds the files in memory.
WrittenTable buildTable(const TableSpec& spec);
/// Writes db (and mb when present) into folder under the names the description gives; returns the .DB path.
QString saveTable(const QString& folder, const TableSpec& spec, const WrittenTable& table);
/// buildTable + saveTable.
QString writeTable(const QString& folder, const TableSpec& spec);
QString mbFileName(const TableSpec& spec);

// Encodings, exposed so tests can state what the file holds.
QByteArray flippedInt(qint64 value, int size);
QByteArray flippedDouble(double value);
/// text like "-12.50"; decimals = digits after the point kept in the field.
QByteArray bcdBytes(const QString& text, int decimals);
qint64 dayNumber(const QDate& date);
/// Text in one of 437, 850, 865, 1252; '?' for what the code page lacks.
QByteArray encodeText(const QString& text, int codePage);
/// The character a byte 0x80..0xFF stands for in one of 437, 850, 865, 1252.
QChar highChar(int codePage, int byte);
int fixedSize(ParadoxType type);
void putU16(QByteArray& bytes, qint64 at, quint16 value);
void putU32(QByteArray& bytes, qint64 at, quint32 value);
quint16 getU16(const QByteArray& bytes, qint64 at);
quint32 getU32(const QByteArray& bytes, qint64 at);

} // namespace paradoxtest
