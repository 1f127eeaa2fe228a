#include "CommandTexts.h"

#include "HovedForm.h"
#include "JustOneGuard.h"
#include "UserFolder.h"
#include "core/Errors.h"
#include "core/ProgramPaths.h"
#include "forms/ImportCommands.h"
#include "import/CatalogueImport.h"
#include "import/ImportTexts.h"

#include <cstdio>

namespace app {

StoredLanguageTexts::StoredLanguageTexts(const QString& dataFolder)
{
    setUpLanguages(languages_);
    try {
        const int index = import::storedLanguage(dataFolder);
        if (index >= 0 && index < languages_.Languages().size())
            languages_.SetActiveLanguage(index);
    } catch (const core::EError&) {
        // A missing or damaged language file or table leaves Danish.
    }
    forms::followLanguage(languages_);
}

StoredLanguageTexts::~StoredLanguageTexts()
{
    import::setTextLookup({}); // the lookup must not outlive the language source
}

QString programFolderLock(const core::ProgramPaths& paths)
{
    return TJustOneGuard::lockPath(TJustOneGuard::keyFor(paths.workingDir));
}

bool lockProgramFolder(QLockFile& lock)
{
    lock.setStaleLockTime(0);
    if (lock.tryLock(0))
        return true;
    printFailure(import::importText("ProgramRuns", QStringLiteral("Spolarkiv kører på denne mappe. Luk programmet først.")));
    return false;
}

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int printFailure(const QString& message)
{
    print(stderr, QStringLiteral("spolarkiv: %1\n").arg(message));
    return 1;
}

} // namespace app
