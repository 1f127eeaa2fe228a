#include "TestLanguages.h"

#include "forms/AppContext.h"
#include "forms/LookupMembers.h"

namespace testing_support {

std::string languageName(int index)
{
    return forms::kLanguageNames.at(size_t(index + 1));
}

std::unique_ptr<locale::TQLanguageSource> makeLanguageSource(const QString& baseFolder)
{
    auto languages = std::make_unique<locale::TQLanguageSource>();
    languages->SetBaseFolder(baseFolder);
    languages->SetOriginalName(QStringLiteral("Dansk"));
    languages->SetLanguages({QStringLiteral("English=English.lng"), QStringLiteral("Norsk=Norsk.lng"),
                             QStringLiteral("Svensk=Svensk.lng"), QStringLiteral("Deutsch=Deutsch.lng")});
    languages->Loaded();
    return languages;
}

void useLanguageSource(locale::TQLanguageSource* source, const QString* labelOverride)
{
    forms::appContext().languageSource = source;
    forms::appContext().languageLabel = [source, labelOverride] {
        return labelOverride && !labelOverride->isEmpty() ? *labelOverride : source->LanguageName(source->ActiveLanguage());
    };
}

} // namespace testing_support
