#include "core/Win1252.h"

#include <gtest/gtest.h>

using namespace core::win1252;

TEST(Win1252, RoundTripsEveryDefinedByte)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(encode(decode(all)), all);
}

TEST(Win1252, DecodesTheHighRangeAsTheCodePageDefinesIt)
{
    EXPECT_EQ(decode(QByteArray("\x80\x8a\x9f\xe6\xf8\xe5", 6)), QString::fromUtf8("€ŠŸæøå"));
}

TEST(Win1252, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(encode(QString::fromUtf8("a→b€ж")), QByteArray("a?b\x80?"));
}

TEST(Win1252, NearestEncodingWritesOneReplacementPerCharacterAndDropsOnlyTheAccent)
{
    const struct {
        const char* text;
        QByteArray bytes;
        qsizetype replaced;
    } cases[] = {
        {"Dvořák", QByteArray("Dvor\xe1k"), 1},     // ř -> r, á is in the code page
        {"Łódź", QByteArray("?\xf3" "dz"), 2},          // Ł has no decomposition; ź -> z
        {"film 🎬 ok", QByteArray("film ? ok"), 1},  // one character outside the plane, one ?
        {"Ṩpāce", QByteArray("Space"), 2},           // through a letter that keeps an accent
        {"ж→€", QByteArray("??\x80"), 2},
        {"æøå", QByteArray("\xe6\xf8\xe5"), 0},
    };
    for (const auto& c : cases) {
        qsizetype replaced = 0;
        EXPECT_EQ(encodeNearest(QString::fromUtf8(c.text), replaced), c.bytes) << c.text;
        EXPECT_EQ(replaced, c.replaced) << c.text;
    }
}

TEST(Win1252, UpperCasingFollowsTheCodePage)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {{"abc", "ABC"}, {"æøå", "ÆØÅ"}, {"äöüé", "ÄÖÜÉ"}, {"šœžÿ", "ŠŒŽŸ"},
                 {"ß", "ß"},     {"µ", "µ"},     {"÷", "÷"},       {"ж", "ж"}};
    for (const Case& c : cases)
        EXPECT_EQ(upper(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(Win1252, AsciiFoldLeavesOtherLettersAlone)
{
    EXPECT_EQ(upperAscii(QString::fromUtf8("søg")), QString::fromUtf8("SøG"));
}
