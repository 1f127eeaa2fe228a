#include "ViewRecords.h"

#include "Database.h"
#include "Statement.h"
#include "Table.h"

#include <sqlite3.h>

namespace engine {

bool ViewRecords::canRead(const Table& table)
{
    const bool linked = table.MasterSource() && !table.MasterFields().trimmed().isEmpty();
    return table.Active() && !linked;
}

ViewRecords::ViewRecords(Table& table, const std::vector<int>& fieldIndexes)
{
    Database& db = table.database();
    const QString schema = db.attach(table.TableName());
    // A walk through the whole file: mapped, it costs no system call per page.
    db.mapForScans(schema);
    const auto [sql, params] = table.viewFieldsSql(fieldIndexes);
    statement_ = std::make_unique<Statement>(db, sql, db.filePath(schema));
    for (size_t i = 0; i < params.size(); ++i)
        statement_->bind(int(i) + 1, params[i]);
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
