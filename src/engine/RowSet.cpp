#include "RowSet.h"

#include <algorithm>

namespace engine {

RowSet::RowSet(std::vector<qint64> ids) : sorted_(std::move(ids))
{
    std::sort(sorted_.begin(), sorted_.end());
    sorted_.erase(std::unique(sorted_.begin(), sorted_.end()), sorted_.end());
    // A bitmap costs one bit per possible id: worth it while that stays near the count.
    if (!sorted_.empty() && sorted_.front() >= 0 && sorted_.back() < 64 * (qint64(sorted_.size()) + 4096)) {
        top_ = sorted_.back();
        bits_.assign(size_t(top_) + 1, false);
        for (const qint64 id : sorted_)
            bits_[size_t(id)] = true;
    }
}

bool RowSet::contains(qint64 id) const
{
    if (top_ >= 0)
        return id >= 0 && id <= top_ && bits_[size_t(id)];
    return std::binary_search(sorted_.begin(), sorted_.end(), id);
}

} // namespace engine
