#include "CastPrompts.h"

#include "locale/Languages.h"

namespace forms {

namespace {
const QString kRoleCaption = QStringLiteral("Rolle eller navn i filmen");
const QString kRolePrefix = QStringLiteral("Hvilken rolle har ");
} // namespace

const CastPrompts& castPrompts(int languageIndex)
{
    static const locale::PerLanguage<CastPrompts> prompts = {
        CastPrompts{QStringLiteral("Tilføj en skuespiller"), QStringLiteral("Hvad hedder skuespilleren:"), kRoleCaption,
         QStringLiteral("Hvilken rolle har skuespilleren:"), QStringLiteral("Vil du slette skuespilleren "),
         kRoleCaption, kRolePrefix},
        CastPrompts{QStringLiteral("Add an actor"), QStringLiteral("Type the name of the actor:"),
         QStringLiteral("Part or name in movie"), QStringLiteral("Which part does the actor play:"),
         QStringLiteral("Do you really want to erase the actor "), kRoleCaption, kRolePrefix},
        CastPrompts{QStringLiteral("Tilføy en skuespiller"), QStringLiteral("Hvad hedder skuespilleren:"), kRoleCaption,
         QStringLiteral("Hvilken rolle har skuespilleren:"), QStringLiteral("Vil du fjerne skuespilleren "),
         kRoleCaption, kRolePrefix},
        CastPrompts{QStringLiteral("Tilføj en skådespelare"), QStringLiteral("Namn på skådespelaren:"),
         QStringLiteral("Rolle eller namn i filmen"), QStringLiteral("Hvilken rolle har skådespelaren:"),
         QStringLiteral("Vil du radera skådespelaren "), kRoleCaption, kRolePrefix},
        CastPrompts{QStringLiteral("Einen neuen Schauspieler hinzufügen"), QStringLiteral("Wie heisst der Schauspieler?"),
         QStringLiteral("Rolle oder Name im Film"), QStringLiteral("Welche Rolle hat der Schauspieler?"),
         QStringLiteral("Möchten Sie den Schauspieler löschen? "), QStringLiteral("Rolle oder Name im Film"),
         QStringLiteral("Welche Rolle hat ")},
    };
    return prompts[languageIndex];
}

} // namespace forms
