#include "FieldDataLink.h"

#include "core/Errors.h"
#include "core/Guard.h"
#include "engine/Field.h"
#include "engine/Table.h"

#include <QScopedValueRollback>

namespace dbctrls {

void TFieldDataLink::setFieldName(const QString& name)
{
    fieldName_ = name;
    reset();
}

engine::Field* TFieldDataLink::field() const
{
    engine::Table* table = dataSet();
    if (!table || !table->Active() || fieldName_.isEmpty())
        return nullptr;
    return table->FindField(fieldName_);
}

bool TFieldDataLink::edit()
{
    if (!field())
        return false;
    engine::Table* table = dataSet();
    if (!table->Editing()) {
        QScopedValueRollback<bool> quiet(starting_, true);
        table->Edit();
    }
    return table->Editing();
}

bool TFieldDataLink::editing() const
{
    engine::Table* table = dataSet();
    return table && table->Editing();
}

void TFieldDataLink::userEdited()
{
    const bool started = core::guarded([this] {
        if (!edit())
            throw core::EAbort();
        modified_ = true;
    });
    if (!started)
        reset();
}

void TFieldDataLink::reset()
{
    modified_ = false;
    if (onDataChange)
        core::guarded(onDataChange);
}

void TFieldDataLink::updateRecord()
{
    if (!modified_ || !field())
        return;
    if (onUpdateData)
        onUpdateData();
    modified_ = false;
}

void TFieldDataLink::activeChanged()
{
    reset();
    if (onStateChange)
        core::guarded(onStateChange);
}

void TFieldDataLink::dataSetChanged()
{
    recordChanged(nullptr);
}

void TFieldDataLink::dataSetScrolled()
{
    recordChanged(nullptr);
}

void TFieldDataLink::recordChanged(engine::Field* changed)
{
    if (starting_)
        return;
    if (changed == nullptr || changed == field())
        reset();
}

void TFieldDataLink::editingChanged()
{
    if (onStateChange)
        core::guarded(onStateChange);
}

void TFieldDataLink::updateData()
{
    // Runs inside the engine's post: an error here must stop the post, so it passes.
    updateRecord();
}

} // namespace dbctrls
