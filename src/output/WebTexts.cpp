#include "WebTexts.h"

namespace output {

QString danishWebText(const char*, const QString& danish)
{
    return danish;
}

const std::vector<std::pair<const char*, const char*>>& webPageTexts()
{
    static const std::vector<std::pair<const char*, const char*>> texts = {
        {"Language", "da"},
        {"PageTitle", "Videokatalog"},
        {"Search", "Søg i titel, instruktør, skuespiller og indhold"},
        {"Loading", "Indlæser ..."},
        {"AllCategories", "Alle kategorier"},
        {"AllTypes", "Alle typer"},
        {"ColNr", "Båndnr."},
        {"ColTitle", "Titel"},
        {"ColCategory", "Kategori"},
        {"ColType", "Type"},
        {"ColDirector", "Instruktør"},
        {"ColLocation", "Placering"},
        {"ColDuration", "Varighed"},
        {"ColLent", "Udlånt"},
        {"Yes", "Ja"},
        {"No", "Nej"},
        {"Count", "%1 af %2 bånd"},
        {"More", "Vis flere"},
        {"Close", "Luk"},
        {"Front", "Forside"},
        {"Back", "Bagside"},
        {"Description", "Indhold"},
        {"Cast", "Medvirkende"},
    };
    return texts;
}

} // namespace output
