#include "core/Win1252.h"
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

TEST(TextMatcher, FastContainmentAgreesWithFoldingBothTexts)
{
    // Every Latin-1 character, the code page's characters above it, and a few outside it.
    QString alphabet;
    for (int c = 1; c < 256; ++c)
        alphabet += QChar(char16_t(c));
    alphabet += QString::fromUtf8("ŠšŒœŽžŸ€ƒ…ĀĐ");
    unsigned seed = 12345;
    const auto next = [&seed] { seed = seed * 1103515245u + 12345u; return seed >> 16; };
    MatchOptions options;
    for (int round = 0; round < 3000; ++round) {
        QString text;
        for (int i = int(next() % 40); i > 0; --i)
            text += alphabet.at(int(next() % unsigned(alphabet.size())));
        QString key;
        if (!text.isEmpty() && next() % 2) {
            const int from = int(next() % unsigned(text.size()));
            key = text.mid(from, 1 + int(next() % 4));
            // Change the case of some characters of a key taken from the text.
            for (QChar& c : key)
                if (next() % 2)
                    c = c.isUpper() ? c.toLower() : core::win1252::upper(c);
        } else {
            for (int i = 1 + int(next() % 3); i > 0; --i)
                key += alphabet.at(int(next() % unsigned(alphabet.size())));
        }
        const bool expected = core::win1252::upper(text).contains(core::win1252::upper(key));
        EXPECT_EQ(TextMatcher(key, options).matches(text), expected) << key.toStdString() << " in " << text.toStdString();
    }
}

TEST(TextMatcher, TheVerdictOnUtf8BytesIsTheVerdictOnTheDecodedText)
{
    const QString alphabet = QString::fromUtf8("aAbBzZæÆøØåÅäÄüÜÿŸšŠœŒžŽßµ€…–x1 ,./\t") + QChar(char16_t(0x2603))
                             + QString::fromUtf8("😀");
    const QByteArray junk[] = {"\xC3", "\x80", "\xE2\x82", "\xF0\x9F\x98", "\xC0\xAF", "\xED\xA0\x80", "\xFF", "\xEF\xBB\xBF"};
    unsigned seed = 4711;
    const auto next = [&seed] { seed = seed * 1103515245u + 12345u; return seed >> 16; };
    int decided = 0;
    for (int round = 0; round < 4000; ++round) {
        QString text;
        for (int i = int(next() % 30); i > 0; --i)
            text += alphabet.at(int(next() % unsigned(alphabet.size())));
        QByteArray bytes = text.toUtf8();
        if (next() % 3 == 0) // bad bytes somewhere
            bytes.insert(int(next() % unsigned(bytes.size() + 1)), junk[next() % std::size(junk)]);
        const QString decoded = QString::fromUtf8(bytes);
        QString key = decoded.mid(int(next() % unsigned(decoded.size() + 1)), 1 + int(next() % 3));
        if (key.isEmpty() || next() % 4 == 0)
            key = alphabet.mid(int(next() % unsigned(alphabet.size())), 1 + int(next() % 2));
        if (next() % 2)
            key = key.toLower();
        MatchOptions options;
        options.caseSensitive = next() % 4 == 0;
        const TextMatcher matcher(key, options);
        const qsizetype limit = next() % 8 == 0 ? 10 : 255;
        const std::optional<bool> verdict = matcher.matchesUtf8(bytes.constData(), bytes.size(), limit);
        if (!verdict)
            continue;
        ++decided;
        EXPECT_EQ(*verdict, matcher.matches(QStringView(decoded).left(limit)))
            << key.toStdString() << " in " << bytes.toHex().toStdString();
    }
    EXPECT_GT(decided, 2000) << "most keys are told on the bytes";
    // Bytes a decoder replaces never stand for the characters they would spell.
    const struct {
        QByteArray bytes;
        const char* key;
    } bad[] = {{"a\xC0\xAF" "b", "a/"}, {"a\xC0\xAF" "b", "a"}, {"\xED\xA0\x80x", "x"}, {"a\xE0\x80\xAF", "a/"},
               {"\xC3" "A", "A"},      {"\xC3\xC3\xA6", "\xC3\xA6"}, {"\xF4\x90\x80\x80!", "!"}, {"\xEF\xBB\xBF" "a", "a"}};
    for (const auto& c : bad) {
        const TextMatcher matcher(QString::fromUtf8(c.key), MatchOptions());
        const std::optional<bool> verdict = matcher.matchesUtf8(c.bytes.constData(), c.bytes.size(), 255);
        ASSERT_TRUE(verdict.has_value()) << c.bytes.toHex().toStdString();
        EXPECT_EQ(*verdict, matcher.matches(QString::fromUtf8(c.bytes))) << c.bytes.toHex().toStdString();
    }
    MatchOptions wildcards;
    wildcards.wildcards = true;
    EXPECT_FALSE(TextMatcher(QStringLiteral("a%"), wildcards).matchesUtf8("abc", 3, 255).has_value());
    EXPECT_FALSE(TextMatcher(QStringLiteral("a"), MatchOptions()).matchesUtf8("abc", 3, 2).has_value())
        << "bytes beyond the limit";
}
