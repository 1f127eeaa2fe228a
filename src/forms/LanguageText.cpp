#include "LanguageText.h"

#include "AppContext.h"
#include "locale/TQLanguageSource.h"

namespace forms {

QString languageText(const char* section, const char* key, const QString& danish)
{
    locale::TQLanguageSource* source = appContext().languageSource;
    if (!source || source->ActiveLanguage() < 0)
        return danish;
    const QString current = source->Section();
    source->SetSection(QString::fromLatin1(section));
    const QString text = source->ReadString(QString::fromLatin1(key), danish);
    source->SetSection(current);
    return text.isEmpty() ? danish : text;
}

} // namespace forms
