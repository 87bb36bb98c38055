#pragma once

#include "Monitor/Signal.hpp"

#include <memory>

namespace Orvane::MonitoredEntry {
class MFP;
}

namespace Orvane::Monitor {

// The user asked to refresh a device now: it concerns every entry whose device host is the same text.
class UpdateSignal : public Signal
{
public:
    explicit UpdateSignal(const MonitoredEntry::MFP& mfp);

    // Exact comparison of the hosts; nothing is resolved.
    bool Matches(const MonitoredEntry::Distinction& distinction) const override;
    // As above: the addresses play no part.
    bool Matches(const MonitoredEntry::Distinction& distinction, const DeviceAddresses& addresses) const override;

private:
    struct Pimpl;
    std::shared_ptr<const Pimpl> m_pimpl;
};

} // namespace Orvane::Monitor
