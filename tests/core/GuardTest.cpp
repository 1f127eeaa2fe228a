#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/Guard.h"
#include "core/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace {
core::ScriptedDialogs& scripted()
{
    return static_cast<core::ScriptedDialogs&>(core::dialogs());
}
} // namespace

TEST(Guard, ShowsTheMessageOfAnErrorAndStops)
{
    scripted().clear();
    bool after = false;
    EXPECT_FALSE(core::guarded([&] {
        throw core::EDatabaseError(QStringLiteral("Key violation."));
        after = true;
    }));
    EXPECT_FALSE(after);
    EXPECT_EQ(scripted().texts(QStringLiteral("error")), QStringList{QStringLiteral("Key violation.")});
}

TEST(Guard, AnAbortShowsNothingAndForeignExceptionsAreCaught)
{
    scripted().clear();
    EXPECT_FALSE(core::guarded([] { throw core::EAbort(); }));
    EXPECT_TRUE(scripted().shown.empty());
    EXPECT_FALSE(core::guarded([] { throw 42; }));
    EXPECT_EQ(scripted().texts(QStringLiteral("error")).size(), 1);
    EXPECT_TRUE(core::guarded([] {}));
}

TEST(Conversions, IntegerParserMessages)
{
    EXPECT_EQ(core::strToInt(QStringLiteral(" 0041")), 41);
    try {
        core::strToInt(QStringLiteral("ab12"));
        FAIL() << "no exception";
    } catch (const core::EConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'ab12' is not a valid integer value"));
    }
}

TEST(Dialogs, BoxTextTurnsTheProgramsLineBreaksIntoOne)
{
    EXPECT_EQ(core::boxText(QStringLiteral("a\n\rb\n\r\n\rc")), QStringLiteral("a\nb\n\nc"));
}

TEST(Dialogs, ScriptedInputCutsAnswersTo255Characters)
{
    scripted().clear();
    scripted().inputAnswers.push_back(QString(300, QLatin1Char('x')));
    scripted().inputAnswers.push_back(std::nullopt);
    EXPECT_EQ(core::dialogs().input(QStringLiteral("C"), QStringLiteral("P"), QString())->size(), 255);
    EXPECT_FALSE(core::dialogs().input(QStringLiteral("C"), QStringLiteral("P"), QString()).has_value());
}
