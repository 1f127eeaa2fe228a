#include "RecordActions.h"

#include "core/Dialogs.h"
#include "engine/Table.h"

namespace dbctrls {

QString deleteQuestion()
{
    return QStringLiteral("Slet denne post?");
}

bool confirmAndDelete(engine::Table& table)
{
    if (!core::dialogs().confirm(deleteQuestion(), core::ConfirmButtons::OkCancel))
        return false;
    if (table.State() == engine::DataSetState::Insert)
        table.Cancel();
    else
        table.Delete();
    return true;
}

} // namespace dbctrls
