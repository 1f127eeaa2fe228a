#include "ClosingEdits.h"

#include "LanguageText.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "dbctrls/DBGrid.h"
#include "engine/Table.h"

namespace forms {

bool postBeforeClosing(std::initializer_list<dbctrls::TDBGrid*> grids, std::initializer_list<engine::Table*> tables)
{
    QString reason;
    try {
        for (dbctrls::TDBGrid* grid : grids)
            grid->commitEditor();
        for (engine::Table* table : tables)
            if (table->Active() && table->Editing())
                table->Post();
        return true;
    } catch (const core::EAbort&) {
        // The refusal was shown already (a cell's text the field does not take).
    } catch (const core::EError& error) {
        reason = error.message();
    }
    const QString question = languageText("Closing", "DropChanges", QStringLiteral("Ændringen kan ikke gemmes. Luk vinduet uden at gemme den?"));
    if (!core::dialogs().confirm(reason.isEmpty() ? question : reason + QStringLiteral("\n\r") + question,
                                 core::ConfirmButtons::YesNo))
        return false;
    for (engine::Table* table : tables)
        if (table->Active() && table->Editing())
            table->Cancel();
    return true;
}

} // namespace forms
