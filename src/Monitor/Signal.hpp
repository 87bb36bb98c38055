#pragma once

namespace Orvane::MonitoredEntry {
class Distinction;
}

namespace Orvane::Monitor {

class DeviceAddresses;

// News that may concern a device: a device's change datagram, or the user asking to refresh one.
// Monitors ask each signal whether it is about their entry's device; the account is never consulted.
class Signal
{
public:
    virtual ~Signal() = default;

    // May resolve the device's host name; raises what the resolution raises.
    virtual bool Matches(const MonitoredEntry::Distinction& distinction) const = 0;
    // The same question for a caller that keeps the addresses the device's host resolved to: never
    // resolves, so a monitor can answer many signals with one resolution.
    virtual bool Matches(const MonitoredEntry::Distinction& distinction, const DeviceAddresses& addresses) const = 0;
    // Whether the reads it asks for are paced. Anyone can send a datagram with a device's address, so
    // a device's signals are; the user's own request to refresh is not.
    virtual bool IsPaced() const { return false; }
};

} // namespace Orvane::Monitor
