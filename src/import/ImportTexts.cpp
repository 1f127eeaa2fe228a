#include "ImportTexts.h"

namespace import {

void setTextLookup(TextLookup lookup)
{
    core::setTextLookup(std::move(lookup));
}

QString importText(const char* key, const QString& danish)
{
    return core::sectionText("Import", key, danish);
}

QString backupText(const char* key, const QString& danish)
{
    return core::sectionText("Backup", key, danish);
}

} // namespace import
