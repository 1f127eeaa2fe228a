#include "TapeCommands.h"

#include "RegForm.h"
#include "data/DM.h"
#include "dbctrls/DBLookupComboBox.h"
#include "engine/Field.h"
#include "engine/Table.h"

namespace forms {

void newVideo(data::TDM& dm, TRegForm& regForm)
{
    dm.insertNewTape();
    regForm.exec();
}

void editChosenTape(TRegForm& regForm)
{
    regForm.exec();
}

void setUpTitleList(dbctrls::TDBLookupComboBox& list, data::TDM& dm)
{
    list.setListSource(dm.VideoSource);
    list.setKeyField(QStringLiteral("Titel"));
    list.setListField(QStringLiteral("Titel"));
}

} // namespace forms
