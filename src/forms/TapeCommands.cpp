#include "TapeCommands.h"

#include "RegForm.h"
#include "data/DM.h"
#include "data/Fields.h"
#include "dbctrls/DBLookupComboBox.h"
#include "engine/Field.h"
#include "engine/Table.h"

namespace forms {

namespace fields = data::fields;

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
    list.setKeyField(fields::Titel);
    list.setListField(fields::Titel);
}

} // namespace forms
