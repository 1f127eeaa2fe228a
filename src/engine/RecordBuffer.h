#pragma once
// A table's current record: the record as stored (shared with the row cache) and the values
// assigned to it since its edit or insert began. Engine-internal.
#include "RowCache.h"

#include <QVariant>
#include <vector>

namespace engine {

class RecordBuffer {
public:
    /// Room for that many fields; no record, nothing assigned.
    void resize(size_t fields);
    /// No record: every field reads null.
    void clear();
    /// A stored record (null when it has vanished) with nothing assigned.
    void load(qint64 rowid, RowPtr stored);

    /// The assigned value of a field, else the stored one (null without a record).
    QVariant value(size_t field) const;
    /// The UTF-8 bytes of a field's text as stored, when nothing was assigned to it since.
    bool storedUtf8(size_t field, const char*& data, qsizetype& size) const;
    /// Assigns a value over the stored one until the next load or clear.
    void assign(size_t field, const QVariant& value);
    /// True when a value was assigned to the field since the record was loaded.
    bool isAssigned(size_t field) const { return assigned_.at(field); }
    /// The record's row id; 0 for a record not yet written.
    qint64 rowid() const { return rowid_; }
    /// A stored record that was deleted elsewhere after the view was read.
    bool vanished() const { return rowid_ != 0 && !stored_; }

private:
    RowPtr stored_;
    std::vector<QVariant> values_;
    std::vector<bool> assigned_;
    bool anyAssigned_ = false;
    qint64 rowid_ = 0;
};

} // namespace engine
