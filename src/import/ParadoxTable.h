#pragma once
// Reads a Paradox table (.DB, file versions 3.0 to 7) and its memo file (.MB) as a stream of
// records. Every byte is untrusted: sizes, counts, offsets and block links are checked before
// use, a block chain is walked once (a loop is an error), and nothing larger than the files
// themselves is ever allocated. Structural faults throw EImportError naming the file.
// One object reads one table on the calling thread; it keeps both files open until destroyed.
#include "ImportError.h"

#include <QByteArray>
#include <QSet>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

namespace import {

/// Field type codes as the header stores them.
enum class ParadoxType : quint8 {
    Alpha = 0x01,
    Date = 0x02,
    Short = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Number = 0x06,
    Logical = 0x09,
    Memo = 0x0C,
    Binary = 0x0D,
    FormattedMemo = 0x0E,
    Ole = 0x0F,
    Graphic = 0x10,
    Time = 0x14,
    Timestamp = 0x15,
    AutoIncrement = 0x16,
    Bcd = 0x17,
    Bytes = 0x18,
};

struct ParadoxField {
    QString name;
    ParadoxType type = ParadoxType::Alpha;
    int size = 0;        ///< bytes in the record (17 for BCD)
    int decimals = 0;    ///< BCD only: digits after the decimal point
};

/// What the header says, after every check.
struct ParadoxHeader {
    int versionId = 0;          ///< 3 = 3.0, 4 = 3.5, 5..9 = 4.x, 10..11 = 5.x, 12 = 7
    int recordSize = 0;
    int headerSize = 0;
    int blockSize = 0;          ///< bytes
    int fileBlocks = 0;         ///< blocks in the file, used and free
    int firstBlock = 0;
    quint32 recordsInHeader = 0;
    int keyFields = 0;
    int statedCodePage = 0;     ///< 0 when the file states none
    int codePage = 0;           ///< the one used to decode text
    QString sortOrder;          ///< "nordan40", "ANSIINTL", ... (empty in 3.x files)
    quint32 nextAutoIncrement = 0;
};

struct ParadoxReadOptions {
    int codePage = 0;           ///< 437, 850, 865 or 1252 to override the table's own; 0 = the table's
    bool readBinary = false;    ///< read binary, OLE, graphic and bytes fields (else they read as null)
    /// Bytes of a blob read at most: a longer one is cut to this, named in the record's problems.
    /// The default is the longest description the registration window edits whole.
    qint64 longestBlob = 4 * 1024 * 1024;
};

/// One record in block-chain order. Values by field: null QVariant for blank; QString for alpha,
/// memo, formatted memo and BCD (the exact decimal text); qint64 for short, long and
/// auto-increment; double for number and currency; bool for logical; QDate, QTime, QDateTime;
/// QByteArray for binary kinds when asked for. A value the format cannot hold (a day number out
/// of range, a time past midnight, a non-finite number) reads as null and is named in problems.
struct ParadoxRecord {
    qint64 number = 0;          ///< 1-based, in chain order
    QVector<QVariant> values;
    QStringList problems;       ///< "FIELD: what is wrong", for the import's report
};

/// The code pages the reader can decode.
bool isSupportedCodePage(int codePage);

/// Decodes table text bytes of one code page (437, 850, 865, 1252).
QString decodeCodePage(const char* data, qsizetype size, int codePage);

class ParadoxTable {
public:
    /// Opens and checks the header; finds the .MB beside it (name matched without regard to
    /// case) when a field needs one. Throws EImportError for a file that is not a readable
    /// table, or whose header claims more records than the file really holds: the message
    /// names the file.
    explicit ParadoxTable(const QString& dbPath, const ParadoxReadOptions& options = {});
    ~ParadoxTable();
    ParadoxTable(const ParadoxTable&) = delete;
    ParadoxTable& operator=(const ParadoxTable&) = delete;

    const ParadoxHeader& header() const noexcept { return header_; }
    const QVector<ParadoxField>& fields() const noexcept { return fields_; }
    /// Index of a field by name without regard to case; -1 when the table lacks it.
    int fieldIndex(const QString& name) const;
    QString fileName() const;

    /// Reads the next record of the chain; false after the last one. Throws EImportError
    /// for a damaged block, a loop, a pointer out of range, a chain longer than the bytes the
    /// file really holds on the disk, or a missing/damaged memo file. A memo longer than
    /// options.longestBlob is cut, and one another record's pointer already read is left
    /// out; both are named in the record's problems.
    bool next(ParadoxRecord& record);
    /// Records read so far; compare with header().recordsInHeader at the end.
    qint64 recordsRead() const noexcept { return recordsRead_; }
    /// Bytes of the .DB consumed so far, for progress against fileSize().
    qint64 position() const noexcept { return blocksRead_ * qint64(header_.blockSize); }
    qint64 fileSize() const noexcept { return dbSize_; }

private:
    void readHeader();
    void refuseEncrypted(const QByteArray& head);
    void chooseCodePage(const QByteArray& head);
    void readFieldDescriptors(const QByteArray& head, int at);
    void readFieldNames(const QByteArray& head, int at);
    void openMemoFile();
    bool loadNextBlock();
    void decodeRecord(const char* bytes, ParadoxRecord& record);
    QVariant decodeValue(const ParadoxField& field, const char* bytes, QStringList& problems);
    QVariant decodeBlob(const ParadoxField& field, const char* bytes, QStringList& problems);
    QByteArray readMemoBlob(quint32 pointer, quint32 length, const QString& fieldName, QStringList& problems);
    [[noreturn]] void fail(const QString& what) const;
    [[noreturn]] void failMemo(const QString& what) const;

    QString path_;
    ParadoxReadOptions options_;
    QFile db_;
    std::unique_ptr<QFile> mb_;
    qint64 dbSize_ = 0;
    qint64 mbSize_ = 0;
    qint64 dbStored_ = 0;       ///< bytes of the .DB really on the disk (a sparse file holds fewer)
    QSet<quint32> memosRead_;   ///< .MB pointers read so far: each text belongs to one record
    ParadoxHeader header_;
    QVector<ParadoxField> fields_;
    QVector<int> offsets_;
    QByteArray block_;
    QByteArray visited_;        ///< one byte per file block: seen in the chain
    int nextBlock_ = 0;
    int recordInBlock_ = 0;
    int recordsInBlock_ = 0;
    qint64 blocksRead_ = 0;
    qint64 recordsRead_ = 0;
};

} // namespace import
