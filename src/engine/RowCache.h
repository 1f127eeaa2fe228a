#pragma once
// Records of a table's view, read on demand in batches of neighbouring positions. A batch
// keeps its records as SQLite stored them (texts as UTF-8) in one buffer, and a value is
// built only when a field is read. A row id that no longer exists reads as absent (null).
// Engine-internal.
#include <QByteArray>
#include <QString>
#include <QVarLengthArray>
#include <QVariant>
#include <deque>
#include <memory>
#include <string>
#include <vector>

struct sqlite3_value;

namespace engine {

class Database;
class Statement;

/// One stored record. It lives in its batch, which a RowPtr keeps alive.
class StoredRow {
public:
    /// qint64, double, QString, QByteArray or a null QVariant.
    QVariant value(int column) const;
    /// The UTF-8 bytes of a text value as stored, without decoding; false for other values.
    bool utf8(int column, const char*& data, qsizetype& size) const;

private:
    friend class RowCache;
    struct Cell {
        qint64 number = 0; // integer, or the bits of a double
        int offset = 0;
        int size = 0;
        int type = 0; // SQLite's fundamental type
    };
    const char* data_ = nullptr;
    QVarLengthArray<Cell, 16> cells_;
};

using RowPtr = std::shared_ptr<const StoredRow>;

class RowCache {
public:
    /// columnList: the quoted columns in field order; qualifiedTable: "schema"."table".
    void configure(const QString& columnList, const QString& qualifiedTable, int columnCount, const QString& context);

    /// The record at a position of the view (null when it has vanished); reads its batch when
    /// it is not cached.
    RowPtr row(Database& db, const std::vector<qint64>& view, int position);
    /// The next read of this row id goes to the file.
    void forget(qint64 rowid);
    /// Every later read goes to the file.
    void clear() { batches_.clear(); }

private:
    struct Batch;
    RowPtr find(qint64 rowid);
    static void readCell(sqlite3_value* value, StoredRow::Cell& cell, std::string& bytes, size_t rows);
    std::shared_ptr<Batch> readBatch(Database& db, const std::vector<qint64>& rowids) const;

    QString sql_;
    QString rangeSql_;
    QString context_;
    int columnCount_ = 0;
    std::deque<std::shared_ptr<Batch>> batches_; // most recently used first
};

} // namespace engine
