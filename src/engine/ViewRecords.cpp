#include "ViewRecords.h"

#include "Database.h"
#include "Filter.h"
#include "Statement.h"
#include "Table.h"

#include <QStringList>
#include <sqlite3.h>

namespace engine {

namespace {
const QString kOrderBy = QStringLiteral(" ORDER BY ");

/// The ORDER BY clause of the query that reads the view; empty when there is none.
QString viewOrder(const Table& table)
{
    const QString sql = table.viewSql();
    const qsizetype at = sql.lastIndexOf(kOrderBy);
    return at < 0 ? QString() : sql.mid(at);
}

struct Condition {
    QString sql;
    QVariant param;
    bool bound = false;
};

/// The filter as a WHERE clause: equality with the value the field would store for the
/// filter's text (the text itself when the field cannot read it, which no stored value
/// equals); an empty value selects the records with none.
Condition filterCondition(const Table& table)
{
    if (!table.Filtered() || table.Filter().isEmpty())
        return {};
    const FilterExpression filter = parseFilter(table.Filter());
    const Field& field = table.FieldByName(filter.field);
    const QVariant value = filterValue(field, filter.value);
    const QString column = quoteId(field.FieldName());
    if (value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty()))
        return {QStringLiteral(" WHERE (%1 IS NULL OR %1 = '')").arg(column), QVariant(), false};
    return {QStringLiteral(" WHERE %1 = ?1").arg(column), value, true};
}
} // namespace

bool ViewRecords::canRead(const Table& table)
{
    const bool linked = table.MasterSource() && !table.MasterFields().trimmed().isEmpty();
    return table.Active() && !linked && !viewOrder(table).isEmpty();
}

ViewRecords::ViewRecords(Table& table, const std::vector<int>& fieldIndexes)
{
    Database& db = table.database();
    const QString schema = db.attach(table.TableName());
    // A walk through the whole file: mapped, it costs no system call per page.
    db.mapForScans(schema);
    QStringList columns;
    for (int index : fieldIndexes)
        columns << quoteId(table.Fields(index).FieldName());
    const Condition condition = filterCondition(table);
    const QString sql = QStringLiteral("SELECT %1 FROM %2.%3").arg(columns.join(QStringLiteral(", ")), quoteId(schema),
                                                                    quoteId(table.SqlName()))
                        + condition.sql + viewOrder(table);
    statement_ = std::make_unique<Statement>(db, sql, db.filePath(schema));
    if (condition.bound)
        statement_->bind(1, condition.param);
}

ViewRecords::~ViewRecords() = default;

bool ViewRecords::next()
{
    return statement_->step();
}

bool ViewRecords::utf8(int column, const char*& data, qsizetype& size) const
{
    sqlite3_value* value = statement_->columnValue(column);
    if (sqlite3_value_type(value) != SQLITE_TEXT)
        return false;
    data = reinterpret_cast<const char*>(sqlite3_value_text(value));
    size = sqlite3_value_bytes(value);
    return true;
}

QVariant ViewRecords::value(int column) const
{
    return statement_->value(column);
}

} // namespace engine
