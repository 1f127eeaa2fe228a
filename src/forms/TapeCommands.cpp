#include "TapeCommands.h"

#include "RegForm.h"
#include "data/DM.h"
#include "dbctrls/DBLookupComboBox.h"
#include "engine/Field.h"
#include "engine/Table.h"

namespace forms {

QString insertNewTape(data::TDM& dm)
{
    engine::Table& video = *dm.VideoTable;
    video.Last();
    const QString number = dm.NextTapeNumber();
    video.Insert();
    video.FieldByName(QStringLiteral("TapeNr")).SetAsString(number);
    video.FieldByName(QStringLiteral("Udlaan")).SetAsString(QStringLiteral("Nej"));
    return number;
}

void newVideo(data::TDM& dm, TRegForm& regForm)
{
    insertNewTape(dm);
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
