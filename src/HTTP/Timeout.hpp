#pragma once

#include <cstdint>

namespace Orvane::HTTP {

// One time-out set of a device exchange.
struct Timeout
{
    std::int32_t ConnectMs = 0; // per connection attempt
    std::int32_t Retry = 0; // further connection attempts after a failed one
    std::int32_t SendMs = 0; // a send that makes no progress this long fails
    std::int32_t RecvMs = 0; // a receive that makes no progress this long fails

    bool operator==(const Timeout& other) const
    {
        return ConnectMs == other.ConnectMs && Retry == other.Retry && SendMs == other.SendMs && RecvMs == other.RecvMs;
    }
    bool operator!=(const Timeout& other) const { return !(*this == other); }
};

} // namespace Orvane::HTTP
