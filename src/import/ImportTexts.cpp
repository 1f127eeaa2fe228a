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

QString importCountText(const char* key, qint64 count, const QString& danish, const QString& danishOne)
{
    if (count != 1)
        return importText(key, danish);
    const QByteArray one = QByteArray(key) + "One";
    return importText(one.constData(), danishOne);
}

QString backupText(const char* key, const QString& danish)
{
    return core::sectionText("Backup", key, danish);
}

} // namespace import
