#pragma once
// The SQL behind a table's view: its order, its conditions (the filter and the master link)
// with bound parameters, and the queries that read the view, place a record in it and find
// a value. No text from the user reaches the SQL: values are always bound. Engine-internal.
#include <QString>
#include <QStringList>
#include <QVariant>
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
    void configure(const QString& qualified, const QString& path, const TableMeta& meta);
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
    /// One column of these records, by row id (a vanished record is left out).
    std::unordered_map<qint64, QVariant> columnOf(Database& db, const QString& column,
                                                  const std::vector<qint64>& rowids) const;
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
    void addEquality(Where& where, const QString& column, const QVariant& value) const;
    QString select(const Where& where) const;

    QString qualified_;
    QString path_;
    const TableMeta* meta_ = nullptr;
    QStringList order_;
};

} // namespace engine
