#pragma once

#include <string>

namespace OrvaneDevSim {

// Dates as the feed writes them: RFC 822 with day name, four-digit year, seconds and GMT.
class FeedClock
{
public:
    static std::string now();
};

} // namespace OrvaneDevSim
