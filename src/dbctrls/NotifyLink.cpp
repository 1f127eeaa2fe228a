#include "NotifyLink.h"

#include "core/Guard.h"
#include "engine/Table.h"

namespace dbctrls {

namespace {
void run(const std::function<void()>& callback)
{
    if (callback)
        core::guarded(callback);
}
} // namespace

engine::Table* TNotifyLink::activeTable() const
{
    engine::Table* table = dataSet();
    return table && table->Active() ? table : nullptr;
}

void TNotifyLink::activeChanged()
{
    run(onActiveChanged);
}

void TNotifyLink::dataSetChanged()
{
    run(onDataSetChanged);
}

void TNotifyLink::dataSetScrolled()
{
    run(onScrolled);
}

void TNotifyLink::recordChanged(engine::Field* field)
{
    if (onRecordChanged)
        core::guarded([&] { onRecordChanged(field); });
}

void TNotifyLink::editingChanged()
{
    run(onEditingChanged);
}

void TNotifyLink::updateData()
{
    if (onUpdateData)
        onUpdateData();
}

} // namespace dbctrls
