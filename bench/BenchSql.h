#pragma once
// Hand-written SQL for the baselines: no engine between the benchmark and SQLite.
#include <QString>
#include <QStringList>

struct sqlite3;
struct sqlite3_stmt;

namespace bench {

/// Binds a text parameter (1-based) as UTF-8.
void bindText(sqlite3_stmt* statement, int index, const QString& text);
/// Runs a statement with these text parameters to its end, reading every column as text;
/// returns the row count. Throws std::runtime_error when it does not prepare or fails.
int stepAll(sqlite3* db, const QString& sql, const QStringList& texts = {});

} // namespace bench
