#include "core/Errors.h"
#include "data/TimeText.h"

#include <gtest/gtest.h>

using data::durationText;

TEST(TimeText, DurationIsTheAbsoluteDifferenceAsLongTimeText)
{
    const struct {
        const char* start;
        const char* end;
        const char* duration;
    } cases[] = {
        {"01:30", "02:45", "01:15:00"}, {"02:00", "01:30", "00:30:00"}, {"23:00", "00:30", "22:30:00"},
        {"0:00", "23:59:59", "23:59:59"}, {"1", "2:5", "01:05:00"},      {"10:00 AM", "1:00 PM", "03:00:00"},
        {"12:00 AM", "12:30 am", "00:30:00"}, {" 01:30 ", "01:30", "00:00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(durationText(QString::fromLatin1(c.start), QString::fromLatin1(c.end)), QString::fromLatin1(c.duration))
            << c.start << " " << c.end;
}

TEST(TimeText, TextsThatAreNoTimeAreRefusedWithTheStandardMessage)
{
    for (const char* bad : {"0130", "24:00", "1:60", "1:00:60", "", "ab", "1:", "13:00 PM", "1.30", "12345"}) {
        try {
            data::parseTime(QString::fromLatin1(bad));
            ADD_FAILURE() << "accepted " << bad;
        } catch (const core::EConvertError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid time").arg(QString::fromLatin1(bad)));
        }
    }
}

TEST(TimeText, FourDigitEntriesBecomeClockTimes)
{
    EXPECT_EQ(data::normalizeTimeEntry(QStringLiteral("0130")), QStringLiteral("01:30"));
    EXPECT_EQ(data::normalizeTimeEntry(QStringLiteral(" 2345 ")), QStringLiteral("23:45"));
    for (const char* kept : {"01:30", "130", "01301", "ab12", ""})
        EXPECT_EQ(data::normalizeTimeEntry(QString::fromLatin1(kept)), QString::fromLatin1(kept));
}
