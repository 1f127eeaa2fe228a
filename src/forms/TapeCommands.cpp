#include "TapeCommands.h"

#include "LanguageText.h"
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

void editScannedTape(TRegForm& regForm)
{
    regForm.startOnNavigator();
    regForm.exec();
}

bool goToTape(data::TDM& dm, const QString& code)
{
    engine::Table& video = *dm.VideoTable;
    // A table without the field (an older catalogue not yet upgraded) finds tape numbers only.
    const QString ean = QLatin1String(fields::EAN);
    const auto locate = [&] {
        return video.Locate(QLatin1String(fields::TapeNr), code) || (video.FindField(ean) && video.Locate(ean, code));
    };
    if (locate())
        return true;
    if (!video.Filtered())
        return false;
    const engine::Table::Bookmark mark = video.GetBookmark();
    video.SetFiltered(false);
    if (locate())
        return true;
    video.SetFiltered(true);
    video.GotoBookmark(mark);
    return false;
}

QString unknownTapeText(const QString& code)
{
    return languageText("Scan", "UnknownTape", QStringLiteral("Intet bånd i kataloget har nummeret eller stregkoden \"%1\"."))
        .arg(code);
}

void setUpTitleList(dbctrls::TDBLookupComboBox& list, data::TDM& dm)
{
    list.setListSource(dm.VideoSource);
    list.setKeyField(fields::Titel);
    list.setListField(fields::Titel);
}

} // namespace forms
