#include "SectionTexts.h"

namespace core {

namespace {

TextLookup& lookupSlot()
{
    static TextLookup lookup;
    return lookup;
}

} // namespace

void setTextLookup(TextLookup lookup)
{
    lookupSlot() = std::move(lookup);
}

QString sectionText(const char* section, const char* key, const QString& danish)
{
    const TextLookup& lookup = lookupSlot();
    if (!lookup)
        return danish;
    const QString text = lookup(QString::fromLatin1(section), QString::fromLatin1(key), danish);
    return text.isEmpty() ? danish : text;
}

} // namespace core
