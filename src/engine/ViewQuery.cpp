#include "ViewQuery.h"

#include "DataSource.h"
#include "Database.h"
#include "Filter.h"
#include "Statement.h"
#include "Table.h"
#include "TableMeta.h"
#include "core/Errors.h"

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

QStringList fieldList(const QString& names)
{
    QStringList result;
    for (const QString& name : names.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!name.trimmed().isEmpty())
            result << name.trimmed();
    return result;
}

Table* masterOf(const Table& table)
{
    return table.MasterSource() ? table.MasterSource()->DataSet() : nullptr;
}

/// Pairs of (detail field, master field) of a master link; the master field is null while
/// the master is closed. Missing fields throw "Field '%s' not found".
std::vector<std::pair<Field*, Field*>> linkFields(const Table& table)
{
    std::vector<std::pair<Field*, Field*>> pairs;
    Table* master = masterOf(table);
    const QStringList masterNames = fieldList(table.MasterFields());
    if (!master || masterNames.isEmpty())
        return pairs;
    QStringList detailNames = fieldList(table.IndexFieldNames());
    if (detailNames.size() < masterNames.size())
        detailNames = masterNames;
    for (int i = 0; i < masterNames.size(); ++i)
        pairs.emplace_back(&table.FieldByName(detailNames.at(i)),
                           master->Active() ? &master->FieldByName(masterNames.at(i)) : nullptr);
    return pairs;
}

bool hasCurrentRecord(const Table& table)
{
    return table.Active() && (table.Editing() || table.RecordCount() > 0);
}
} // namespace

void ViewQuery::configure(const QString& qualified, const QString& path, const TableMeta& meta)
{
    qualified_ = qualified;
    path_ = path;
    meta_ = &meta;
}

QStringList ViewQuery::fieldOrder(const Table& table, const QString& names) const
{
    const QStringList fields = fieldList(names);
    if (fields.isEmpty())
        return meta_->indexOrder(QString());
    QStringList terms;
    for (const QString& name : fields)
        terms << quoteId(table.FieldByName(name).FieldName());
    return terms << QStringLiteral("rowid");
}

std::vector<std::pair<Field*, QVariant>> ViewQuery::linkValues(const Table& table)
{
    std::vector<std::pair<Field*, QVariant>> values;
    const auto pairs = linkFields(table);
    if (pairs.empty() || !hasCurrentRecord(*masterOf(table)))
        return values;
    for (const auto& [detailField, masterField] : pairs)
        values.emplace_back(detailField, masterField->Value());
    return values;
}

void ViewQuery::addEquality(Where& where, const QString& column, const QVariant& value) const
{
    const QString quoted = quoteId(column);
    if (isEmptyValue(value)) {
        where.terms << QStringLiteral("(%1 IS NULL OR %1 = '')").arg(quoted);
        return;
    }
    if (value.typeId() == QMetaType::QString && meta_->hasSortKeyIndex(column)) {
        // Equal values have equal sort keys; naming the key lets the order's index find them.
        where.terms << quoteId(danishSortKey(column)) + QStringLiteral(" = ?");
        where.params.push_back(danishFold(value.toString()));
    }
    where.terms << quoted + QStringLiteral(" = ?");
    where.params.push_back(value);
}

ViewQuery::Where ViewQuery::where(const Table& table) const
{
    Where result;
    if (table.Filtered() && !table.Filter().isEmpty()) {
        const FilterExpression filter = parseFilter(table.Filter());
        const Field& field = table.FieldByName(filter.field);
        QVariant value = filter.value;
        try {
            value = field.storageValue(filter.value);
        } catch (const core::EConvertError&) {
            // Compared as typed: no stored value equals it.
        }
        addEquality(result, field.FieldName(), value);
    }
    const auto pairs = linkFields(table);
    if (!pairs.empty() && !hasCurrentRecord(*masterOf(table)))
        result.none = true;
    for (const auto& [detailField, masterField] : pairs) {
        if (result.none)
            break;
        const QVariant value = masterField->Value();
        if (isEmptyValue(value))
            result.none = true;
        else
            addEquality(result, detailField->FieldName(), value);
    }
    return result;
}

QString ViewQuery::select(const Where& where) const
{
    QString sql = QStringLiteral("SELECT rowid FROM %1").arg(qualified_);
    if (!where.terms.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.terms.join(QStringLiteral(" AND "));
    return sql + QStringLiteral(" ORDER BY ") + order_.join(QStringLiteral(", "));
}

QString ViewQuery::sql(const Table& table) const
{
    const Where conditions = where(table);
    return conditions.none ? QString() : select(conditions);
}

std::vector<qint64> ViewQuery::read(Database& db, const Table& table) const
{
    const Where conditions = where(table);
    std::vector<qint64> view;
    if (conditions.none)
        return view;
    Statement statement(db, select(conditions), path_);
    bindAll(statement, conditions.params);
    while (statement.step())
        view.push_back(statement.int64(0));
    return view;
}

int ViewQuery::placeOf(Database& db, const Table& table, qint64 rowid, int fallback) const
{
    // The view with the one record added: its place there is the place of the record after it.
    Where conditions = where(table);
    if (conditions.none || conditions.terms.isEmpty())
        return fallback;
    conditions.terms = QStringList{
        QStringLiteral("(%1) OR rowid = ?").arg(conditions.terms.join(QStringLiteral(" AND ")))};
    conditions.params.push_back(rowid);
    Statement statement(db, select(conditions), path_);
    bindAll(statement, conditions.params);
    for (int index = 0; statement.step(); ++index)
        if (statement.int64(0) == rowid)
            return index;
    return fallback;
}

std::unordered_set<qint64> ViewQuery::matches(Database& db, const Field& field, const QVariant& value) const
{
    Where conditions;
    addEquality(conditions, field.FieldName(), value);
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

std::unordered_map<qint64, QVariant> ViewQuery::columnOf(Database& db, const QString& column,
                                                         const std::vector<qint64>& rowids) const
{
    // One statement for any number of rows: the same SQL each time, so it stays prepared.
    constexpr size_t kRows = 256;
    QStringList parameters;
    for (size_t i = 1; i <= kRows; ++i)
        parameters << QStringLiteral("?%1").arg(i);
    const QString sql = QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid IN (%3)")
                            .arg(quoteId(column), qualified_, parameters.join(QLatin1Char(',')));
    std::unordered_map<qint64, QVariant> values;
    for (size_t begin = 0; begin < rowids.size(); begin += kRows) {
        Statement select(db, sql, path_);
        for (size_t i = 0; i < kRows; ++i) {
            if (begin + i < rowids.size())
                select.bindInt(int(i) + 1, rowids[begin + i]);
            else
                select.bindNull(int(i) + 1);
        }
        while (select.step())
            values[select.int64(0)] = select.value(1);
    }
    return values;
}

bool ViewQuery::dependsOn(const Table& table, const QString& column) const
{
    const QString used = order_.join(QLatin1Char(' ')) + QLatin1Char(' ') + where(table).terms.join(QLatin1Char(' '));
    return used.contains(quoteId(column));
}

} // namespace engine
