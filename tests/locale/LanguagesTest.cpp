// The one language list and the per-language tables every window's texts are kept in.
#include "locale/Languages.h"

#include <gtest/gtest.h>

namespace {

// Each slot holds its own language's name, so a lookup shows which entry it chose.
const locale::LanguageTexts kNames = {"Dansk", "English", "Norsk", "Svensk", "Deutsch"};

struct LookupCase {
    int index;
    const char* shown; ///< what the table gives
    bool inList;       ///< whether find() gives an entry
};

const LookupCase kLookupCases[] = {
    {-1, "Dansk", true},  {0, "English", true}, {1, "Norsk", true},  {2, "Svensk", true},
    {3, "Deutsch", true}, {4, "Dansk", false},  {-2, "Dansk", false}, {1000, "Dansk", false},
};

class LanguageLookup : public ::testing::TestWithParam<LookupCase> {};

} // namespace

TEST_P(LanguageLookup, GivesTheIndexsEntryOrDanish)
{
    const LookupCase& c = GetParam();
    EXPECT_EQ(kNames.text(c.index), QString::fromUtf8(c.shown));
    EXPECT_EQ(kNames.find(c.index) != nullptr, c.inList);
    EXPECT_EQ(locale::findLanguage(c.index) != nullptr, c.inList);
}

INSTANTIATE_TEST_SUITE_P(Indexes, LanguageLookup, ::testing::ValuesIn(kLookupCases),
                         [](const auto& info) { return "Index" + std::to_string(info.param.index + 2); });

TEST(LanguageList, EveryNameFindsItsOwnIndexAndNoOtherSpellingDoes)
{
    for (int index = locale::kDesignedLanguage; index < locale::kDesignedLanguage + locale::kLanguageCount; ++index) {
        const QString name = QString::fromUtf8(locale::findLanguage(index)->name);
        EXPECT_EQ(locale::languageIndexOfName(name), index) << name.toStdString();
        EXPECT_EQ(locale::languageIndexOfName(name.toLower()), std::nullopt) << name.toStdString();
    }
}

TEST(LanguageList, TheDesktopsLanguageFindsTheLanguageThatServesIt)
{
    EXPECT_EQ(locale::languageIndexOfDesktop(QStringLiteral("nn")), 1);
    EXPECT_EQ(locale::languageIndexOfDesktop(QStringLiteral("de")), 3);
    EXPECT_EQ(locale::languageIndexOfDesktop(QStringLiteral("fr")), std::nullopt);
}

TEST(LanguageList, TheSourceLoadsEveryLanguageButTheDesignedOne)
{
    EXPECT_EQ(locale::designedLanguageName(), QStringLiteral("Dansk"));
    EXPECT_EQ(locale::languageFileLines(),
              (QStringList{"English=English.lng", "Norsk=Norsk.lng", "Svensk=Svensk.lng", "Deutsch=Deutsch.lng"}));
}
