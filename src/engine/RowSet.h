#pragma once
// A set of row ids asked for membership many times over: a bitmap when the ids lie close
// together (the store hands them out in turn), else a sorted list.
#include <QtGlobal>
#include <vector>

namespace engine {

class RowSet {
public:
    /// ids in any order; duplicates are fine.
    explicit RowSet(std::vector<qint64> ids);
    bool contains(qint64 id) const;
    size_t size() const { return sorted_.size(); }

private:
    std::vector<qint64> sorted_;
    std::vector<bool> bits_; ///< by row id, when dense
    qint64 top_ = -1;
};

} // namespace engine
