#include "LookupMembers.h"

#include "data/DM.h"
#include "data/Fields.h"

namespace forms {

namespace fields = data::fields;

namespace {

// The texts are the program's own, odd spellings included; they are shown exactly so.
const LookupMemberInfo kMembers[] = {
    {LookupMember::Category, "TKatForm", "KatForm", &data::TDM::KatTable, &data::TDM::KatSource, fields::Kategori,
     "Kategorier", QSize(225, 345), std::nullopt,
     {"Tilfj1", "Tilføj", "Tilfj1Click"},
     {"Sletaktuellekategori1", "Slet", "Sletaktuellekategori1Click"},
     std::nullopt,
     locale::LanguageTexts::same("Tilføj ny kategori"),
     locale::LanguageTexts::same("Hvad skal kategorien hedde:"),
     TextChoice::ByName,
     {"Vil du slette kategorien ", "Do you really want to erase this category ", "Vil du fjerne kategorien ",
       "Vil du radera kategorien ", "Möchten Sie dieser Kategorie löschen? "},
     {"Tilføj", "Add", "Tilføy", "Lägg till", "Hinzufügen"},
     {"Slet", "Erase", "Fjern", "Radera", "Löschen"},
     {"Kategori", "Category", "Kategori", "Kategori", "Kategorie"},
     locale::LanguageTexts{"Kategorier", "Categories", "Kategorier", "Kategorier", "Kategorien"},
     true},
    {LookupMember::Type, "TTyperForm", "TyperForm", &data::TDM::TypeTable, &data::TDM::TypeSource, fields::Type, "Typer",
     QSize(130, 292), std::nullopt,
     {"Tilfj1", "&Tilføj", "Tilfj1Click"},
     {"Slet1", "&Slet", "Slet1Click"},
     std::nullopt,
     {"Tilføj ny type", "Add new type", "Tilføy ny type", "Tilföj ny type", "Neuen Typ hinzufügen"},
     {"Hvad skal typen hedde:", "Hvad skal typen hedde:", "Hvad skal typen hedde:", "Hvad skal typen hedde:",
       "Wie heisst der Typ:"},
     TextChoice::ByName,
     {"Vil du slette typen ", "Do you really want to erase this type ", "Vil du fjerne typen ",
       "Vil du radera typen ", "Möchten Sie diesen Typ löschen? "},
     {"Tilføj", "Add", "Tilføy", "Lägg till", "Hinzufügen"},
     {"Slet", "Erase", "Fjern", "Radera", "Löschen"},
     {"Typer", "Types", "Typer", "Typer", "Typen"},
     std::nullopt,
     false},
    {LookupMember::Director, "TInstruktorForm", "InstruktorForm", &data::TDM::InstruktorTable,
     &data::TDM::InstruktorSource, fields::Instruktor, "Instruktør", QSize(227, 375), std::nullopt,
     {"Tilfoj1", "Tilføj", "Tilfoj1Click"},
     {"Slet1", "Slet", "Slet1Click"},
     std::make_pair("Instruktor", "Instruktør"),
     locale::LanguageTexts::same("Tilføj ny instruktør"),
     locale::LanguageTexts::same("Hvad hedder instruktøren:"),
     TextChoice::ByIndex,
     {"Vil du slette instruktøren ", "Do you really want to erase the instructor ", "Vil du slette instruktøren ",
       "Vil du radera instruktören ", "Wollen Sie den Regisseur löschen? "},
     {"Tilføj", "Add", "Tilføy", "Lägg till", "Hinzufügen"},
     {"Slet", "Delete", "Fjern", "Radera", "Löschen"},
     {"Instruktør", "Director", "Instruktør", "Instruktör", "Regisseure"},
     std::nullopt,
     false},
    {LookupMember::Actor, "TFormSkuespil", "FormSkuespil", &data::TDM::SkuespilTable, &data::TDM::SkuespilSource,
     fields::Skuespiller, "Skuespillere", QSize(228, 480), std::nullopt,
     {"Tilfoj1", "Tilføj", "Tilfoj1Click"},
     {"Slet1", "Slet", "Slet1Click"},
     std::nullopt,
     {"Tilføj ny skuespiller", "Add new actor", "Tilføj ny skuespiller", "Tilføj ny skuespiller",
       "Einen neuen Schauspieler hinzufügen"},
     {"Hvad hedder skuespilleren:", "Name of actor:", "Hvad hedder skuespilleren:", "Hvad hedder skuespilleren:",
       "Wie heisst der Schauspieler?"},
     TextChoice::ByIndex,
     {"Vil du slette skuespilleren ", "Do you really want to erase the actor ", "Vil du fjerne skuespilleren ",
       "Vil du radera skådespelaren ", "Möchten Sie den Schauspieler löschen? "},
     {"Tilføj", "Add", "Tilføy", "Lägg till", "Hinzufügen"},
     {"Slet", "Erase", "Fjern", "Radera", "Löschen"},
     {"Skuespiller", "Actor", "Skuespiller", "Skådespelare", "Schauspieler"},
     std::nullopt,
     false},
    {LookupMember::RecordedBy, "TOptagerForm", "OptagerForm", &data::TDM::OptagetTable, &data::TDM::OptagetSource,
     fields::Optagetaf, "Optaget af", QSize(230, 375), QPoint(192, 113),
     {"Tilfoj1", "Tilføj", "Tilfoj1Click"},
     {"Slet1", "Slet", "Slet1Click"},
     std::nullopt,
     locale::LanguageTexts::same("Tilføj et navn"),
     locale::LanguageTexts::same("Skriv personens navn:"),
     TextChoice::ByName,
     {"Vil du slette navnet ", "Do you really want to erase this name ", "Vil du fjerne navnet ",
       "Vil du radera namnet ", "Möchten Sie dieser Nahme löschen? "},
     {"Tilføj", "Add", "Tilføy", "Lägg till", "Hinzufügen"},
     {"Slet", "Erase", "Fjern", "Radera", "Löschen"},
     {"Optaget af", "Recorded by", "Optaget af", "Uptaget av", "Aufgenommen von"},
     std::nullopt,
     false},
};

} // namespace

const LookupMemberInfo& lookupMember(LookupMember member)
{
    for (const LookupMemberInfo& info : kMembers)
        if (info.member == member)
            return info;
    return kMembers[0];
}

} // namespace forms
