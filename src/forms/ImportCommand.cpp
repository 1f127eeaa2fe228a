#include "ImportCommand.h"

#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/ProgramPaths.h"
#include "data/DM.h"
#include "import/CatalogueImport.h"
#include "import/CsvImport.h"
#include "import/ImportTexts.h"
#include "locale/CommaText.h"
#include "locale/TQCustomLanguageSource.h"
#include "locale/TQFileLanguageSource.h"
#include "locale/TQLanguageFile.h"

#include <QDir>
#include <functional>

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

using Importer = std::function<import::ImportReport(const import::ImportOptions&, const import::ImportProgress&)>;

import::ImportReport paradoxImport(const import::ImportOptions& options, const import::ImportProgress& progress)
{
    return import::importParadox(options, progress);
}

import::ImportReport importWithProgress(const import::ImportOptions& options, const QString& text,
                                        const Importer& importer = paradoxImport)
{
    const auto progress = [&text](qint64 done, qint64 total) { return core::dialogs().progress(text, done, total); };
    try {
        import::ImportReport report = importer(options, progress);
        core::dialogs().endProgress();
        return report;
    } catch (...) {
        core::dialogs().endProgress();
        throw;
    }
}

// The tables let go of Data while it is swapped and show what is there afterwards, whether
// the import succeeded, failed or was cancelled.
import::ImportReport importWithTablesClosed(data::TDM& dm, const import::ImportOptions& options, const QString& text,
                                            const Importer& importer)
{
    dm.CloseTables();
    try {
        import::ImportReport report = importWithProgress(options, text, importer);
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

QString paradoxProgressText()
{
    return importText("Progress", QStringLiteral("Indlæser det gamle katalog ..."));
}

// The import ends with its report; a cancel says that nothing changed.
void runAndReport(data::TDM& dm, const import::ImportOptions& options, const QString& text, const Importer& importer)
{
    try {
        core::dialogs().showReport(reportCaption(), importWithTablesClosed(dm, options, text, importer).text());
    } catch (const core::EAbort&) {
        core::dialogs().information(cancelledText());
    }
}

void importParadoxFolder(data::TDM& dm)
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
    runAndReport(dm, options, paradoxProgressText(), paradoxImport);
}

// A catalogue with tapes gains the file's new tapes, or is replaced when the user says so.
void importTextFile(data::TDM& dm)
{
    const std::optional<QString> file = core::dialogs().openFile(
        importText("ChooseFile", QStringLiteral("Vælg regnearkets fil (CSV eller tekst)")),
        importText("FileFilter", QStringLiteral("Regneark og tekst|*.csv;*.txt;*.tsv|Alle filer|*")), QStringLiteral("csv"));
    if (!file)
        return;
    import::ImportOptions options = programOptions(*file);
    const qint64 tapes = import::tapesInCatalogue(options.dataFolder);
    if (tapes > 0) {
        const std::optional<int> way = core::dialogs().choose(
            importText("AddOrReplace", QStringLiteral("Kataloget indeholder %1 film. Vil du tilføje filens nye film "
                                                      "(de film der findes ændres ikke), eller erstatte kataloget med "
                                                      "filen (det nuværende gemmes som kopi)?"))
                .arg(tapes),
            {importText("AddNew", QStringLiteral("Tilføj nye film")), importText("ReplaceAll", QStringLiteral("Erstat kataloget"))});
        if (!way)
            return;
        options.replace = *way == 1;
    }
    const QString source = *file;
    runAndReport(dm, options, importText("ProgressFile", QStringLiteral("Indlæser filen ...")),
                 [source](const import::ImportOptions& o, const import::ImportProgress& progress) {
                     return import::importCsv(source, o, progress);
                 });
}

} // namespace

void followLanguage(locale::TQCustomLanguageSource& languages)
{
    if (const auto* files = dynamic_cast<const locale::TQFileLanguageSource*>(&languages))
        installOverviewTitles(*files);
    const auto lookup = [&languages](const QString& section, const QString& key, const QString& danish) {
        if (languages.ActiveLanguage() < 0)
            return danish;
        const QString current = languages.Section();
        languages.SetSection(section);
        const QString text = languages.ReadString(key, danish);
        languages.SetSection(current);
        return text;
    };
    import::setTextLookup(lookup);
}

void installOverviewTitles(const locale::TQFileLanguageSource& languages)
{
    QList<QStringList> titles;
    for (int i = 0; i < languages.Languages().size(); ++i) {
        const locale::TQLanguageFile file(languages.LanguageFilePath(i));
        titles << locale::CommaText::read(file.readString(QStringLiteral("OversigtForm"), QStringLiteral("DBGrid1.Columns"), QString()));
    }
    import::setOverviewTitles(titles);
}

void runImportCommand(data::TDM& dm)
{
    const std::optional<int> kind = core::dialogs().choose(
        importText("ChooseKind", QStringLiteral("Hvad vil du indlæse?")),
        {importText("KindParadox", QStringLiteral("Et gammelt katalog (Paradox-tabeller)")),
         importText("KindFile", QStringLiteral("Et regneark eller en eksport (CSV-fil)"))});
    if (!kind)
        return;
    if (*kind == 0)
        importParadoxFolder(dm);
    else
        importTextFile(dm);
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
        core::dialogs().showReport(reportCaption(), importWithProgress(programOptions(dataFolder), paradoxProgressText()).text());
        return true;
    } catch (const core::EAbort&) {
        core::dialogs().information(cancelledText());
    } catch (const core::EError& e) {
        core::dialogs().error(e.message());
    }
    return false;
}

} // namespace forms
