#include "support/TextMatcher.h"

#include <gtest/gtest.h>

using support::MatchOptions;
using support::TextMatcher;

namespace {
bool match(const char* key, const QString& text, bool wildcards, bool caseSensitive = false)
{
    MatchOptions options;
    options.wildcards = wildcards;
    options.caseSensitive = caseSensitive;
    return TextMatcher(QString::fromUtf8(key), options).matches(text);
}
} // namespace

TEST(TextMatcher, ContainmentIgnoresCaseTheCodePageWay)
{
    const struct {
        const char* key;
        const char* text;
        bool expected;
    } cases[] = {
        {"PAR", "Paris, Texas", true}, {"PAR", "Et parti skak", true}, {"", "anything", false},
        {"", "", false},               {"ø", "ØRESUND", true},         {"æble", "ÆBLEKAGE", true},
        {"ss", "Straße", false},       {"ß", "STRAßE", true},           {"xyz", "Paris", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(match(c.key, QString::fromUtf8(c.text), false), c.expected) << c.key << " / " << c.text;
}

TEST(TextMatcher, CaseSensitiveContainment)
{
    EXPECT_FALSE(match("par", QStringLiteral("Paris"), false, true));
    EXPECT_TRUE(match("Par", QStringLiteral("Paris"), false, true));
}

TEST(TextMatcher, WildcardPatternsFollowTheirStepRules)
{
    const struct {
        const char* key;
        QString text;
        bool expected;
    } cases[] = {
        {"%", QString(), true},
        {"%", QStringLiteral("anything"), true},
        {"A%", QStringLiteral("Abe"), true},
        {"A%", QStringLiteral("A"), true},
        {"A%", QStringLiteral("bA"), false},
        {"_b%", QStringLiteral("abc"), true},
        {"_b%", QStringLiteral("bc"), false},
        {"%ing", QStringLiteral("Something"), true},
        {"%ing", QStringLiteral("Something\r\n"), true},
        {"%ing", QStringLiteral("Singer"), false},
        {"%ing", QStringLiteral("ring the king"), true},
        {"%%x", QStringLiteral("x"), false},
        {"%%x", QStringLiteral("axx"), false},
        {"%_x", QStringLiteral("ax"), false},
        {"%a_c", QStringLiteral("abxac"), false},
        {"%a_c", QStringLiteral("abc"), true},
        {"", QString(), true},
        {"", QStringLiteral("a"), false},
        {"abc", QStringLiteral("abc"), true},
        {"abc", QStringLiteral("abcd"), false},
        {"a__", QStringLiteral("ab"), false},
        {"a__", QStringLiteral("abc"), true},
        {"%b%d", QStringLiteral("abcd"), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(match(c.key, c.text, true), c.expected) << c.key << " / " << c.text.toStdString();
}

TEST(TextMatcher, OnlyTheFirstFiveCharactersOfTheMultiWildcardCount)
{
    MatchOptions options;
    options.wildcards = true;
    options.multi = QStringLiteral("*****X");
    EXPECT_TRUE(TextMatcher(QStringLiteral("a*****"), options).matches(QStringLiteral("abc")));
}
