#include "ImportCommand.h"

#include "CommandTexts.h"
#include "UserFolder.h"
#include "catalogue/SchemaUpgrade.h"
#include "core/Errors.h"
#include "core/ProgramPaths.h"
#include "import/CatalogueImport.h"
#include "import/CsvImport.h"
#include "import/ImportTexts.h"
#include "import/ParadoxTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>

namespace app {

namespace {

using Importer = std::function<import::ImportReport(const import::ImportOptions&)>;

// The options after the folder or file; nullopt (after a message) for anything unknown.
std::optional<import::ImportOptions> parseOptions(int argc, char** argv, int at, bool paradox)
{
    import::ImportOptions options;
    options.sourceFolder = QFileInfo(QString::fromLocal8Bit(argv[at + 1])).absoluteFilePath();
    for (int i = at + 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--replace") == 0) {
            options.replace = true;
        } else if (std::strcmp(argv[i], "--dry-run") == 0) {
            options.dryRun = true;
        } else if (paradox && std::strcmp(argv[i], "--codepage") == 0 && i + 1 < argc) {
            options.codePage = QByteArray(argv[++i]).toInt();
            if (!import::isSupportedCodePage(options.codePage)) {
                std::fprintf(stderr, "spolarkiv: --codepage takes 437, 850, 865 or 1252\n");
                return std::nullopt;
            }
        } else {
            std::fprintf(stderr, "spolarkiv: unknown option %s\n", argv[i]);
            return std::nullopt;
        }
    }
    return options;
}

int runImport(import::ImportOptions options, const Importer& importer)
{
    const core::ProgramPaths paths = applicationPaths();
    core::setProgramPaths(paths);
    const StoredLanguageTexts texts(paths.dataDir());
    options.dataFolder = QDir::cleanPath(paths.dataDir());
    options.picturesFolder = QDir::cleanPath(paths.picturesDir());
    // The running program would go on writing into the folder that is moved aside.
    catalogue::FolderLock running(paths.workingDir);
    if (!options.dryRun && !lockProgramFolder(running, paths))
        return 1;
    try {
        // Data is written only under the lock: a dry run reads an older catalogue as the import
        // finds it, a real run upgrades it first as the opening would. A newer one is refused.
        if (options.dryRun)
            catalogue::scanVersions(options.dataFolder);
        else
            catalogue::upgradeFolder(options.dataFolder, QDateTime::currentDateTime());
        print(stdout, importer(options).text());
        return 0;
    } catch (const import::ECatalogueNotEmpty& e) {
        return printFailure(e.message() + QLatin1Char('\n')
                            + import::importText("UseReplace", QStringLiteral("Brug --replace for at erstatte det.")));
    } catch (const core::EError& e) {
        return printFailure(e.message());
    }
}

// Both commands: the source's name after the option, then the options.
int runCommand(int argc, char** argv, int at, bool paradox, const Importer& importer)
{
    if (at + 1 >= argc) {
        std::fprintf(stderr, "spolarkiv: %s needs a %s\n", argv[at], paradox ? "folder" : "file");
        return 2;
    }
    const std::optional<import::ImportOptions> options = parseOptions(argc, argv, at, paradox);
    if (!options)
        return 2;
    QCoreApplication application(argc, argv);
    return runImport(*options, importer);
}

} // namespace

int runParadoxImport(int argc, char** argv, int at)
{
    return runCommand(argc, argv, at, true, [](const import::ImportOptions& options) { return import::importParadox(options); });
}

int runCsvImport(int argc, char** argv, int at)
{
    return runCommand(argc, argv, at, false, [](const import::ImportOptions& options) {
        return import::importCsv(options.sourceFolder, options);
    });
}

} // namespace app
