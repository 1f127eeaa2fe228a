#include "RecordBuffer.h"

namespace engine {

void RecordBuffer::resize(size_t fields)
{
    values_.assign(fields, QVariant());
    assigned_.assign(fields, false);
    anyAssigned_ = false;
    stored_.reset();
    rowid_ = 0;
}

void RecordBuffer::clear()
{
    load(0, nullptr);
}

void RecordBuffer::load(qint64 rowid, RowPtr stored)
{
    stored_ = std::move(stored);
    rowid_ = rowid;
    // Moving through records assigns nothing: only reset what an edit left.
    if (anyAssigned_) {
        values_.assign(values_.size(), QVariant());
        assigned_.assign(assigned_.size(), false);
        anyAssigned_ = false;
    }
}

QVariant RecordBuffer::value(size_t field) const
{
    if (assigned_.at(field))
        return values_[field];
    return stored_ ? stored_->value(int(field)) : QVariant();
}

void RecordBuffer::assign(size_t field, const QVariant& value)
{
    values_.at(field) = value;
    assigned_[field] = true;
    anyAssigned_ = true;
}

} // namespace engine
