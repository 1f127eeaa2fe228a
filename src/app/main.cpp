// Program entry: the command line (no window, no display needed) or the windows.
#include "ApplicationSetup.h"
#include "CommandLine.h"
#include "HovedForm.h"
#include "JustOneGuard.h"
#include "Tolvane.h"
#include "UserFolder.h"
#include "core/Dialogs.h"
#include "core/ProgramPaths.h"
#include "data/DM.h"
#include "forms/OversigtForm.h"
#include "forms/RegForm.h"
#include "support/QtDialogs.h"

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

int runWindows(int argc, char** argv)
{
    prepareEnvironment();
    QApplication application(argc, argv);
    app::setUpApplication();
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

    app::showSplash();
    auto hovedForm = std::make_unique<app::THovedForm>(app::TJustOneGuard::keyFor(core::programPaths().workingDir));
    if (hovedForm->anotherCopyRuns()) {
        app::closeSplash();
        return 0;
    }
    app::dismissSplashWhenActivated(hovedForm.get());
    app::HovedForm = hovedForm.get();
    auto dm = std::make_unique<data::TDM>(core::programPaths().dataDir());
    data::DM = dm.get();
    auto oversigtForm = std::make_unique<forms::TOversigtForm>(hovedForm.get());
    forms::OversigtForm = oversigtForm.get();
    auto regForm = std::make_unique<forms::TRegForm>(hovedForm.get());
    forms::RegForm = regForm.get();
    hovedForm->show();
    const int result = application.exec();
    app::closeSplash();
    regForm.reset();
    oversigtForm.reset();
    hovedForm.reset();
    dm.reset();
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
