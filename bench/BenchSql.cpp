#include "BenchSql.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdexcept>

namespace bench {

void bindText(sqlite3_stmt* statement, int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

int stepAll(sqlite3* db, const QString& sql, const QStringList& texts)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    for (int i = 0; i < texts.size(); ++i)
        bindText(statement, i + 1, texts.at(i));
    int rows = 0;
    const int columns = sqlite3_column_count(statement);
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
        ++rows;
    }
    sqlite3_finalize(statement);
    // A write that failed (a busy file) would leave a benchmark measuring what it did not mean to.
    if (result != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errstr(result));
    return rows;
}

} // namespace bench
