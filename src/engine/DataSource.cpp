#include "DataSource.h"

#include "Table.h"

#include <algorithm>

namespace engine {

DataLink::~DataLink()
{
    setDataSource(nullptr);
}

void DataLink::setDataSource(DataSource* source)
{
    if (source_ == source)
        return;
    if (source_)
        source_->removeLink(this);
    source_ = source;
    if (source_)
        source_->addLink(this);
}

Table* DataLink::dataSet() const
{
    return source_ ? source_->DataSet() : nullptr;
}

DataSource::DataSource(Table* table, QObject* parent) : QObject(parent)
{
    SetDataSet(table);
}

DataSource::~DataSource()
{
    const auto links = links_;
    for (DataLink* link : links)
        link->setDataSource(nullptr);
    // The details lose their master without re-reading: they may be going away too.
    for (Table* detail : details_)
        detail->masterSource_ = nullptr;
    details_.clear();
    if (table_)
        table_->removeDataSource(this);
}

void DataSource::SetDataSet(Table* table)
{
    if (table_ == table)
        return;
    if (table_)
        table_->removeDataSource(this);
    table_ = table;
    if (table_)
        table_->addDataSource(this);
    notifyActiveChanged();
}

void DataSource::addLink(DataLink* link)
{
    if (std::find(links_.begin(), links_.end(), link) == links_.end())
        links_.push_back(link);
}

void DataSource::removeLink(DataLink* link)
{
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

std::vector<DataLink*> DataSource::orderedLinks() const
{
    // Single-field controls before grids; within each kind the link bound last first.
    std::vector<DataLink*> ordered;
    ordered.reserve(links_.size());
    for (DataLink::Kind kind : {DataLink::Kind::Field, DataLink::Kind::Grid})
        for (auto it = links_.rbegin(); it != links_.rend(); ++it)
            if ((*it)->linkKind() == kind)
                ordered.push_back(*it);
    return ordered;
}

template <typename Call>
void DataSource::forEachLink(Call call)
{
    // A control may unbind itself or others while it is told.
    for (DataLink* link : orderedLinks())
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            call(link);
}

void DataSource::refreshDetails()
{
    const auto details = details_;
    for (Table* detail : details)
        if (std::find(details_.begin(), details_.end(), detail) != details_.end())
            detail->masterChanged();
}

void DataSource::notifyActiveChanged()
{
    refreshDetails();
    forEachLink([](DataLink* link) { link->activeChanged(); });
}

void DataSource::notifyDataSetChanged()
{
    refreshDetails();
    forEachLink([](DataLink* link) { link->dataSetChanged(); });
}

void DataSource::notifyScrolled()
{
    refreshDetails();
    forEachLink([](DataLink* link) { link->dataSetScrolled(); });
}

void DataSource::notifyRecordChanged(Field* field)
{
    const auto details = details_;
    for (Table* detail : details)
        if (std::find(details_.begin(), details_.end(), detail) != details_.end())
            detail->masterFieldChanged(field);
    forEachLink([field](DataLink* link) { link->recordChanged(field); });
}

void DataSource::notifyEditingChanged()
{
    forEachLink([](DataLink* link) { link->editingChanged(); });
}

void DataSource::notifyUpdateData()
{
    forEachLink([](DataLink* link) { link->updateData(); });
}

void DataSource::addDetail(Table* detail)
{
    if (std::find(details_.begin(), details_.end(), detail) == details_.end())
        details_.push_back(detail);
}

void DataSource::removeDetail(Table* detail)
{
    details_.erase(std::remove(details_.begin(), details_.end(), detail), details_.end());
}

} // namespace engine
