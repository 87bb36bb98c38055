#include "kestle/network/rfc822_date_parser.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace {

using kestle::network::rfc822_date_parser;

constexpr int absent = -1;

struct Fields
{
    int dayOfWeek, day, month, year, hours, minutes, seconds;
    std::string zone;

    bool operator==(const Fields& other) const
    {
        return dayOfWeek == other.dayOfWeek && day == other.day && month == other.month && year == other.year
            && hours == other.hours && minutes == other.minutes && seconds == other.seconds && zone == other.zone;
    }
};

std::ostream& operator<<(std::ostream& out, const Fields& f)
{
    return out << f.dayOfWeek << ' ' << f.day << '/' << f.month << '/' << f.year << ' ' << f.hours << ':' << f.minutes
               << ':' << f.seconds << " [" << f.zone << ']';
}

Fields fieldsOf(const rfc822_date_parser& parser)
{
    return {parser.day_of_week().value_or(absent),
            parser.day(),
            parser.month(),
            parser.year(),
            parser.hours(),
            parser.minutes(),
            parser.seconds().value_or(absent),
            parser.zone()};
}

const Fields nothing {absent, absent, absent, absent, absent, absent, absent, ""};

struct Case
{
    std::string text;
    bool accepted;
    Fields expected;
};

std::ostream& operator<<(std::ostream& out, const Case& c)
{
    return out << '"' << c.text << '"';
}

class Rfc822DateParserCases : public ::testing::TestWithParam<Case>
{ };

TEST_P(Rfc822DateParserCases, SplitsOrRejects)
{
    rfc822_date_parser parser;
    EXPECT_EQ(GetParam().accepted, parser.parse(GetParam().text));
    EXPECT_EQ(GetParam().expected, fieldsOf(parser));
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, Rfc822DateParserCases,
    ::testing::Values(Case {"Tue, 09 Dec 2008 10:20:30 +0900", true, {3, 9, 12, 2008, 10, 20, 30, "+0900"}},
                      Case {"9 Dec 2008 10:20 GMT", true, {absent, 9, 12, 2008, 10, 20, absent, "GMT"}},
                      Case {"Tue,09Dec2008 10:20 Z", true, {3, 9, 12, 2008, 10, 20, absent, "Z"}},
                      Case {" \t\r\nSun, 1 Jan 1970 00:00:00 UT", true, {1, 1, 1, 1970, 0, 0, 0, "UT"}},
                      Case {"Sat,   31 Feb 2008   23:59 -0000", true, {7, 31, 2, 2008, 23, 59, absent, "-0000"}},
                      Case {"Wed, 0 Jul 2008 99:75:61 PDT", true, {4, 0, 7, 2008, 99, 75, 61, "PDT"}},
                      Case {"Mon, 45 May 2008 12:00 A", true, {2, 45, 5, 2008, 12, 0, absent, "A"}},
                      Case {"Thu, 05 Jun 2008 12:00 EST", true, {5, 5, 6, 2008, 12, 0, absent, "EST"}},
                      Case {"Fri, 05 Oct 2008 12:00 MDT", true, {6, 5, 10, 2008, 12, 0, absent, "MDT"}}));

INSTANTIATE_TEST_SUITE_P(
    Rejected, Rfc822DateParserCases,
    ::testing::Values(
        Case {"Tue ,09 Dec 2008 10:20 GMT", false, nothing}, Case {"Tue 09 Dec 2008 10:20 GMT", false, nothing},
        Case {"Tue, 09 Dec 08 10:20 GMT", false, nothing}, Case {"Tue, 09 Dec 2008 10:20 J", false, nothing},
        Case {"Tue, 09 Dec 2008 10:20 UTC", false, nothing}, Case {"Tue, 09 Dec 2008 10:20 +900", false, nothing},
        Case {"Tue, 09 Dec 2008 10:20 +09000", false, nothing}, Case {"Tue, 09 Dec 2008 10:20 z", false, nothing},
        Case {"tue, 09 Dec 2008 10:20 GMT", false, nothing}, Case {"Tue, 09 dec 2008 10:20 GMT", false, nothing},
        Case {"Tuesday, 09 Dec 2008 10:20 GMT", false, nothing},
        Case {"Tue, 09 December 2008 10:20 GMT", false, nothing}, Case {"Tue, 09 Dec 2008 10:20 GMT ", false, nothing},
        Case {"Tue, 09 Dec 2008 10:20 GMT\n", false, nothing}, Case {"Tue, 123 Dec 2008 10:20 GMT", false, nothing},
        Case {"Tue, 09 Dec 2008 1:20 GMT", false, nothing}, Case {"Tue, 09 Dec 2008 10 :20 GMT", false, nothing},
        Case {"Tue, 09 Dec 2008 10:20: GMT", false, nothing}, Case {"Tue, 09 Dec 2008 10:20:3 GMT", false, nothing},
        Case {"Tue, 09 Dec 2008 10:20", false, nothing},
        Case {std::string("Tue, 09 Dec 2008 10:20 GMT\0", 27), false, nothing}, Case {"", false, nothing}));

TEST(Rfc822DateParser, EachParseReplacesTheWholeResult)
{
    rfc822_date_parser parser;
    ASSERT_TRUE(parser.parse("Tue, 09 Dec 2008 10:20:30 +0900"));
    ASSERT_TRUE(parser.parse("1 Jan 2009 08:00 GMT"));
    EXPECT_EQ((Fields {absent, 1, 1, 2009, 8, 0, absent, "GMT"}), fieldsOf(parser));
    EXPECT_FALSE(parser.parse("Tue, 09 Dec 2008 10:20:30 +090"));
    EXPECT_EQ(nothing, fieldsOf(parser));
}

TEST(Rfc822DateParser, CopiesShareTheResult)
{
    rfc822_date_parser parser;
    const rfc822_date_parser copy = parser;
    ASSERT_TRUE(parser.parse("Sun, 3 Aug 2008 11:12 Y"));
    EXPECT_EQ((Fields {1, 3, 8, 2008, 11, 12, absent, "Y"}), fieldsOf(copy));
}

// Parsers on separate threads share the name tables and the grammar id supply; each thread also
// creates and drops parsers while the others parse, which is when shared state would be touched.
TEST(Rfc822DateParser, ParsersOnSeveralThreadsDoNotInterfere)
{
    const std::vector<std::pair<std::string, Fields>> texts {
        {"Tue, 09 Dec 2008 10:20:30 +0900", {3, 9, 12, 2008, 10, 20, 30, "+0900"}},
        {"9 Dec 2008 10:20 GMT", {absent, 9, 12, 2008, 10, 20, absent, "GMT"}},
        {"Fri, 1 Feb 2008 00:00:59 Z", {6, 1, 2, 2008, 0, 0, 59, "Z"}},
        {"Tue, 09 Dec 08 10:20 GMT", nothing}};
    std::atomic<int> mismatches {0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            rfc822_date_parser kept;
            for (int i = 0; i < 500; ++i) {
                const auto& [text, expected] = texts[(i + t) % texts.size()];
                rfc822_date_parser fresh;
                for (rfc822_date_parser* parser : {&kept, &fresh}) {
                    parser->parse(text);
                    if (!(fieldsOf(*parser) == expected))
                        ++mismatches;
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(0, mismatches.load());
}

} // namespace
