#include "TestLanguages.h"

#include "forms/AppContext.h"
#include "locale/Languages.h"

namespace testing_support {

std::string languageName(int index)
{
    return locale::findLanguage(index)->name;
}

std::unique_ptr<locale::TQLanguageSource> makeLanguageSource(const QString& baseFolder)
{
    auto languages = std::make_unique<locale::TQLanguageSource>();
    languages->SetBaseFolder(baseFolder);
    languages->SetOriginalName(locale::designedLanguageName());
    languages->SetLanguages(locale::languageFileLines());
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
