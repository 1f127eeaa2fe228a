// Reading direction and font character set of the active language.
#include "LanguageFiles.h"
#include "locale/TQLanguageSettings.h"
#include "locale/TQLanguageSource.h"

#include "core/Errors.h"

#include <gtest/gtest.h>

using namespace locale;
using locale_test::LanguageFiles;

namespace {

struct SettingsCase {
    const char* biDiMode;     // nullptr: no entry
    const char* fontCharSet;  // nullptr: no entry
    TBiDiMode expectedMode;
    int expectedCharSet;
};

class LanguageSettingsFromFile : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(LanguageSettingsFromFile, ReadsGeneralSettings)
{
    const SettingsCase& c = GetParam();
    LanguageFiles files;
    QStringList lines{"[General Settings]"};
    if (c.biDiMode)
        lines.append(QStringLiteral("BiDiMode=%1").arg(QLatin1String(c.biDiMode)));
    if (c.fontCharSet)
        lines.append(QStringLiteral("FontCharSet=%1").arg(QLatin1String(c.fontCharSet)));
    lines.append({"[HovedForm]", "Caption=x"});
    files.write("English.lng", lines);
    TQLanguageSource source;
    source.SetBaseFolder(files.folder());
    source.SetLanguages({"English=English.lng"});
    source.Loaded();
    source.SetActiveLanguage(0);
    source.SetSection("HovedForm");
    EXPECT_EQ(source.ActiveSettings()->BiDiMode(), c.expectedMode);
    EXPECT_EQ(source.ActiveSettings()->FontCharSet(), c.expectedCharSet);
    EXPECT_EQ(source.Section(), QStringLiteral("HovedForm")); // switched back after reading
}

const SettingsCase kSettingsCases[] = {
    {"0", "DEFAULT_CHARSET", bdLeftToRight, 1},
    {"1", "greek_charset", bdRightToLeft, 161},
    {"3", "Arabic_Charset", bdRightToLeftReadingOnly, 178},
    {"7", "OEM_CHARSET", bdLeftToRight, 255},
    {"2", "  SHIFTJIS_CHARSET", bdRightToLeftNoAlign, 128}, // the line is trimmed
    {"2", "\" MAC_CHARSET\"", bdRightToLeftNoAlign, 1}, // a quoted blank stays
    {"0", "\"mac_charset\"", bdLeftToRight, 77},
    {"-1", "ANSI_CHARSET", bdLeftToRight, 0},
    {"two", "NO_SUCH_CHARSET", bdLeftToRight, 1},
    {"\"2\"", "\"RUSSIAN_CHARSET\"", bdRightToLeftNoAlign, 204},
    {nullptr, nullptr, bdLeftToRight, 1},
};

INSTANTIATE_TEST_SUITE_P(Entries, LanguageSettingsFromFile, ::testing::ValuesIn(kSettingsCases));

TEST(LanguageSettings, TheOriginalLanguageGivesTheStoredValues)
{
    TQLanguageSource source;
    TQLanguageSettings* settings = source.ActiveSettings();
    settings->SetBiDiMode(bdRightToLeft); // ignored while loading
    settings->SetFontCharSet(161);
    EXPECT_EQ(settings->BiDiMode(), bdLeftToRight);
    EXPECT_EQ(settings->FontCharSet(), DEFAULT_CHARSET);
    source.Loaded();
    settings->SetBiDiMode(bdRightToLeft);
    settings->SetFontCharSet(161);
    EXPECT_EQ(settings->BiDiMode(), bdRightToLeft);
    EXPECT_EQ(settings->FontCharSet(), 161);
}

TEST(LanguageSettings, NeedsASource)
{
    try {
        TQLanguageSettings settings(nullptr);
        FAIL() << "no error";
    } catch (const core::EQLocalError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Language source must be specified!"));
    }
}

} // namespace
