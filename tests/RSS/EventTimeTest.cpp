#include "RSS/EventTime.hpp"
#include "RSS/Exceptions.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using Orvane::RSS::EventTime;

TEST(EventTimeTest, KeepsTheFieldsOfItsText)
{
    const EventTime time("Tue, 02 Apr 2024 09:05:07 +0900");
    EXPECT_EQ("Tue, 02 Apr 2024 09:05:07 +0900", time.GetText());
    EXPECT_EQ(3, time.GetDayOfWeek().value_or(0));
    EXPECT_EQ(2, time.GetDay());
    EXPECT_EQ(4, time.GetMonth());
    EXPECT_EQ(2024, time.GetYear());
    EXPECT_EQ(9, time.GetHour());
    EXPECT_EQ(5, time.GetMinute());
    EXPECT_EQ(7, time.GetSecond().value_or(-1));
    EXPECT_EQ("+0900", time.GetZone());

    const EventTime bare("2 Apr 2024 09:05 GMT");
    EXPECT_FALSE(bare.GetDayOfWeek());
    EXPECT_FALSE(bare.GetSecond());
}

TEST(EventTimeTest, TextThatIsNotADateIsRefused)
{
    for (const char* text : {"", "yesterday", "2024-04-02T09:05:07Z", "02 Apr 2024 09:05:07 +0900 ", "Tue, 02 Apr"})
        EXPECT_THROW(EventTime {text}, Orvane::RSS::InvalidTimeString) << text;
}

TEST(EventTimeTest, ComparesWallClockMoments)
{
    const struct
    {
        const char* left;
        const char* right;
        bool equal;
        bool less;
    } cases[] = {
        {"Tue, 02 Apr 2024 09:05:07 +0900", "02 Apr 2024 09:05:07 +0900", true, false},
        {"02 Apr 2024 09:05:07 +0900", "02 Apr 2024 09:05:07 GMT", true, false}, // zones are not converted
        {"02 Apr 2024 00:05:07 GMT", "02 Apr 2024 09:05:07 +0900", false, true},
        {"31 Mar 2024 23:59:59 GMT", "01 Apr 2024 00:00:00 GMT", false, true},
        {"31 Dec 2023 23:59:59 GMT", "01 Jan 2024 00:00:00 GMT", false, true},
        {"31 Mar 2024 24:00 GMT", "01 Apr 2024 00:00 GMT", true, false},
        {"29 Feb 2024 10:00 GMT", "01 Mar 2024 10:00 GMT", false, true},
    };
    for (const auto& c : cases) {
        const EventTime left(c.left), right(c.right);
        EXPECT_EQ(c.equal, left == right) << c.left << " / " << c.right;
        EXPECT_EQ(c.less, left < right) << c.left << " / " << c.right;
    }
}

TEST(EventTimeTest, SecondsMustBeOnBothSides)
{
    const EventTime without("02 Apr 2024 10:00 GMT"), with("02 Apr 2024 10:00:00 GMT");
    EXPECT_THROW(without == with, Orvane::RSS::IncompatibleTimeString);
    EXPECT_THROW(with < without, Orvane::RSS::IncompatibleTimeString);
}

TEST(EventTimeTest, DatesOutsideTheCalendarBuildButDoNotCompare)
{
    const EventTime fine("01 Mar 2023 10:00 GMT");
    for (const char* text :
         {"31 Feb 2024 10:00 GMT", "29 Feb 2023 10:00 GMT", "00 Mar 2024 10:00 GMT", "01 Mar 0999 10:00 GMT"}) {
        const EventTime odd(text);
        EXPECT_THROW(odd == fine, std::out_of_range) << text;
        EXPECT_THROW(fine < odd, std::out_of_range) << text;
    }
}

} // namespace
