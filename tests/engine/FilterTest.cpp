#include "core/Errors.h"
#include "engine/Filter.h"

#include <gtest/gtest.h>

namespace {

struct Parsed {
    const char* expression;
    const char* field;
    const char* value;
};

class FilterParses : public ::testing::TestWithParam<Parsed> {};

TEST_P(FilterParses, GivesFieldAndValue)
{
    const Parsed& p = GetParam();
    const engine::FilterExpression parsed = engine::parseFilter(QString::fromUtf8(p.expression));
    EXPECT_EQ(parsed.field, QString::fromUtf8(p.field));
    EXPECT_EQ(parsed.value, QString::fromUtf8(p.value));
}

INSTANTIATE_TEST_SUITE_P(Expressions, FilterParses,
                         ::testing::Values(Parsed{"Kategori = 'Drama'", "Kategori", "Drama"},
                                           Parsed{"Kategori='Drama'", "Kategori", "Drama"},
                                           Parsed{"  Type  =  'Video 8'  ", "Type", "Video 8"},
                                           Parsed{"Udlaan = 'Ja'", "Udlaan", "Ja"},
                                           Parsed{"Skuespiller = 'O''Brien'", "Skuespiller", "O'Brien"},
                                           Parsed{"Titel = ''", "Titel", ""},
                                           Parsed{"Titel = ''''", "Titel", "'"},
                                           Parsed{"Titel = 'a = ''b'''", "Titel", "a = 'b'"},
                                           Parsed{"Instruktor = 'Bækgård'", "Instruktor", "Bækgård"},
                                           Parsed{"TapeNr = '0001-00'", "TapeNr", "0001-00"}));

class FilterRefuses : public ::testing::TestWithParam<const char*> {};

TEST_P(FilterRefuses, WithAnErrorNamingTheExpression)
{
    const QString expression = QString::fromUtf8(GetParam());
    try {
        engine::parseFilter(expression);
        FAIL() << "accepted: " << GetParam();
    } catch (const core::EDatabaseError& error) {
        EXPECT_TRUE(error.message().contains(expression)) << error.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Malformed, FilterRefuses,
                         ::testing::Values("", "Kategori", "Kategori =", "Kategori = Drama", "Kategori = 'Drama",
                                           "Kategori = 'O'Brien'", "= 'Drama'", "Kategori == 'Drama'",
                                           "Kategori = 'Drama' AND Type = 'VHS'", "Kategori <> 'Drama'",
                                           "Kate gori = 'Drama'"));

TEST(MakeFilter, DoublesQuotesSoTheValueParsesBack)
{
    for (const QString& value : {QStringLiteral("Drama"), QStringLiteral("O'Brien"), QStringLiteral("''"),
                                QStringLiteral("'"), QString()}) {
        const QString expression = engine::makeFilter(QStringLiteral("Skuespiller"), value);
        const engine::FilterExpression parsed = engine::parseFilter(expression);
        EXPECT_EQ(parsed.field, QStringLiteral("Skuespiller"));
        EXPECT_EQ(parsed.value, value) << expression.toStdString();
    }
    EXPECT_EQ(engine::makeFilter(QStringLiteral("Kategori"), QStringLiteral("Drama")), QStringLiteral("Kategori = 'Drama'"));
}

} // namespace
