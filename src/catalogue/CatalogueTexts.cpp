#include "CatalogueTexts.h"

#include "core/SectionTexts.h"

namespace catalogue {

QString backupText(const char* key, const QString& danish)
{
    return core::sectionText("Backup", key, danish);
}

QString importText(const char* key, const QString& danish)
{
    return core::sectionText("Import", key, danish);
}

} // namespace catalogue
