#pragma once
// The set-up every test of the program's windows and data shares: a fresh temporary program
// folder made the program's folder, the scripted dialogs emptied, and the error boxes shown
// collected so that a test takes those it expects.
#include "common/TempProgramFolder.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace core {
class ScriptedDialogs;
}

namespace testing_support {

class ProgramTest : public ::testing::Test {
protected:
    /// withData: the folder gets Data/ with the nine empty tables.
    explicit ProgramTest(bool withData = true);
    ~ProgramTest() override;
    void SetUp() override;

    /// The scripted dialogs the test main installs.
    static core::ScriptedDialogs& dialogs();
    /// Error boxes shown so far; taking them marks them as expected.
    static QStringList takeErrors();
    /// Fails the test when an error box was shown that the test did not take.
    static void expectNoErrorsLeft();

    std::unique_ptr<TempProgramFolder> folder;
};

/// The scripted dialogs the test main installs.
core::ScriptedDialogs& scriptedDialogs();
/// Forgets the boxes shown, every answer queued and the progress counted.
void resetScriptedDialogs();

} // namespace testing_support
