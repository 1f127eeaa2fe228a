#pragma once
// The SQL behind a table's view: its order, its conditions (the filter and the master link)
// with bound parameters, and the queries that read the view, place a record in it and find
// a value. No text from the user reaches the SQL: values are always bound. Engine-internal.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace engine {

class Database;
class Field;
class Table;
class TableMeta;

class ViewQuery {
public:
    /// qualified: "schema"."table"; path names the file in error messages.
    void configure(const QString& schema, const QString& qualified, const QString& path, const TableMeta& meta);
    void setOrder(const QStringList& terms) { order_ = terms; }
    const QStringList& order() const { return order_; }
    /// ORDER BY terms for ";"-separated field names (the primary order when there are none).
    QStringList fieldOrder(const Table& table, const QString& names) const;

    /// The view's row ids in order; empty when the master link selects nothing.
    std::vector<qint64> read(Database& db, const Table& table) const;
    /// The query read() runs; empty when the master link selects nothing.
    QString sql(const Table& table) const;
    /// Where a record outside the view would stand in it: the position of the record after
    /// it. fallback when that cannot be told.
    int placeOf(Database& db, const Table& table, qint64 rowid, int fallback) const;
    /// Row ids whose field holds exactly this value (an empty value: no value).
    std::unordered_set<qint64> matches(Database& db, const Field& field, const QVariant& value) const;
    /// Puts a written record at its place in the view, or takes it out when it no longer
    /// passes the filter or link, and returns the position to make current: the record's,
    /// or the record's after its place. Reads the whole view again only when it must.
    int place(Database& db, const Table& table, std::vector<qint64>& view, qint64 rowid, int fallback) const;
    /// Where a record belongs in the view (which must not hold it) by its order keys, found
    /// by a binary search that reads a few records; -1 when that cannot be told so (an order
    /// with a collation or descending, a vanished record), and the view must be read again.
    int insertionPoint(Database& db, const std::vector<qint64>& view, qint64 rowid) const;
    /// True when the record passes the filter and the master link.
    bool selects(Database& db, const Table& table, qint64 rowid) const;
    /// Reads one field of these records (row id 0: none) in one statement and tests each with
    /// test, a text field on its stored bytes where the test can decide on them. Returns the
    /// first index, in the order given and below `before`, whose record passes; -1 for none.
    /// A vanished record does not pass.
    int firstPassing(Database& db, const Field& field, const std::vector<qint64>& rowids,
                     const std::function<bool(const QString&)>& text,
                     const std::function<std::optional<bool>(const char*, qsizetype)>& utf8, int before) const;
    /// True when the column takes part in the order, the filter or the master link.
    bool dependsOn(const Table& table, const QString& column) const;

    /// The detail fields of a master link with the master's current values; empty when the
    /// table has no link or its master no current record.
    static std::vector<std::pair<Field*, QVariant>> linkValues(const Table& table);

private:
    struct Where {
        QStringList terms;
        std::vector<QVariant> params;
        bool none = false; ///< the master link selects no record
    };
    Where where(const Table& table) const;
    void addEquality(Where& where, const QString& column, const QVariant& value, bool bySortKey) const;
    bool ordersBySortKeyOf(const QString& column) const;
    QString select(const Where& where) const;
    struct SortValue {
        int type = 0; // SQLite's fundamental type
        double number = 0;
        QByteArray bytes;
    };
    using SortKey = std::vector<SortValue>;
    bool sortKey(Database& db, qint64 rowid, SortKey& key) const;
    /// firstPassing's query for that many row ids in an IN list; 0: a range of row ids.
    QString walkSql(const Field& field, int places) const;
    static int compare(const SortKey& a, const SortKey& b);

    QString schema_;
    QString qualified_;
    QString path_;
    const TableMeta* meta_ = nullptr;
    QStringList order_;
    // firstPassing's statements for the column read last, by IN list size (built once each).
    mutable QString walkedColumn_;
    mutable QHash<int, QString> walkSql_;
};

} // namespace engine
