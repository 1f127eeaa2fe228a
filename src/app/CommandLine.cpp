#include "CommandLine.h"

#include "BackupCommand.h"
#include "FindCommand.h"
#include "HtmlCommand.h"
#include "ImportCommand.h"
#include "OverdueCommand.h"
#include "UserFolder.h"
#include "Version.h"
#include "catalogue/SchemaUpgrade.h"
#include "core/Errors.h"
#include "core/ProgramPaths.h"
#include "core/SectionTexts.h"
#include "core/ScriptedDialogs.h"
#include "data/DM.h"
#include "engine/Database.h"
#include "engine/Table.h"
#include "output/LabelCommand.h"
#include "output/OutputFormats.h"
#include "import/CatalogueImport.h"
#include "locale/Languages.h"
#include "support/QtTranslations.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace app {

namespace {

using Operation = std::function<void(data::TDM&, const QString& file)>;

// Qt's own notices (such as "XDG_RUNTIME_DIR not set" under cron or su) are not what the user
// asked for; a command's output is its result and its own messages.
void dropQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "spolarkiv: %s\n", message.toLocal8Bit().constData());
}

// Dates in the export and the list take the catalogue's language's form where the system's
// locale has none (LANG=C).
void useCatalogueLanguageForms(const QString& dataDir)
{
    int language = -1;
    try {
        language = import::storedLanguage(dataDir);
    } catch (const core::EError&) {
        // A catalogue that cannot be read is reported by the opening.
    }
    support::useLanguageFormsWhereLocaleHasNone(language + 1 < locale::kLanguageCount ? language : -1);
}

// No display, no guard, no splash, no main window, and nothing handed to the shell.
int runOperation(int argc, char** argv, const QString& file, const Operation& operation)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    core::ScriptedDialogs silent;
    core::setDialogs(&silent);
    const QString target = QFileInfo(file).absoluteFilePath();
    core::setProgramPaths(applicationPaths());
    const QString problem = prepareProgramFolder(core::programPaths());
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "spolarkiv: %s\n", problem.toLocal8Bit().constData());
        core::setDialogs(nullptr);
        return 1;
    }
    try {
        const QString dataDir = core::programPaths().programDir + QStringLiteral("Data");
        useCatalogueLanguageForms(dataDir);
        // A command that only reads never writes Data: an older catalogue is read from an
        // upgraded copy, so the output is the one the upgraded catalogue gives.
        std::unique_ptr<catalogue::UpgradedCopy> copy;
        const QString readFrom = readableDataDir(dataDir, copy);
        if (copy && !file.isEmpty() && QFileInfo(target).absoluteDir().canonicalPath() == QDir(dataDir).canonicalPath())
            throw core::EInOutError(core::sectionText("Catalogue", "CannotCreate", QStringLiteral("Filen \"%1\" kan ikke oprettes. %2"))
                                        .arg(target, core::sectionText("Catalogue", "HoldsTables",
                                                                       QStringLiteral("Mappen rummer katalogets tabeller"))));
        data::TDM dm(readFrom);
        // A damaged, foreign or newer file anywhere in Data is reported, as the windows would.
        dm.CheckTables();
        dm.VideoTable->Open();
        // One state of the catalogue from the first record to the last, while other copies
        // of the program may write.
        const engine::ReadSnapshot snapshot(dm.VideoTable->database());
        dm.VideoTable->Refresh();
        operation(dm, target);
    } catch (const core::EError& e) {
        std::fprintf(stderr, "spolarkiv: %s\n", e.message().toLocal8Bit().constData());
        core::setDialogs(nullptr);
        return 1;
    }
    core::setDialogs(nullptr);
    return 0;
}

int runLabels(int argc, char** argv, int at)
{
    QStringList arguments;
    for (int k = at + 1; k < argc; ++k)
        arguments << QString::fromLocal8Bit(argv[k]);
    QString problem;
    const std::optional<output::LabelJob> job = output::parseLabelArguments(arguments, &problem);
    if (!job) {
        std::fprintf(stderr, "spolarkiv: %s\n", problem.toLocal8Bit().constData());
        return 2;
    }
    return runOperation(argc, argv, job->file, [&job](data::TDM& dm, const QString& file) {
        output::writeLabels(*dm.VideoTable, file, *job);
    });
}

int runFormat(const output::OutputFormat& format, int argc, char** argv, int at)
{
    if (at + 1 >= argc) {
        std::fprintf(stderr, "spolarkiv: %s needs a %s\n", argv[at], format.argumentNoun);
        return 2;
    }
    return runOperation(argc, argv, QString::fromLocal8Bit(argv[at + 1]), format.write);
}

struct Option {
    const char* name;
    const char* argument;
    const char* help;
    std::function<int(int argc, char** argv, int at)> run;
};

const std::vector<Option>& options();

void printUsage(std::FILE* out)
{
    std::fprintf(out, "usage: spolarkiv [OPTION [ARGUMENT]]\n"
                      "Without an option the program opens its windows.\n\n");
    for (const Option& option : options()) {
        const std::string head = std::string(option.name) + (*option.argument ? " " : "") + option.argument;
        // A long option takes a line of its own, its help below in the column of the others.
        if (head.size() > 28)
            std::fprintf(out, "  %s\n  %-28s %s\n", head.c_str(), "", option.help);
        else
            std::fprintf(out, "  %-28s %s\n", head.c_str(), option.help);
    }
}

// Every option the program knows; the output formats bring their own.
const std::vector<Option>& options()
{
    static const std::vector<Option> list = [] {
        std::vector<Option> all = {
            {"--help", "", "print this help",
             [](int, char**, int) {
                 printUsage(stdout);
                 return 0;
             }},
            {"--version", "", "print the program's version",
             [](int, char**, int) {
                 std::printf("spolarkiv %s\n", SPK_VERSION);
                 return 0;
             }},
            {"--import-paradox", "DIR [--replace] [--codepage N] [--dry-run]",
             "bring in an old catalogue's Paradox tables from DIR", runParadoxImport},
            {"--import-csv", "FILE [--replace] [--dry-run]", "bring in the tapes of a spreadsheet's text file",
             runCsvImport},
            {"--backup", "[DIR]", "write a backup of the catalogue now, in DIR or the backup folder", runBackupCommand},
            {"--restore", "DIR", "put the backup in DIR in the catalogue's place", runRestoreCommand},
            {"--labels", "FILE.pdf [--from NR] [--to NR] [--sheet 3x8|2x7|vhs] [--first N]",
             "write barcode labels for the tapes to FILE.pdf", runLabels},
            {"--html", "DIR", "write the web catalogue (index.html and cover pictures) into DIR", runHtmlCommand},
            {"--overdue", "[--days N]", "print the overdue loans (or those due within N days)", runOverdueCommand},
            {"--find", "TEXT [--field NAME]", "print the tapes whose field (the title unless named) holds TEXT",
             runFindCommand},
        };
        for (const output::OutputFormat& format : output::outputFormats())
            all.push_back({format.option, format.argument, format.help,
                           [&format](int argc, char** argv, int at) { return runFormat(format, argc, argv, at); }});
        return all;
    }();
    return list;
}

} // namespace

QString readableDataDir(const QString& dataDir, std::unique_ptr<catalogue::UpgradedCopy>& copy)
{
    copy = catalogue::upgradedCopy(dataDir);
    return copy ? copy->dataDir() : dataDir;
}

int runReadCommand(int argc, char** argv, const std::function<void(data::TDM&)>& command)
{
    return runOperation(argc, argv, QString(), [&command](data::TDM& dm, const QString&) { command(dm); });
}

std::optional<int> runCommandLine(int argc, char** argv)
{
    const bool command = std::any_of(argv + 1, argv + argc, [](const char* argument) {
        return std::any_of(options().begin(), options().end(),
                           [argument](const Option& option) { return std::strcmp(argument, option.name) == 0; });
    });
    if (command)
        qInstallMessageHandler(dropQtMessages);
    for (int i = 1; i < argc; ++i) {
        // Qt's own options have one dash; the program's have two.
        if (std::strncmp(argv[i], "--", 2) != 0)
            continue;
        for (const Option& option : options())
            if (std::strcmp(argv[i], option.name) == 0)
                return option.run(argc, argv, i);
        std::fprintf(stderr, "spolarkiv: unknown option %s\n", argv[i]);
        printUsage(stderr);
        return 2;
    }
    return std::nullopt;
}

} // namespace app
