#include "ImportCommands.h"

#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/ProgramPaths.h"
#include "data/DM.h"
#include "import/CatalogueImport.h"
#include "import/ImportTexts.h"
#include "locale/TQCustomLanguageSource.h"

#include <QDir>

namespace forms {

namespace {

using import::importText;

import::ImportOptions programOptions(const QString& source)
{
    import::ImportOptions options;
    options.sourceFolder = source;
    options.dataFolder = QDir::cleanPath(core::programPaths().dataDir());
    options.picturesFolder = QDir::cleanPath(core::programPaths().picturesDir());
    return options;
}

import::ImportReport importWithProgress(const import::ImportOptions& options)
{
    const QString text = importText("Progress", QStringLiteral("Indlæser det gamle katalog ..."));
    const auto progress = [&text](qint64 done, qint64 total) { return core::dialogs().progress(text, done, total); };
    try {
        import::ImportReport report = import::importParadox(options, progress);
        core::dialogs().endProgress();
        return report;
    } catch (...) {
        core::dialogs().endProgress();
        throw;
    }
}

// The tables let go of Data while it is swapped and show what is there afterwards, whether
// the import succeeded, failed or was cancelled.
import::ImportReport importWithTablesClosed(data::TDM& dm, const import::ImportOptions& options)
{
    dm.CloseTables();
    try {
        import::ImportReport report = importWithProgress(options);
        dm.OpenTables();
        return report;
    } catch (...) {
        try {
            dm.OpenTables();
        } catch (const core::EError&) {
            // The import's own message is the one to show; the tables report again when used.
        }
        throw;
    }
}

QString cancelledText()
{
    return importText("Cancelled", QStringLiteral("Indlæsningen er afbrudt; intet er ændret."));
}

QString reportCaption()
{
    return importText("ReportCaption", QStringLiteral("Import"));
}

} // namespace

void followLanguage(locale::TQCustomLanguageSource& languages)
{
    import::setTextLookup([&languages](const QString& section, const QString& key, const QString& danish) {
        if (languages.ActiveLanguage() < 0)
            return danish;
        const QString current = languages.Section();
        languages.SetSection(section);
        const QString text = languages.ReadString(key, danish);
        languages.SetSection(current);
        return text;
    });
}

void runImportCommand(data::TDM& dm)
{
    const std::optional<QString> folder = core::dialogs().chooseFolder(
        importText("ChooseFolder", QStringLiteral("Vælg mappen med de gamle Paradox-tabeller")));
    if (!folder)
        return;
    import::ImportOptions options = programOptions(*folder);
    const qint64 tapes = import::tapesInCatalogue(options.dataFolder);
    if (tapes > 0) {
        const QString question = importText("ReplaceQuestion",
                                            QStringLiteral("Kataloget indeholder %1 film. Vil du erstatte det med "
                                                           "det gamle katalog? Det nuværende gemmes som kopi."));
        if (!core::dialogs().confirm(question.arg(tapes), core::ConfirmButtons::YesNo))
            return;
        options.replace = true;
    }
    try {
        core::dialogs().showReport(reportCaption(), importWithTablesClosed(dm, options).text());
    } catch (const core::EAbort&) {
        core::dialogs().information(cancelledText());
    }
}

bool offerStartupConversion(locale::TQCustomLanguageSource& languages)
{
    const QString dataFolder = QDir::cleanPath(core::programPaths().dataDir());
    if (!import::holdsParadoxTables(dataFolder))
        return true;
    const int language = import::storedLanguage(dataFolder);
    if (language >= 0 && language < languages.Languages().size())
        languages.SetActiveLanguage(language);
    const QString question = importText("StartupQuestion",
                                        QStringLiteral("Mappen Data indeholder Paradox-tabeller fra et tidligere "
                                                       "katalog. Vil du omdanne dem, så Spolarkiv kan bruge dem? De "
                                                       "oprindelige filer flyttes til en mappe Data-paradox-<dato>. "
                                                       "Vælger du Nej, afsluttes programmet uden at røre filerne."));
    if (!core::dialogs().confirm(question, core::ConfirmButtons::YesNo))
        return false;
    // Nothing is open yet; the caller opens the tables once the new Data is in place.
    try {
        core::dialogs().showReport(reportCaption(), importWithProgress(programOptions(dataFolder)).text());
        return true;
    } catch (const core::EAbort&) {
        core::dialogs().information(cancelledText());
    } catch (const core::EError& e) {
        core::dialogs().error(e.message());
    }
    return false;
}

} // namespace forms
