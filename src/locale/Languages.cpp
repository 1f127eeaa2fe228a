#include "Languages.h"

namespace locale {

const Language* findLanguage(int languageIndex)
{
    const auto slot = languageSlot(languageIndex);
    return slot ? &kLanguages[*slot] : nullptr;
}

std::optional<int> languageIndexOfName(const QString& name)
{
    for (int slot = 0; slot < kLanguageCount; ++slot)
        if (name == QString::fromUtf8(kLanguages[slot].name))
            return slot + kDesignedLanguage;
    return std::nullopt;
}

std::optional<int> languageIndexOfDesktop(const QString& code)
{
    for (int slot = 0; slot < kLanguageCount; ++slot)
        if (QString::fromUtf8(kLanguages[slot].desktop).split(QLatin1Char(' ')).contains(code))
            return slot + kDesignedLanguage;
    return std::nullopt;
}

QStringList languageFileLines()
{
    QStringList lines;
    for (const Language& language : kLanguages)
        if (*language.file)
            lines << QString::fromUtf8(language.name) + QLatin1Char('=') + QString::fromUtf8(language.file);
    return lines;
}

QString designedLanguageName()
{
    return QString::fromUtf8(kLanguages[0].name);
}

} // namespace locale
