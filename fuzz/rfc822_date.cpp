// Feed dates come from devices: any text must give a clean accept or reject, never a crash, and an
// accepted text must yield fields that can only come from the grammar.
#include "kestle/network/rfc822_date_parser.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool within(int value, int low, int high)
{
    return low <= value && value <= high;
}

void checkAccepted(const kestle::network::rfc822_date_parser& parser, const std::string& text)
{
    check(!parser.day_of_week() || within(*parser.day_of_week(), 1, 7));
    check(within(parser.day(), 0, 99) && within(parser.month(), 1, 12) && within(parser.year(), 0, 9999));
    check(within(parser.hours(), 0, 99) && within(parser.minutes(), 0, 99));
    check(!parser.seconds() || within(*parser.seconds(), 0, 99));
    const std::string zone = parser.zone();
    check(!zone.empty() && zone.size() <= 5 && text.size() >= zone.size());
    check(text.compare(text.size() - zone.size(), zone.size(), zone) == 0);
}

void checkRejected(const kestle::network::rfc822_date_parser& parser)
{
    check(!parser.day_of_week() && !parser.seconds() && parser.day() == -1 && parser.month() == -1);
    check(parser.year() == -1 && parser.hours() == -1 && parser.minutes() == -1 && parser.zone().empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    static kestle::network::rfc822_date_parser reused;
    kestle::network::rfc822_date_parser fresh;
    const bool accepted = fresh.parse(text);
    // A parser that has parsed other texts before must answer exactly like a new one.
    check(reused.parse(text) == accepted && reused.zone() == fresh.zone() && reused.day() == fresh.day());
    if (accepted)
        checkAccepted(fresh, text);
    else
        checkRejected(fresh);
    return 0;
}
