#include "BackupCommand.h"

#include "CommandTexts.h"
#include "UserFolder.h"
#include "catalogue/BackupRestore.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/ProgramPaths.h"
#include "data/Backups.h"
#include "import/ImportTexts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace app {

namespace {

QString dataFolder(const core::ProgramPaths& paths)
{
    return QDir::cleanPath(paths.dataDir());
}

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Writes one backup and, when it went into the program's own folder, prunes that folder.
QString backUp(const core::ProgramPaths& paths, const QString& parent)
{
    const QDateTime now = QDateTime::currentDateTime();
    const QString written = data::writeBackup(dataFolder(paths), parent, now);
    if (QDir::cleanPath(parent) == QDir::cleanPath(backupFolder(paths)))
        data::pruneBackups(parent, now);
    return written;
}

QString backupFailedText(const core::EError& error)
{
    return import::backupText("Failed", QStringLiteral("Sikkerhedskopien af kataloget kunne ikke skrives: %1"))
        .arg(error.message());
}

} // namespace

QString backupFolder(const core::ProgramPaths& paths)
{
    return QFileInfo(dataFolder(paths)).absolutePath() + QStringLiteral("/Backup");
}

int runBackupCommand(int argc, char** argv, int at)
{
    if (at + 2 < argc) {
        std::fprintf(stderr, "spolarkiv: --backup takes at most one folder\n");
        return 2;
    }
    QCoreApplication application(argc, argv);
    const core::ProgramPaths paths = applicationPaths();
    const StoredLanguageTexts texts(paths.dataDir());
    const QString parent =
        at + 1 < argc ? QFileInfo(QString::fromLocal8Bit(argv[at + 1])).absoluteFilePath() : backupFolder(paths);
    try {
        const QString written = backUp(paths, parent);
        print(stdout, import::backupText("Written", QStringLiteral("Sikkerhedskopien er skrevet i \"%1\".")).arg(native(written))
                          + QLatin1Char('\n'));
        return 0;
    } catch (const core::EError& e) {
        return printFailure(backupFailedText(e));
    }
}

int runRestoreCommand(int argc, char** argv, int at)
{
    if (at + 2 != argc) {
        std::fprintf(stderr, "spolarkiv: --restore needs the backup's folder\n");
        return 2;
    }
    QCoreApplication application(argc, argv);
    const core::ProgramPaths paths = applicationPaths();
    const StoredLanguageTexts texts(paths.dataDir());
    const QString backup = QFileInfo(QString::fromLocal8Bit(argv[at + 1])).absoluteFilePath();
    catalogue::FolderLock running(paths.workingDir);
    if (!lockProgramFolder(running, paths))
        return 1;
    // The check of a large catalogue takes a while.
    print(stdout, import::backupText("Checking", QStringLiteral("Sikkerhedskopien kontrolleres ...")) + QLatin1Char('\n'));
    std::fflush(stdout);
    try {
        const QString kept = catalogue::restoreBackup(backup, dataFolder(paths));
        QString done = import::backupText("Restored", QStringLiteral("Sikkerhedskopien \"%1\" er lagt ind i \"%2\".")).arg(native(backup), native(dataFolder(paths)));
        if (!kept.isEmpty())
            done += QLatin1Char(' ') + import::backupText("KeptData", QStringLiteral("Det hidtidige katalog er gemt i \"%1\".")).arg(native(kept));
        print(stdout, done + QLatin1Char('\n'));
        return 0;
    } catch (const core::EError& e) {
        return printFailure(e.message());
    }
}

QByteArray catalogueContentFingerprint()
{
    return data::catalogueFingerprint(dataFolder(core::programPaths()), {QStringLiteral("Config.DB")});
}

void backUpAfterRun(const QByteArray& fingerprintAtStart)
{
    if (catalogueContentFingerprint() == fingerprintAtStart)
        return;
    try {
        backUp(core::programPaths(), backupFolder(core::programPaths()));
    } catch (const core::EError& e) {
        // Closing goes on; the next changed run tries again.
        core::dialogs().error(backupFailedText(e));
    }
}

} // namespace app
