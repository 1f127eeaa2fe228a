#include "ViewQuery.h"

#include "Database.h"
#include "Field.h"
#include "Statement.h"
#include "TableMeta.h"

#include <algorithm>
#include <cstring>
#include <sqlite3.h>

namespace engine {

namespace {
bool isEmptyValue(const QVariant& value)
{
    return value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty());
}

void bindAll(Statement& statement, const std::vector<QVariant>& params)
{
    for (size_t i = 0; i < params.size(); ++i)
        statement.bind(int(i) + 1, params[i]);
}
} // namespace

void ViewQuery::configure(const QString& schema, const QString& qualified, const QString& path, const TableMeta& meta)
{
    schema_ = schema;
    qualified_ = qualified;
    path_ = path;
    meta_ = &meta;
    // A new connection (after another Data took the old one's place) counts from zero again.
    keptViews_.clear();
}

void ViewQuery::setShape(ViewShape shape)
{
    shape_ = std::move(shape);
    QStringList terms;
    for (const OrderTerm& term : shape_.order)
        terms << term.sql();
    orderSql_ = terms.join(QStringLiteral(", "));
    filterWhere_ = Where();
    for (const Equality& condition : shape_.filter)
        addEquality(filterWhere_, condition.column, condition.value, ordersBySortKeyOf(condition.column));
}

void ViewQuery::addEquality(Where& where, const QString& column, const QVariant& value, bool bySortKey) const
{
    const QString quoted = quoteId(column);
    if (isEmptyValue(value)) {
        where.terms << QStringLiteral("(%1 IS NULL OR %1 = '')").arg(quoted);
        return;
    }
    if (bySortKey && value.typeId() == QMetaType::QString && meta_->hasSortKeyIndex(column)) {
        // Equal values have equal sort keys; naming the key lets the sort key's index find them.
        where.terms << quoteId(danishSortKey(column)) + QStringLiteral(" = ?");
        where.params.push_back(danishFold(value.toString()));
    }
    where.terms << quoted + QStringLiteral(" = ?");
    where.params.push_back(value);
}

bool ViewQuery::ordersBySortKeyOf(const QString& column) const
{
    // In another order a condition on the sort key would lead the planner to that key's
    // index and a sort, where an index on (column, order) serves both.
    return !shape_.order.empty() && shape_.order.front() == OrderTerm::on(danishSortKey(column));
}

ViewQuery::Where ViewQuery::where(const LinkValues& link) const
{
    Where result = filterWhere_;
    if (shape_.condition.isSet()) {
        // Its values are read now: a date relative to today is today's.
        result.terms << QStringLiteral("(%1)").arg(shape_.condition.sql);
        if (shape_.condition.values)
            for (QVariant& value : shape_.condition.values())
                result.params.push_back(std::move(value));
    }
    // A master without a current record, or without a value in a link field, links no record.
    result.none = !link;
    for (size_t i = 0; !result.none && i < link->size(); ++i) {
        const Equality& condition = (*link)[i];
        if (isEmptyValue(condition.value))
            result.none = true;
        else
            addEquality(result, condition.column, condition.value, ordersBySortKeyOf(condition.column));
    }
    return result;
}

QString ViewQuery::selectSql(const Where& where, const QStringList& columns) const
{
    const QString selected = columns.isEmpty() ? QStringLiteral("rowid") : columns.join(QStringLiteral(", "));
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(selected, qualified_);
    if (!where.terms.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.terms.join(QStringLiteral(" AND "));
    return sql + QStringLiteral(" ORDER BY ") + orderSql_;
}

ViewQuery::BoundSql ViewQuery::select(const LinkValues& link, const QStringList& columns) const
{
    Where conditions = where(link);
    if (conditions.none)
        return {};
    return {selectSql(conditions, columns), std::move(conditions.params)};
}

std::vector<qint64> ViewQuery::read(Database& db, const LinkValues& link) const
{
    return readView(db, link, true);
}

void ViewQuery::readAhead(Database& db, ViewShape shape)
{
    Q_ASSERT(shape.link.empty());
    // The view's own shape and the lock wait come back however the read ends.
    struct Restore {
        ViewQuery& query;
        Database& db;
        ViewShape shape;
        ~Restore()
        {
            db.setWaitForLocks(true);
            query.setShape(std::move(shape));
        }
    } restore{*this, db, shape_};
    setShape(std::move(shape));
    // Nobody asked for this view: a locked file is no reason to hold the window up.
    db.setWaitForLocks(false);
    readView(db, std::vector<Equality>(), false);
}

std::vector<qint64> ViewQuery::dataVersions(Database& db) const
{
    // The view's file and every file its condition reads: another program's commit to any
    // of them moves that file's data version.
    QStringList schemas{schema_};
    for (const QString& file : shape_.condition.dependsOn)
        schemas << schemaOfFile(file);
    std::vector<qint64> versions;
    for (const QString& schema : schemas) {
        Statement dataVersion(db, QStringLiteral("PRAGMA %1.data_version").arg(quoteId(schema)), path_);
        versions.push_back(dataVersion.step() ? dataVersion.int64(0) : -1);
    }
    return versions;
}

std::vector<qint64> ViewQuery::readView(Database& db, const LinkValues& link, bool wanted) const
{
    const Where conditions = where(link);
    std::vector<qint64> view;
    if (conditions.none)
        return view;
    const QString sql = selectSql(conditions);
    // Another program's commit moves a file's data version, this connection's writes the
    // change count: either makes a kept view stale. Views of a link change with every master
    // move and are not kept; nor is a view read inside a transaction: a rollback takes its
    // writes back but not the change count.
    const bool keep = shape_.link.empty() && !db.inTransaction();
    QString query;
    qint64 changes = -1;
    std::vector<qint64> versions;
    if (keep) {
        query = sql;
        for (const QVariant& param : conditions.params)
            query += QLatin1Char('\x1f') + param.toString();
        versions = dataVersions(db);
        changes = db.totalChanges();
        for (auto it = keptViews_.begin(); it != keptViews_.end(); ++it) {
            if (it->query != query || it->changes != changes || it->versions != versions)
                continue;
            std::rotate(keptViews_.begin(), it, it + 1);
            return wanted ? keptViews_.front().rowids : view;
        }
    }
    if (conditions.terms.isEmpty()) {
        // The whole table: the highest row id is the row count, or near it, and a view grown
        // by doubling would copy itself and touch fresh memory many times.
        constexpr qint64 kMostReserved = qint64(1) << 22;
        Statement highest(db, QStringLiteral("SELECT max(rowid) FROM %1").arg(qualified_), path_);
        if (highest.step())
            view.reserve(size_t(std::clamp<qint64>(highest.int64(0), 0, kMostReserved)));
    }
    Statement statement(db, sql, path_);
    bindAll(statement, conditions.params);
    while (statement.step())
        view.push_back(statement.int64(0));
    if (keep) {
        // The five orders of the overview, each a copy of the view: 8 MB per million tapes.
        constexpr size_t kKeptViews = 5;
        KeptView kept{query, changes, std::move(versions), {}};
        if (wanted) {
            kept.rowids = view;
        } else {
            kept.rowids.swap(view);
            kept.rowids.shrink_to_fit(); // a selection's view grew by doubling
        }
        keptViews_.insert(keptViews_.begin(), std::move(kept));
        if (keptViews_.size() > kKeptViews)
            keptViews_.pop_back();
    }
    return view;
}

int ViewQuery::placeOf(Database& db, const LinkValues& link, qint64 rowid, int fallback) const
{
    // The view with the one record added: its place there is the place of the record after it.
    Where conditions = where(link);
    if (conditions.none || conditions.terms.isEmpty())
        return fallback;
    conditions.terms = QStringList{
        QStringLiteral("(%1) OR rowid = ?").arg(conditions.terms.join(QStringLiteral(" AND ")))};
    conditions.params.push_back(rowid);
    Statement statement(db, selectSql(conditions), path_);
    bindAll(statement, conditions.params);
    for (int index = 0; statement.step(); ++index)
        if (statement.int64(0) == rowid)
            return index;
    return fallback;
}

std::unordered_set<qint64> ViewQuery::matches(Database& db, const QString& column, const QVariant& value) const
{
    Where conditions;
    addEquality(conditions, column, value, true);
    Statement statement(db,
                        QStringLiteral("SELECT rowid FROM %1 WHERE %2")
                            .arg(qualified_, conditions.terms.join(QStringLiteral(" AND "))),
                        path_);
    bindAll(statement, conditions.params);
    std::unordered_set<qint64> rowids;
    while (statement.step())
        rowids.insert(statement.int64(0));
    return rowids;
}

namespace {
bool isTextKind(const Field& field)
{
    return field.DataType() == FieldKind::String || field.IsBlob();
}
} // namespace

namespace {
// Row ids per IN list; a stretch of the view whose row ids lie this close together is read
// by one range scan instead, which steps through the table without a lookup per record.
constexpr size_t kInListSize = 256;
constexpr qint64 kDenseFactor = 2;
} // namespace

QString ViewQuery::walkSql(const Field& field, int places) const
{
    if (walkedColumn_ != field.FieldName()) {
        walkedColumn_ = field.FieldName();
        walkSql_.clear();
    }
    QString& sql = walkSql_[places];
    if (sql.isEmpty()) {
        QString condition = QStringLiteral("rowid BETWEEN ?1 AND ?2");
        if (places > 0) {
            QStringList parameters;
            for (int i = 1; i <= places; ++i)
                parameters << QStringLiteral("?%1").arg(i);
            condition = QStringLiteral("rowid IN (%1)").arg(parameters.join(QLatin1Char(',')));
        }
        sql = QStringLiteral("SELECT rowid, %1 FROM %2 WHERE %3").arg(quoteId(field.FieldName()), qualified_, condition);
    }
    return sql;
}

int ViewQuery::firstPassing(Database& db, const Field& field, const std::vector<qint64>& rowids,
                            const std::function<bool(const QString&)>& text,
                            const std::function<std::optional<bool>(const char*, qsizetype)>& utf8, int before) const
{
    std::vector<std::pair<qint64, int>> wanted; // row id and index, ordered by row id
    for (int i = 0; i < int(rowids.size()) && i < before; ++i)
        if (rowids[size_t(i)] != 0)
            wanted.emplace_back(rowids[size_t(i)], i);
    if (wanted.empty())
        return -1;
    std::sort(wanted.begin(), wanted.end());
    // Records come in the store's order: each is tested as it comes (none after the best so
    // far), and the first in the given order wins.
    int found = before;
    const auto test = [&](Statement& select, std::vector<std::pair<qint64, int>>::const_iterator from,
                          std::vector<std::pair<qint64, int>>::const_iterator to) {
        while (select.step()) {
            const qint64 rowid = select.int64(0);
            from = std::lower_bound(from, to, std::make_pair(rowid, -1));
            if (from == to)
                break;
            if (from->first != rowid || from->second >= found)
                continue;
            std::optional<bool> verdict;
            if (utf8 && isTextKind(field) && select.columnType(1) == SQLITE_TEXT) {
                sqlite3_value* value = select.columnValue(1);
                verdict = utf8(reinterpret_cast<const char*>(sqlite3_value_text(value)), sqlite3_value_bytes(value));
            }
            if (!verdict)
                verdict = text(isTextKind(field) ? select.text(1) : field.displayText(select.value(1)));
            if (*verdict)
                found = from->second;
        }
    };
    const qint64 span = wanted.back().first - wanted.front().first + 1;
    if (wanted.size() > kInListSize && span <= kDenseFactor * qint64(wanted.size())) {
        db.mapForScans(schema_);
        Statement select(db, walkSql(field, 0), path_);
        select.bindInt(1, wanted.front().first).bindInt(2, wanted.back().first);
        test(select, wanted.cbegin(), wanted.cend());
        return found < before ? found : -1;
    }
    for (size_t first = 0; first < wanted.size(); first += kInListSize) {
        const size_t count = std::min(kInListSize, wanted.size() - first);
        // Statements take a power of two of row ids (the rest bound to NULL), so that few stay
        // prepared however the walks are cut.
        int places = 1;
        while (places < int(count))
            places *= 2;
        Statement select(db, walkSql(field, places), path_);
        for (int i = 0; i < places; ++i) {
            if (i < int(count))
                select.bindInt(i + 1, wanted[first + size_t(i)].first);
            else
                select.bindNull(i + 1);
        }
        test(select, wanted.cbegin() + std::ptrdiff_t(first), wanted.cbegin() + std::ptrdiff_t(first + count));
    }
    return found < before ? found : -1;
}

bool ViewQuery::sortKey(Database& db, qint64 rowid, SortKey& key) const
{
    // Called only for an order without collations and directions: its terms are plain columns.
    Statement statement(db, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?1").arg(orderSql_, qualified_), path_);
    statement.bindInt(1, rowid);
    if (!statement.step())
        return false;
    key.resize(shape_.order.size());
    for (int i = 0; i < int(shape_.order.size()); ++i) {
        sqlite3_value* value = statement.columnValue(i);
        SortValue& part = key[size_t(i)];
        part.type = sqlite3_value_type(value);
        if (part.type == SQLITE_INTEGER || part.type == SQLITE_FLOAT)
            part.number = sqlite3_value_double(value);
        else if (part.type != SQLITE_NULL)
            part.bytes = QByteArray(static_cast<const char*>(part.type == SQLITE_BLOB ? sqlite3_value_blob(value)
                                                                                     : sqlite3_value_text(value)),
                                    sqlite3_value_bytes(value));
    }
    return true;
}

int ViewQuery::compare(const SortKey& a, const SortKey& b)
{
    // SQLite's order with the binary collation: nulls, then numbers, then texts by their
    // UTF-8 bytes, then blobs.
    const auto rank = [](int type) { return type == SQLITE_NULL ? 0 : type == SQLITE_TEXT ? 2 : type == SQLITE_BLOB ? 3 : 1; };
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const int ra = rank(a[i].type);
        const int rb = rank(b[i].type);
        if (ra != rb)
            return ra < rb ? -1 : 1;
        if (ra == 1 && a[i].number != b[i].number)
            return a[i].number < b[i].number ? -1 : 1;
        if (ra >= 2) {
            const int c = std::memcmp(a[i].bytes.constData(), b[i].bytes.constData(),
                                      size_t(std::min(a[i].bytes.size(), b[i].bytes.size())));
            if (c != 0)
                return c;
            if (a[i].bytes.size() != b[i].bytes.size())
                return a[i].bytes.size() < b[i].bytes.size() ? -1 : 1;
        }
    }
    return 0;
}

int ViewQuery::insertionPoint(Database& db, const std::vector<qint64>& view, qint64 rowid) const
{
    for (const OrderTerm& term : shape_.order)
        if (!term.collation.isEmpty() || term.descending)
            return -1;
    SortKey key;
    SortKey probe;
    if (!sortKey(db, rowid, key))
        return -1;
    size_t low = 0;
    size_t high = view.size();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (!sortKey(db, view[middle], probe))
            return -1;
        if (compare(probe, key) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return int(low);
}

int ViewQuery::place(Database& db, const LinkValues& link, std::vector<qint64>& view, qint64 rowid, int fallback) const
{
    const auto clamp = [&view](int position) { return view.empty() ? -1 : std::clamp(position, 0, int(view.size()) - 1); };
    view.erase(std::remove(view.begin(), view.end(), rowid), view.end());
    const int at = insertionPoint(db, view, rowid);
    if (at >= 0 && selects(db, link, rowid)) {
        view.insert(view.begin() + at, rowid);
        return at;
    }
    if (at >= 0)
        return clamp(at);
    view = read(db, link);
    const auto it = std::find(view.begin(), view.end(), rowid);
    return clamp(it != view.end() ? int(it - view.begin()) : placeOf(db, link, rowid, fallback));
}

bool ViewQuery::selects(Database& db, const LinkValues& link, qint64 rowid) const
{
    Where conditions = where(link);
    if (conditions.none)
        return false;
    conditions.terms << QStringLiteral("rowid = ?");
    conditions.params.push_back(rowid);
    Statement statement(db, QStringLiteral("SELECT 1 FROM %1 WHERE %2").arg(qualified_, conditions.terms.join(QStringLiteral(" AND "))),
                        path_);
    bindAll(statement, conditions.params);
    return statement.step();
}

} // namespace engine
