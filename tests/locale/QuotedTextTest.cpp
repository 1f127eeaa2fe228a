// The quoted form of language file values: decoding as the file format defines it, and
// encoding that always reads back to the same text.
#include "locale/QuotedText.h"

#include <gtest/gtest.h>

using locale::QuotedText;

namespace {

struct DecodeCase {
    const char* name;
    QString value;
    QString expected;
};

class QuotedTextDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(QuotedTextDecode, GivesTheText)
{
    EXPECT_EQ(QuotedText::decode(GetParam().value), GetParam().expected) << GetParam().name;
}

const DecodeCase kDecodeCases[] = {
    {"two lines of the registration window's time hint",
     QStringLiteral("\"Tid format = ttmm \"#13#10\"Indtast f.eks. 0245\""),
     QStringLiteral("Tid format = ttmm \r\nIndtast f.eks. 0245")},
    {"plain quoted text", QStringLiteral("\"Registrering af Video/DVD\""), QStringLiteral("Registrering af Video/DVD")},
    {"doubled quotes read as one", QStringLiteral("\"Sig \"\"hej\"\"\""), QStringLiteral("Sig \"hej\"")},
    {"unquoted value taken literally", QStringLiteral("Funktioner"), QStringLiteral("Funktioner")},
    {"one quote alone stays", QStringLiteral("\""), QStringLiteral("\"")},
    {"empty pair is the empty text", QStringLiteral("\"\""), QString()},
    {"text after the closing quote is dropped", QStringLiteral("\"abc\" rest"), QStringLiteral("abc")},
    {"text ending in a run ends with an empty pair", QStringLiteral("\"abc\"#13#10\"\""), QStringLiteral("abc\r\n")},
    {"a non-numeric code is dropped", QStringLiteral("\"a\"#x#9\"b\""), QStringLiteral("a\tb")},
    {"an empty code is dropped", QStringLiteral("\"a\"##9\"b\""), QStringLiteral("a\tb")},
    {"a code above 255 is dropped", QStringLiteral("\"a\"#256#8364\"b\""), QStringLiteral("ab")},
    {"codes are bytes of the code page", QStringLiteral("\"\"#128#230\"\""), QStringLiteral("\u20AC\u00E6")},
    {"a signed code is dropped", QStringLiteral("\"a\"#+9\"b\""), QStringLiteral("ab")},
    {"a run without closing quote runs to the end", QStringLiteral("\"abc\"#13#10"), QStringLiteral("abc\r\n")},
    {"an unclosed quote keeps the rest", QStringLiteral("\"abc"), QStringLiteral("abc")},
    {"runs work in unquoted values too", QStringLiteral("a\"#65\"b"), QStringLiteral("aAb")},
    {"a huge code is dropped", QStringLiteral("\"a\"#99999999999999999999\"b\""), QStringLiteral("ab")},
};

INSTANTIATE_TEST_SUITE_P(Examples, QuotedTextDecode, ::testing::ValuesIn(kDecodeCases));

TEST(QuotedTextEncode, WritesRunsOutsideTheQuotes)
{
    EXPECT_EQ(QuotedText::encode(QStringLiteral("Tid format = ttmm \r\nIndtast f.eks. 0245")),
              QStringLiteral("\"Tid format = ttmm \"#13#10\"Indtast f.eks. 0245\""));
    EXPECT_EQ(QuotedText::encode(QStringLiteral("abc\r\n")), QStringLiteral("\"abc\"#13#10\"\""));
    EXPECT_EQ(QuotedText::encode(QStringLiteral("\r\nabc")), QStringLiteral("\"\"#13#10\"abc\""));
    EXPECT_EQ(QuotedText::encode(QString()), QStringLiteral("\"\""));
    EXPECT_EQ(QuotedText::encode(QStringLiteral("Sig \"hej\"")), QStringLiteral("\"Sig \"\"hej\"\"\""));
}

TEST(QuotedTextEncode, ReadsBackTextsThatLookLikeRuns)
{
    // A "#" right after a quote would start a run when read back.
    const QString tricky[] = {
        QStringLiteral("#1 hit"), QStringLiteral("a\"#b"), QStringLiteral("\"#13\""), QStringLiteral("\r#5"),
        QStringLiteral("##"), QStringLiteral("\""), QStringLiteral("\"\""), QStringLiteral("x\"")};
    for (const QString& text : tricky)
        EXPECT_EQ(QuotedText::decode(QuotedText::encode(text)), text) << text.toStdString();
    EXPECT_EQ(QuotedText::encode(QStringLiteral("#1")), QStringLiteral("\"\"#35\"1\""));
}

} // namespace
