#include "CommandLine.h"

#include "BackupCommand.h"
#include "FindCommand.h"
#include "ImportCommand.h"
#include "UserFolder.h"
#include "Version.h"
#include "core/Errors.h"
#include "core/ProgramPaths.h"
#include "core/ScriptedDialogs.h"
#include "data/DM.h"
#include "engine/Database.h"
#include "engine/Table.h"
#include "output/Export3ASCII.h"
#include "output/Export3Text.h"
#include "output/ExportCommand.h"
#include "output/QRListForm.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
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

// An empty table gives no page and so no file, as the list report prints nothing for it.
void reportPdf(data::TDM& dm, const QString& file)
{
    const QString refusal = output::tableFolderRefusal(QFileInfo(file), *dm.VideoTable);
    if (!refusal.isEmpty())
        throw core::EInOutError(QStringLiteral("Cannot create file \"%1\". %2").arg(file, refusal));
    TQRListForm report(*dm.VideoTable);
    report.writePdf(file);
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
        data::TDM dm(core::programPaths().programDir + QStringLiteral("Data"));
        // A damaged or foreign file anywhere in Data is reported, as the windows would.
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

} // namespace

std::optional<int> runCommandLine(int argc, char** argv)
{
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
        if (std::strcmp(argv[i], "--backup") == 0)
            return runBackupCommand(argc, argv, i);
        if (std::strcmp(argv[i], "--restore") == 0)
            return runRestoreCommand(argc, argv, i);
        if (std::strcmp(argv[i], "--find") == 0)
            return runFindCommand(argc, argv, i);
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
