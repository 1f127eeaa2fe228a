#include "CommandLine.h"

#include "BackupCommand.h"
#include "HtmlCommand.h"
#include "ImportCommand.h"
#include "OverdueCommand.h"
#include "UserFolder.h"
#include "Version.h"
#include "catalogue/SchemaUpgrade.h"
#include "core/Errors.h"
#include "core/ProgramPaths.h"
#include "core/ScriptedDialogs.h"
#include "data/DM.h"
#include "engine/Database.h"
#include "engine/Table.h"
#include "output/Export3ASCII.h"
#include "output/Export3Text.h"
#include "output/ExportCommand.h"
#include "output/LabelCommand.h"
#include "output/QRListForm.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

namespace app {

namespace {

using Operation = std::function<void(data::TDM&, const QString& file)>;

void exportTapes(data::TDM& dm, const QString& file)
{
    // The window's export makes a missing folder; a mistyped path on a command line should not.
    const QString folder = QFileInfo(file).absolutePath();
    if (!QFileInfo(folder).isDir())
        throw core::EExportError(QStringLiteral("Directory \"%1\" not found").arg(folder));
    output::TQExport3ASCII exporter;
    output::configureTapeExport(exporter, *dm.VideoTable, false);
    exporter.FileName = file;
    exporter.Execute();
}

// An empty table gives the list's headings on one page: a file asked for by name is written.
void reportPdf(data::TDM& dm, const QString& file)
{
    const QString refusal = output::tableFolderRefusal(QFileInfo(file), *dm.VideoTable);
    if (!refusal.isEmpty())
        throw core::EInOutError(QStringLiteral("Cannot create file \"%1\". %2").arg(file, refusal));
    TQRListForm report(*dm.VideoTable);
    if (report.writePdf(file) <= 0)
        throw core::EInOutError(QStringLiteral("Cannot create file \"%1\". No page was made.").arg(file));
}

// Qt's own notices (such as "XDG_RUNTIME_DIR not set" under cron or su) are not what the user
// asked for; a command's output is its result and its own messages.
void dropQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "spolarkiv: %s\n", message.toLocal8Bit().constData());
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
        // A command that only reads never writes Data: an older catalogue is read from an
        // upgraded copy, so the output is the one the upgraded catalogue gives.
        const std::unique_ptr<QTemporaryDir> copy = catalogue::upgradedCopy(dataDir);
        if (copy && !file.isEmpty() && QFileInfo(target).absoluteDir().canonicalPath() == QDir(dataDir).canonicalPath())
            throw core::EInOutError(QStringLiteral("Cannot create file \"%1\". The folder holds the catalogue's tables").arg(target));
        data::TDM dm(copy ? copy->path() + QStringLiteral("/Data") : dataDir);
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

} // namespace

int runReadCommand(int argc, char** argv, const std::function<void(data::TDM&)>& command)
{
    return runOperation(argc, argv, QString(), [&command](data::TDM& dm, const QString&) { command(dm); });
}

std::optional<int> runCommandLine(int argc, char** argv)
{
    static const char* const commands[] = {"--version", "--import-paradox", "--import-csv", "--backup",
                                           "--restore", "--export", "--report-pdf", "--html", "--labels",
                                           "--overdue"};
    const bool command = std::any_of(argv + 1, argv + argc, [](const char* argument) {
        return std::any_of(std::begin(commands), std::end(commands),
                           [argument](const char* name) { return std::strcmp(argument, name) == 0; });
    });
    if (command)
        qInstallMessageHandler(dropQtMessages);
    for (int i = 1; i < argc; ++i) {
        const bool hasFile = i + 1 < argc;
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("spolarkiv %s\n", SPK_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--import-paradox") == 0)
            return runParadoxImport(argc, argv, i);
        if (std::strcmp(argv[i], "--import-csv") == 0)
            return runCsvImport(argc, argv, i);
        if (std::strcmp(argv[i], "--labels") == 0)
            return runLabels(argc, argv, i);
        if (std::strcmp(argv[i], "--backup") == 0)
            return runBackupCommand(argc, argv, i);
        if (std::strcmp(argv[i], "--restore") == 0)
            return runRestoreCommand(argc, argv, i);
        if (std::strcmp(argv[i], "--html") == 0)
            return runHtmlCommand(argc, argv, i);
        if (std::strcmp(argv[i], "--overdue") == 0)
            return runOverdueCommand(argc, argv, i);
        if (std::strcmp(argv[i], "--export") == 0 || std::strcmp(argv[i], "--report-pdf") == 0) {
            if (!hasFile) {
                std::fprintf(stderr, "spolarkiv: %s needs a file name\n", argv[i]);
                return 2;
            }
            const QString file = QString::fromLocal8Bit(argv[i + 1]);
            if (std::strcmp(argv[i], "--export") == 0)
                return runOperation(argc, argv, file, exportTapes);
            return runOperation(argc, argv, file, reportPdf);
        }
    }
    return std::nullopt;
}

} // namespace app
