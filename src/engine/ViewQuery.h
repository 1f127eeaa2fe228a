#pragma once
// The SQL behind a table's view, built from its shape (order, filter, named condition, master link) and the
// master's values at the time of each query: the queries that read the view, place a record
// in it and find a value. It knows no table: only the file and the shape it is given. No text
// from the user reaches the SQL: values are always bound. Engine-internal.
#include "ViewShape.h"

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
class TableMeta;

class ViewQuery {
public:
    /// The master link's conditions for one query: each link column with the master's current
    /// value (empty when there is no link), or nothing when the master has no current record.
    using LinkValues = std::optional<std::vector<Equality>>;
    /// A query and the values it binds, in order.
    struct BoundSql {
        QString sql;
        std::vector<QVariant> params;
    };

    /// qualified: "schema"."table"; path names the file in error messages.
    void configure(const QString& schema, const QString& qualified, const QString& path, const TableMeta& meta);
    /// The view's shape, resolved when the view changed; every query follows it. Set after
    /// configure: the file's sort keys shape the conditions.
    void setShape(ViewShape shape);
    /// The shape last set.
    const ViewShape& shape() const { return shape_; }

    /// The query read() runs, or with columns given the query that reads those (quoted) of
    /// the view's records in its order; its sql is empty when the master link selects nothing
    /// (the master has no current record, or an empty value in a link field).
    BoundSql select(const LinkValues& link, const QStringList& columns = {}) const;
    /// The view's row ids in order; empty when the master link selects nothing. The last few
    /// answers without a link are kept while no program wrote to the files they read, so going
    /// back to an order or selection read before reads no rows.
    std::vector<qint64> read(Database& db, const LinkValues& link) const;
    /// Reads the view of another shape of this file (without a master link) into the kept
    /// answers, so a later read in that shape reads no rows while nothing was written.
    void readAhead(Database& db, ViewShape shape);
    /// Where a record outside the view would stand in it: the position of the record after
    /// it. fallback when that cannot be told.
    int placeOf(Database& db, const LinkValues& link, qint64 rowid, int fallback) const;
    /// Row ids whose column holds exactly this value (an empty value: no value).
    std::unordered_set<qint64> matches(Database& db, const QString& column, const QVariant& value) const;
    /// Puts a written record at its place in the view, or takes it out when it no longer
    /// passes the filter or link, and returns the position to make current: the record's,
    /// or the record's after its place. Reads the whole view again only when it must.
    int place(Database& db, const LinkValues& link, std::vector<qint64>& view, qint64 rowid, int fallback) const;
    /// Where a record belongs in the view (which must not hold it) by its order keys, found
    /// by a binary search that reads a few records; -1 when that cannot be told so (an order
    /// with a collation or descending, a vanished record), and the view must be read again.
    int insertionPoint(Database& db, const std::vector<qint64>& view, qint64 rowid) const;
    /// True when the record passes the filter and the master link.
    bool selects(Database& db, const LinkValues& link, qint64 rowid) const;
    /// Reads one field of these records (row id 0: none) in one statement and tests each with
    /// test, a text field on its stored bytes where the test can decide on them. Returns the
    /// first index, in the order given and below `before`, whose record passes; -1 for none.
    /// A vanished record does not pass.
    int firstPassing(Database& db, const Field& field, const std::vector<qint64>& rowids,
                     const std::function<bool(const QString&)>& text,
                     const std::function<std::optional<bool>(const char*, qsizetype)>& utf8, int before) const;

private:
    struct Where {
        QStringList terms;
        std::vector<QVariant> params;
        bool none = false; ///< the master link selects no record
    };
    Where where(const LinkValues& link) const;
    void addEquality(Where& where, const QString& column, const QVariant& value, bool bySortKey) const;
    bool ordersBySortKeyOf(const QString& column) const;
    QString selectSql(const Where& where, const QStringList& columns = {}) const;
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
    /// read(); wanted false: only kept, an empty answer returned.
    std::vector<qint64> readView(Database& db, const LinkValues& link, bool wanted) const;
    /// The data versions of the view's file and of the files its condition reads.
    std::vector<qint64> dataVersions(Database& db) const;

    QString schema_;
    QString qualified_;
    QString path_;
    const TableMeta* meta_ = nullptr;
    ViewShape shape_;
    QString orderSql_; ///< the shape's order as ORDER BY terms
    Where filterWhere_; ///< the shape's filter as conditions
    // firstPassing's statements for the column read last, by IN list size (built once each).
    mutable QString walkedColumn_;
    mutable QHash<int, QString> walkSql_;
    // read()'s recent answers, the latest first, with the state of the file they were read in.
    struct KeptView {
        QString query;
        qint64 changes = -1;
        std::vector<qint64> versions;
        std::vector<qint64> rowids;
    };
    mutable std::vector<KeptView> keptViews_;
};

} // namespace engine
