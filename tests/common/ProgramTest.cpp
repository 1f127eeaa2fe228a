#include "ProgramTest.h"

#include "core/Dialogs.h"
#include "core/ScriptedDialogs.h"

#include <algorithm>

namespace testing_support {

core::ScriptedDialogs& scriptedDialogs()
{
    return static_cast<core::ScriptedDialogs&>(core::dialogs());
}

void resetScriptedDialogs()
{
    core::ScriptedDialogs& dialogs = scriptedDialogs();
    dialogs.clear();
    dialogs.confirmAnswers.clear();
    dialogs.chooseAnswers.clear();
    dialogs.inputAnswers.clear();
    dialogs.openFileAnswers.clear();
    dialogs.folderAnswers.clear();
    dialogs.cancelAfterProgressCalls = -1;
    dialogs.progressCalls = 0;
    dialogs.shellResult = true;
}

ProgramTest::ProgramTest(bool withData) : folder(std::make_unique<TempProgramFolder>(withData)) {}

ProgramTest::~ProgramTest() = default;

void ProgramTest::SetUp()
{
    folder->install();
    resetScriptedDialogs();
}

core::ScriptedDialogs& ProgramTest::dialogs()
{
    return scriptedDialogs();
}

QStringList ProgramTest::takeErrors()
{
    const QString error = QStringLiteral("error");
    const QStringList errors = dialogs().texts(error);
    auto& shown = dialogs().shown;
    shown.erase(std::remove_if(shown.begin(), shown.end(), [&error](const auto& box) { return box.kind == error; }),
                shown.end());
    return errors;
}

void ProgramTest::expectNoErrorsLeft()
{
    const QStringList errors = takeErrors();
    EXPECT_TRUE(errors.isEmpty()) << "unexpected error boxes: " << errors.join(QLatin1Char('|')).toStdString();
}

} // namespace testing_support
