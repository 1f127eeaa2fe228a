#include "CommandTexts.h"

#include "HovedForm.h"
#include "UserFolder.h"
#include "catalogue/CatalogueTexts.h"
#include "catalogue/FolderSwap.h"
#include "core/Errors.h"
#include "core/ProgramPaths.h"
#include "forms/ImportCommand.h"
#include "import/CatalogueImport.h"
#include "import/ImportTexts.h"

#include <QDir>
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
    // The lookups must not outlive the language source.
    import::setTextLookup({});
}

bool lockProgramFolder(catalogue::FolderLock& lock, const core::ProgramPaths& paths)
{
    if (!lock.tryLock()) {
        printFailure(import::importText("ProgramRuns", QStringLiteral("Spolarkiv kører på denne mappe. Luk programmet først.")));
        return false;
    }
    try {
        const QString kept = catalogue::finishInterruptedSwap(QDir::cleanPath(paths.dataDir()));
        if (!kept.isEmpty())
            print(stdout, catalogue::interruptedSwapText(kept) + QLatin1Char('\n'));
    } catch (const core::EError& e) {
        printFailure(e.message());
        return false;
    }
    return true;
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
