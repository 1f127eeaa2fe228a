#pragma once
// The main window's tests: the shared program-folder set-up under the names these tests use,
// and a running program with the windows created at start.
#include "app/HovedForm.h"
#include "app/ProgramWindows.h"
#include "common/ProgramTest.h"
#include "core/ScriptedDialogs.h"
#include "data/DM.h"
#include "forms/OversigtForm.h"
#include "forms/RegForm.h"

#include <QApplication>
#include <memory>

namespace apptest {

class AppTest : public testing_support::ProgramTest {
protected:
    using ProgramTest::ProgramTest;
    static core::ScriptedDialogs& scripted() { return dialogs(); }

    testing_support::TempProgramFolder& folder = *ProgramTest::folder;
};

/// A running program on the program folder: main window, data module, overview and
/// registration window, created in that order.
class RunningProgram : public AppTest {
protected:
    using AppTest::AppTest;
    void SetUp() override
    {
        AppTest::SetUp();
        windows = std::make_unique<app::ProgramWindows>();
        form = windows->hovedForm();
        dm = windows->dm();
        oversigt = windows->oversigtForm();
        reg = windows->regForm();
    }
    void TearDown() override { windows.reset(); }
    /// Shows the main window as the program does at start.
    void start()
    {
        form->show();
        QApplication::processEvents();
    }

    std::unique_ptr<app::ProgramWindows> windows;
    app::THovedForm* form = nullptr;
    data::TDM* dm = nullptr;
    forms::TOversigtForm* oversigt = nullptr;
    forms::TRegForm* reg = nullptr;
};

} // namespace apptest
