// Program entry: the command line (no window, no display needed) or the windows.
#include "ApplicationSetup.h"
#include "BackupCommand.h"
#include "CommandLine.h"
#include "HovedForm.h"
#include "ProgramWindows.h"
#include "Tolvane.h"
#include "UserFolder.h"
#include "core/Dialogs.h"
#include "core/ProgramPaths.h"
#include "support/QtDialogs.h"
#include "support/QtTranslations.h"

#include <QApplication>
#include <QLocale>
#include <cstdio>
#include <memory>

namespace {

void prepareEnvironment()
{
    // Metrics must match the designed geometry everywhere.
    if (qEnvironmentVariableIsEmpty("QT_FONT_DPI"))
        qputenv("QT_FONT_DPI", "96");
    // Window placement and bringing a window forward need X11; Wayland forbids both.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

int runMainWindow()
{
    app::showSplash();
    app::ProgramWindows windows(core::programPaths().workingDir);
    if (windows.anotherCopyRuns()) {
        app::closeSplash();
        return 0;
    }
    const QByteArray catalogueAtStart = app::catalogueContentFingerprint();
    app::dismissSplashWhenActivated(windows.hovedForm());
    windows.hovedForm()->show();
    const int result = QApplication::exec();
    app::closeSplash();
    // While the windows still hold the language the texts are read in.
    app::backUpAfterRun(catalogueAtStart);
    return result;
}

int runWindows(int argc, char** argv)
{
    prepareEnvironment();
    QApplication application(argc, argv);
    app::setUpApplication();
    support::useLanguageFormsWhereLocaleHasNone(-1);
    support::QtDialogs qtDialogs;
    core::setDialogs(&qtDialogs);
    core::setProgramPaths(app::applicationPaths());
    const QString problem = app::prepareProgramFolder(core::programPaths());
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "spolarkiv: %s\n", problem.toLocal8Bit().constData());
        core::dialogs().message(problem);
        core::setDialogs(nullptr);
        return 1;
    }

    const int result = runMainWindow();
    core::setDialogs(nullptr);
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    if (auto result = app::runCommandLine(argc, argv))
        return *result;
    return runWindows(argc, argv);
}
