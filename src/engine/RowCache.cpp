#include "RowCache.h"

#include "Statement.h"

#include <QStringList>
#include <algorithm>
#include <cstring>
#include <sqlite3.h>
#include <string>

namespace engine {

namespace {
// A grid page or a stretch of a walk in one query; the cache holds a few grid pages.
constexpr int kBatch = 128;
constexpr size_t kMaxBatches = 8;
} // namespace

void RowCache::readCell(sqlite3_value* value, StoredRow::Cell& cell, std::string& bytes, size_t rows)
{
    cell.type = sqlite3_value_type(value);
    if (cell.type == SQLITE_INTEGER) {
        cell.number = sqlite3_value_int64(value);
    } else if (cell.type == SQLITE_FLOAT) {
        const double real = sqlite3_value_double(value);
        std::memcpy(&cell.number, &real, sizeof real);
    } else if (cell.type != SQLITE_NULL) {
        const void* data = cell.type == SQLITE_BLOB ? sqlite3_value_blob(value) : sqlite3_value_text(value);
        cell.size = sqlite3_value_bytes(value);
        cell.offset = int(bytes.size());
        if (bytes.capacity() < bytes.size() + size_t(cell.size)) // room for the batch at this size
            bytes.reserve(std::max(2 * bytes.capacity(), (bytes.size() + size_t(cell.size)) * rows));
        bytes.append(static_cast<const char*>(data), size_t(cell.size));
    }
}

struct RowCache::Batch {
    std::string bytes;
    std::vector<StoredRow> rows;
    std::vector<std::pair<qint64, int>> index; // row id -> row, or -1 when it has vanished; sorted
};

QVariant StoredRow::value(int column) const
{
    const Cell& cell = cells_.at(column);
    switch (cell.type) {
    case SQLITE_INTEGER:
        return QVariant(cell.number);
    case SQLITE_FLOAT: {
        double real = 0;
        std::memcpy(&real, &cell.number, sizeof real);
        return QVariant(real);
    }
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(data_ + cell.offset, cell.size));
    case SQLITE_BLOB:
        return QVariant(QByteArray(data_ + cell.offset, cell.size));
    default:
        return QVariant();
    }
}

bool StoredRow::utf8(int column, const char*& data, qsizetype& size) const
{
    const Cell& cell = cells_.at(column);
    if (cell.type != SQLITE_TEXT)
        return false;
    data = data_ + cell.offset;
    size = cell.size;
    return true;
}

void RowCache::configure(const QString& columnList, const QString& qualifiedTable, int columnCount,
                         const QString& context)
{
    // The same for every table, and building it cost more than the rest of the set-up.
    static const QString parameters = [] {
        QStringList list;
        for (int i = 1; i <= kBatch; ++i)
            list << QStringLiteral("?%1").arg(i);
        return list.join(QLatin1Char(','));
    }();
    sql_ = QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid IN (%3)").arg(columnList, qualifiedTable, parameters);
    rangeSql_ = QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid BETWEEN ?1 AND ?2").arg(columnList, qualifiedTable);
    context_ = context;
    columnCount_ = columnCount;
    batches_.clear();
}

RowPtr RowCache::find(qint64 rowid)
{
    for (auto it = batches_.begin(); it != batches_.end(); ++it) {
        const auto& index = (*it)->index;
        const auto hit = std::lower_bound(index.begin(), index.end(), std::pair<qint64, int>(rowid, -1));
        if (hit == index.end() || hit->first != rowid)
            continue;
        std::shared_ptr<Batch> batch = *it;
        if (it != batches_.begin()) {
            batches_.erase(it);
            batches_.push_front(batch);
        }
        if (hit->second < 0)
            return RowPtr();
        return RowPtr(batch, &batch->rows[size_t(hit->second)]);
    }
    return nullptr;
}

RowPtr RowCache::row(Database& db, const std::vector<qint64>& view, int position)
{
    const qint64 wanted = view.at(size_t(position));
    if (!batches_.empty()) {
        // A vanished row is cached as such; find() cannot tell it from an unread one.
        for (const auto& batch : batches_) {
            const auto& index = batch->index;
            const auto hit = std::lower_bound(index.begin(), index.end(), std::pair<qint64, int>(wanted, -1));
            if (hit != index.end() && hit->first == wanted)
                return find(wanted);
        }
    }
    const int begin = position - position % kBatch;
    const int end = std::min(int(view.size()), begin + kBatch);
    batches_.push_front(readBatch(db, std::vector<qint64>(view.begin() + begin, view.begin() + end)));
    if (batches_.size() > kMaxBatches)
        batches_.pop_back();
    return find(wanted);
}

void RowCache::forget(qint64 rowid)
{
    batches_.erase(std::remove_if(batches_.begin(), batches_.end(),
                                  [rowid](const std::shared_ptr<Batch>& batch) {
                                      return std::binary_search(
                                          batch->index.begin(), batch->index.end(), std::pair<qint64, int>(rowid, -1),
                                          [](const auto& a, const auto& b) { return a.first < b.first; });
                                  }),
                   batches_.end());
}

std::shared_ptr<RowCache::Batch> RowCache::readBatch(Database& db, const std::vector<qint64>& rowids) const
{
    auto batch = std::make_shared<Batch>();
    // Every asked row id gets an entry; one the query does not return has vanished.
    for (qint64 rowid : rowids)
        batch->index.emplace_back(rowid, -1);
    std::sort(batch->index.begin(), batch->index.end());
    batch->rows.reserve(rowids.size());
    if (batch->index.empty())
        return batch;
    // Row ids close together (a walk in the order the records were added) are read by one
    // range scan, which steps through the table instead of looking each one up.
    const qint64 low = batch->index.front().first;
    const qint64 high = batch->index.back().first;
    const bool range = high - low < 2 * qint64(rowids.size());
    Statement select(db, range ? rangeSql_ : sql_, context_);
    if (range) {
        select.bindInt(1, low).bindInt(2, high);
    } else {
        for (int i = 0; i < kBatch; ++i) {
            if (size_t(i) < rowids.size())
                select.bindInt(i + 1, rowids[size_t(i)]);
            else
                select.bindNull(i + 1);
        }
    }
    while (select.step()) {
        const qint64 rowid = select.int64(0);
        const auto slot = std::lower_bound(batch->index.begin(), batch->index.end(), std::pair<qint64, int>(rowid, -1));
        if (slot == batch->index.end() || slot->first != rowid)
            continue; // in the range, not asked for
        StoredRow row;
        row.cells_.resize(columnCount_);
        for (int c = 0; c < columnCount_; ++c)
            readCell(select.columnValue(c + 1), row.cells_[c], batch->bytes, rowids.size());
        slot->second = int(batch->rows.size());
        batch->rows.push_back(std::move(row));
    }
    // The buffer has stopped growing: the rows can point into it now.
    for (StoredRow& row : batch->rows)
        row.data_ = batch->bytes.data();
    return batch;
}

} // namespace engine
