#include "AppContext.h"

#include "locale/TQLanguageSource.h"

namespace forms {

int AppContext::activeLanguage() const
{
    return languageSource ? languageSource->ActiveLanguage() : -1;
}

AppContext& appContext()
{
    static AppContext context;
    return context;
}

} // namespace forms
