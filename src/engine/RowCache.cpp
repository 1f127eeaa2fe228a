#include "RowCache.h"

#include "Statement.h"

#include <QStringList>
#include <algorithm>

namespace engine {

namespace {
// A grid page or a stretch of a walk in one query; the cache holds a few thousand records.
constexpr int kBatch = 64;
constexpr size_t kMaxRows = 8192;
} // namespace

void RowCache::configure(const QString& columnList, const QString& qualifiedTable, int columnCount,
                         const QString& context)
{
    QStringList parameters;
    for (int i = 1; i <= kBatch; ++i)
        parameters << QStringLiteral("?%1").arg(i);
    sql_ = QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid IN (%3)")
               .arg(columnList, qualifiedTable, parameters.join(QLatin1Char(',')));
    context_ = context;
    columnCount_ = columnCount;
    rows_.clear();
}

const RowCache::Row& RowCache::row(Database& db, const std::vector<qint64>& view, int position)
{
    const qint64 wanted = view.at(size_t(position));
    auto it = rows_.find(wanted);
    if (it != rows_.end())
        return it->second;
    const int begin = position - position % kBatch;
    const int end = std::min(int(view.size()), begin + kBatch);
    std::vector<qint64> missing;
    for (int i = begin; i < end; ++i)
        if (rows_.find(view[size_t(i)]) == rows_.end())
            missing.push_back(view[size_t(i)]);
    if (rows_.size() + missing.size() > kMaxRows)
        rows_.clear();
    readBatch(db, missing);
    return rows_[wanted];
}

void RowCache::readBatch(Database& db, const std::vector<qint64>& rowids)
{
    Statement select(db, sql_, context_);
    for (int i = 0; i < kBatch; ++i) {
        if (size_t(i) < rowids.size())
            select.bindInt(i + 1, rowids[size_t(i)]);
        else
            select.bindNull(i + 1);
    }
    // Every asked row id gets an entry; one the query does not return has vanished.
    for (qint64 rowid : rowids)
        rows_[rowid] = Row();
    while (select.step()) {
        Row& row = rows_[select.int64(0)];
        row.present = true;
        row.values.resize(size_t(columnCount_));
        for (int c = 0; c < columnCount_; ++c)
            row.values[size_t(c)] = select.value(c + 1);
    }
}

} // namespace engine
