#include "Table.h"
#include "TableImpl.h"

#include "Database.h"
#include "Statement.h"
#include "core/Errors.h"

#include <QHash>
#include <algorithm>
#include <sqlite3.h>

namespace engine {

namespace {
// Rows tested per step when a search walks the view: few at first, since a hit is often
// near (find-next over a word that many records hold), then twice as many each time, up to
// stretches long enough for a range scan of the table.
constexpr int kSearchBatch = 32768;
constexpr int kFirstSearchBatch = 8;
} // namespace

bool Table::testCurrent(const Field& field, const TextTest& test) const
{
    // The buffer shows the stored value unless the field was assigned since the edit began.
    const char* data = nullptr;
    qsizetype size = 0;
    const bool text = field.DataType() == FieldKind::String || field.IsBlob();
    if (test.utf8 && text && d_->record.storedUtf8(size_t(field.Index()), data, size))
        if (const std::optional<bool> verdict = test.utf8(data, size))
            return *verdict;
    return test.text(field.AsString());
}

int Table::FindRow(int fromRow, int fieldIndex, const std::function<bool(const QString&)>& test) const
{
    return FindRow(fromRow, fieldIndex, TextTest{test, {}, nullptr});
}

int Table::FindRow(int fromRow, int fieldIndex, const TextTest& test) const
{
    return FindRow(fromRow, RowCount(), fieldIndex, test);
}

int Table::FindRow(int fromRow, int endRow, int fieldIndex, const TextTest& test) const
{
    if (!Active() || fieldIndex < 0 || fieldIndex >= FieldCount())
        return -1;
    const Field& field = *fields_[size_t(fieldIndex)];
    const bool inserting = state_ == DataSetState::Insert;
    const int rows = std::min(RowCount(), endRow);
    const int current = CurrentRow();
    int begin = std::max(0, fromRow);
    if (test.candidates)
        return findAmongCandidates(begin, rows, field, test);
    // The current record shows its buffer, which may hold changes not yet posted; a walk
    // that starts on it needs no query when it matches.
    if (begin == current && begin < rows) {
        if (testCurrent(field, test))
            return current;
        ++begin;
    }
    std::vector<qint64> rowids; // of rows begin..end; 0 for the current and the inserted record
    for (int size = kFirstSearchBatch; begin < rows; begin += size, size = std::min(2 * size, kSearchBatch)) {
        const int end = std::min(rows, begin + size);
        rowids.clear();
        for (int row = begin; row < end; ++row)
            rowids.push_back(row == current ? 0 : d_->rowidAt(row, inserting));
        const int before = (current >= begin && current < end && testCurrent(field, test)) ? current - begin : end - begin;
        const int found = d_->query.firstPassing(db_, field, rowids, test.text, test.utf8, before);
        if (found >= 0)
            return begin + found;
        if (before < end - begin)
            return current;
    }
    return -1;
}

int Table::findAmongCandidates(int begin, int rows, const Field& field, const TextTest& test) const
{
    const RowSet& candidates = *test.candidates;
    const bool inserting = state_ == DataSetState::Insert;
    const int current = CurrentRow();
    std::vector<qint64> batch;
    std::vector<int> positions;
    const auto testBatch = [&]() {
        if (batch.empty())
            return -1;
        const int found = d_->query.firstPassing(db_, field, batch, test.text, test.utf8, int(batch.size()));
        const int row = found >= 0 ? positions[size_t(found)] : -1;
        batch.clear();
        positions.clear();
        return row;
    };
    size_t size = kFirstSearchBatch;
    for (int row = begin; row < rows; ++row) {
        if (row == current) {
            // The buffer may hold changes not yet posted: tested in its turn, whatever the index says.
            if (const int found = testBatch(); found >= 0)
                return found;
            if (testCurrent(field, test))
                return current;
            continue;
        }
        const qint64 id = d_->rowidAt(row, inserting);
        if (id == 0 || !candidates.contains(id))
            continue;
        batch.push_back(id);
        positions.push_back(row);
        if (batch.size() >= size) {
            if (const int found = testBatch(); found >= 0)
                return found;
            size = std::min(2 * size, size_t(kSearchBatch));
        }
    }
    return testBatch();
}

namespace {
// The query for the full-text index: every distinct three-character run of the key (at most
// a dozen, spread over it), all required in the one column. Nothing for a key shorter than
// three characters or holding what the index may read otherwise than the search does.
std::optional<QString> trigramQuery(const QString& column, const QString& key)
{
    const QList<uint> codes = key.toUcs4();
    if (codes.size() < 3)
        return std::nullopt;
    for (const uint code : codes)
        if (code == 0 || code == 0xFFFD) // a stored text with bad bytes decodes to U+FFFD
            return std::nullopt;
    QStringList runs;
    const int count = int(codes.size()) - 2;
    constexpr int kMostRuns = 12;
    const int step = std::max(1, (count + kMostRuns - 1) / kMostRuns);
    for (int i = 0; i < count; i += step) {
        const char32_t run[3] = {char32_t(codes[i]), char32_t(codes[i + 1]), char32_t(codes[i + 2])};
        QString token = QString::fromUcs4(run, 3);
        token.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        token = QLatin1Char('"') + token + QLatin1Char('"');
        if (!runs.contains(token))
            runs << token;
    }
    return QStringLiteral("{%1} : (%2)").arg(column, runs.join(QStringLiteral(" AND ")));
}
} // namespace

std::shared_ptr<const RowSet> Table::TextCandidates(int fieldIndex, const QString& key) const
{
    if (!Active() || fieldIndex < 0 || fieldIndex >= FieldCount())
        return nullptr;
    const Database::TextIndex index = db_.textIndex(sqlName_);
    const QString column = fields_[size_t(fieldIndex)]->FieldName();
    if (index.table.isEmpty() || !index.columns.contains(column, Qt::CaseInsensitive))
        return nullptr;
    const std::optional<QString> query = trigramQuery(column, key);
    if (!query)
        return nullptr;
    Impl::Candidates& cache = d_->candidates;
    try {
        // Another program's commit moves the file's data version, this connection's writes
        // the change count: either makes the last answer stale.
        Statement version(db_, QStringLiteral("PRAGMA %1.data_version").arg(quoteId(sqlName_)), d_->path);
        const qint64 dataVersion = version.step() ? version.int64(0) : -1;
        const qint64 changes = db_.totalChanges();
        if (cache.field == fieldIndex && cache.key == key && cache.changes == changes && cache.version == dataVersion)
            return cache.rows;
        cache.field = -1;
        std::vector<qint64> rowids;
        Statement select(db_, QStringLiteral("SELECT rowid FROM %1.%2 WHERE %2 MATCH ?1").arg(quoteId(sqlName_), quoteId(index.table)),
                         d_->path);
        select.bindText(1, *query);
        while (select.step())
            rowids.push_back(select.int64(0));
        cache = {fieldIndex, key, changes, dataVersion, std::make_shared<const RowSet>(std::move(rowids))};
        return cache.rows;
    } catch (const core::EDatabaseError&) {
        // A damaged index is not trusted: searches walk for the rest of the run.
        db_.setTextIndex(sqlName_, {});
        cache.field = -1;
        return nullptr;
    }
}

} // namespace engine
