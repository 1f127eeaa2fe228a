#include "HtmlCommand.h"

#include "CommandLine.h"
#include "CommandTexts.h"
#include "catalogue/SchemaUpgrade.h"
#include "HovedForm.h"
#include "UserFolder.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/ProgramPaths.h"
#include "data/DM.h"
#include "import/CatalogueImport.h"
#include "locale/TQLanguageSource.h"
#include "output/HtmlCatalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

namespace app {

namespace {

QString writtenNotice(const output::WebText& text, int tapes, const QString& folder)
{
    return text("Written", QStringLiteral("Webkataloget med %1 bånd er skrevet i \"%2\". Åbn index.html i en browser."))
        .arg(tapes)
        .arg(QDir::toNativeSeparators(folder));
}

output::HtmlCatalogueOptions optionsFor(const output::WebText& text)
{
    output::HtmlCatalogueOptions options;
    options.picturesDir = core::programPaths().picturesDir();
    options.text = text;
    return options;
}

} // namespace

output::WebText webTexts(locale::TQCustomLanguageSource& languages)
{
    return [&languages](const char* key, const QString& danish) {
        if (languages.ActiveLanguage() < 0)
            return danish;
        const QString current = languages.Section();
        languages.SetSection(QStringLiteral("Web"));
        const QString text = languages.ReadString(QString::fromLatin1(key), danish);
        languages.SetSection(current);
        return text.isEmpty() ? danish : text;
    };
}

void runHtmlExport(data::TDM& dm, locale::TQCustomLanguageSource& languages)
{
    const output::WebText text = webTexts(languages);
    const std::optional<QString> folder =
        core::dialogs().chooseFolder(text("ChooseFolder", QStringLiteral("Vælg mappen til webkataloget")));
    if (!folder)
        return;
    output::HtmlCatalogueOptions options = optionsFor(text);
    const QString progressText = text("Progress", QStringLiteral("Webkataloget skrives ..."));
    options.progress = [&progressText](qint64 done, qint64 total) { return core::dialogs().progress(progressText, done, total); };
    try {
        const int tapes = output::writeHtmlCatalogue(dm.database(), *folder, options);
        core::dialogs().endProgress();
        core::dialogs().information(writtenNotice(text, tapes, *folder));
    } catch (...) {
        core::dialogs().endProgress();
        throw;
    }
}

int runHtmlCommand(int argc, char** argv, int at)
{
    if (at + 2 != argc) {
        std::fprintf(stderr, "spolarkiv: --html needs the catalogue's folder\n");
        return 2;
    }
    // Scaling the covers needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString folder = QFileInfo(QString::fromLocal8Bit(argv[at + 1])).absoluteFilePath();
    core::setProgramPaths(applicationPaths());
    const QString problem = prepareProgramFolder(core::programPaths());
    if (!problem.isEmpty())
        return printFailure(problem);
    locale::TQLanguageSource languages;
    setUpLanguages(languages);
    const output::WebText text = webTexts(languages);
    const QString dataFolder = QDir::cleanPath(core::programPaths().dataDir());
    try {
        const int stored = import::storedLanguage(dataFolder);
        if (stored >= 0 && stored < languages.Languages().size())
            languages.SetActiveLanguage(stored);
    } catch (const core::EError&) {
        // A missing or damaged language file or table leaves Danish.
    }
    try {
        std::unique_ptr<catalogue::UpgradedCopy> copy;
        data::TDM dm(readableDataDir(dataFolder, copy));
        dm.CheckTables();
        const int tapes = output::writeHtmlCatalogue(dm.database(), folder, optionsFor(text));
        print(stdout, writtenNotice(text, tapes, folder) + QLatin1Char('\n'));
        return 0;
    } catch (const core::EError& e) {
        return printFailure(text("Failed", QStringLiteral("Webkataloget kunne ikke skrives: %1")).arg(e.message()));
    }
}

} // namespace app
