#pragma once
// Records of a table's view, read on demand in batches of neighbouring positions and kept
// by row id. A row id that no longer exists reads as an absent record. Engine-internal.
#include <QString>
#include <QVariant>
#include <unordered_map>
#include <vector>

namespace engine {

class Database;

class RowCache {
public:
    struct Row {
        bool present = false;
        std::vector<QVariant> values;
    };

    /// columnList: the quoted columns in field order; qualifiedTable: "schema"."table".
    void configure(const QString& columnList, const QString& qualifiedTable, int columnCount, const QString& context);

    /// The record at a position of the view; reads its batch when it is not cached. The
    /// reference is valid until the next call.
    const Row& row(Database& db, const std::vector<qint64>& view, int position);
    void forget(qint64 rowid) { rows_.erase(rowid); }
    void clear() { rows_.clear(); }

private:
    void readBatch(Database& db, const std::vector<qint64>& rowids);

    QString sql_;
    QString context_;
    int columnCount_ = 0;
    std::unordered_map<qint64, Row> rows_;
};

} // namespace engine
