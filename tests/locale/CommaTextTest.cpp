// Comma text: the one-line form of list properties.
#include "locale/CommaText.h"
#include "locale/QuotedText.h"

#include <gtest/gtest.h>

using locale::CommaText;

namespace {

struct ReadCase {
    const char* name;
    QString text;
    QStringList items;
};

class CommaTextRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CommaTextRead, GivesTheItems)
{
    EXPECT_EQ(CommaText::read(GetParam().text), GetParam().items) << GetParam().name;
}

const ReadCase kReadCases[] = {
    {"the navigator's nine hints", QStringLiteral("Første,Forrige,Næste,Sidste,Tilføj,Slet,Ret,Gem,Fortryd"),
     {"Første", "Forrige", "Næste", "Sidste", "Tilføj", "Slet", "Ret", "Gem", "Fortryd"}},
    {"quoted item with a blank", QStringLiteral("Original,Kopi,\"Privat optagelse\""),
     {"Original", "Kopi", "Privat optagelse"}},
    {"an unquoted blank splits", QStringLiteral("Privat optagelse"), {"Privat", "optagelse"}},
    {"blanks around items are skipped", QStringLiteral("  a ,  b\t,c  "), {"a", "b", "c"}},
    {"a trailing comma adds an empty item", QStringLiteral("a,b,"), {"a", "b", ""}},
    {"two quotes are one empty item", QStringLiteral("\"\""), {""}},
    {"empty text is no item", QString(), {}},
    {"blank text is no item", QStringLiteral("   "), {}},
    {"empty items between commas", QStringLiteral("a,,b"), {"a", "", "b"}},
    {"a lone comma", QStringLiteral(","), {"", ""}},
    {"doubled quotes inside quotes", QStringLiteral("\"say \"\"hi\"\"\",x"), {"say \"hi\"", "x"}},
    {"an unclosed quote runs to the end", QStringLiteral("a,\"b c"), {"a", "b c"}},
    {"text right after a quoted item starts a new item", QStringLiteral("\"ab\"cd,e"), {"ab", "cd", "e"}},
    {"a quote inside a plain item is kept", QStringLiteral("a\"b,c"), {"a\"b", "c"}},
};

INSTANTIATE_TEST_SUITE_P(Examples, CommaTextRead, ::testing::ValuesIn(kReadCases));

TEST(CommaTextWrite, QuotesOnlyItemsThatNeedIt)
{
    const QStringList radio = {"Original", "Kopi", "Privat optagelse"};
    EXPECT_EQ(CommaText::write(radio), QStringLiteral("Original,Kopi,\"Privat optagelse\""));
    EXPECT_EQ(CommaText::write({""}), QStringLiteral("\"\""));
    EXPECT_EQ(CommaText::write({}), QString());
    EXPECT_EQ(CommaText::write({"a,b", "c\"d", "e\tf"}), QStringLiteral("\"a,b\",\"c\"\"d\",\"e\tf\""));
    EXPECT_EQ(CommaText::write({"", "a", ""}), QStringLiteral(",a,"));
}

TEST(CommaTextWrite, RadioItemsInTheQuotedFormRoundTrip)
{
    // In the file only the third item stands in doubled quotes, the whole in quotes.
    const QStringList radio = {"Original", "Kopi", "Privat optagelse"};
    const QString value = locale::QuotedText::encode(CommaText::write(radio));
    EXPECT_EQ(value, QStringLiteral("\"Original,Kopi,\"\"Privat optagelse\"\"\""));
    EXPECT_EQ(CommaText::read(locale::QuotedText::decode(value)), radio);
}

TEST(CommaTextWrite, ListsReadBackUnchanged)
{
    const QStringList lists[] = {{"", ""}, {"", "", ""}, {"a", ""}, {"", "a"}, {" lead", "trail "}, {"\"", ","},
                                 {QString(QChar(0)), "x"}};
    for (const QStringList& items : lists)
        EXPECT_EQ(CommaText::read(CommaText::write(items)), items) << CommaText::write(items).toStdString();
}

} // namespace
