#include "ImportTexts.h"

namespace import {

namespace {

TextLookup& lookupSlot()
{
    static TextLookup lookup;
    return lookup;
}

QString sectionText(const char* section, const char* key, const QString& danish)
{
    const TextLookup& lookup = lookupSlot();
    if (!lookup)
        return danish;
    const QString text = lookup(QString::fromLatin1(section), QString::fromLatin1(key), danish);
    return text.isEmpty() ? danish : text;
}

} // namespace

void setTextLookup(TextLookup lookup)
{
    lookupSlot() = std::move(lookup);
}

QString importText(const char* key, const QString& danish)
{
    return sectionText("Import", key, danish);
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
    return sectionText("Backup", key, danish);
}

} // namespace import
