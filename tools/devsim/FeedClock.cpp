#include "FeedClock.hpp"

#include <cstdio>
#include <ctime>

namespace OrvaneDevSim {

std::string FeedClock::now()
{
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[]
        = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t seconds = std::time(nullptr);
    std::tm utc {};
    ::gmtime_r(&seconds, &utc);
    // Names are written out rather than taken from strftime so the locale cannot change them.
    char text[40];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", days[utc.tm_wday], utc.tm_mday,
                  months[utc.tm_mon], utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text;
}

} // namespace OrvaneDevSim
