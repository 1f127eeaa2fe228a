#include "SectionTexts.h"

#include <cerrno>
#include <cstring>

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

QString systemReason(int error)
{
    struct Reason {
        int error;
        const char* key;
        const char* danish;
    };
    static const Reason reasons[] = {
        {ENOSPC, "NoSpace", "Der er ikke mere plads på disken"},
        {EDQUOT, "NoQuota", "Diskkvoten er brugt op"},
        {EACCES, "NoAccess", "Adgang nægtet"},
        {EPERM, "NotPermitted", "Handlingen er ikke tilladt"},
        {EROFS, "ReadOnlyDisk", "Disken er skrivebeskyttet"},
        {ENOENT, "NoSuchFile", "Filen eller mappen findes ikke"},
        {EIO, "InputOutput", "Fejl ved læsning eller skrivning på disken"},
        {ENOTDIR, "NotAFolder", "En del af stien er ikke en mappe"},
        {EISDIR, "IsAFolder", "Det er en mappe"},
    };
    for (const Reason& reason : reasons)
        if (reason.error == error)
            return sectionText("Catalogue", reason.key, QString::fromUtf8(reason.danish));
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace core
