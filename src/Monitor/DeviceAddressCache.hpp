#pragma once

#include "Monitor/DeviceAddresses.hpp"

#include <chrono>
#include <memory>

namespace Orvane::MonitoredEntry {
class MFP;
}

namespace Orvane::Monitor {

// The addresses one device's host resolved to, looked up again at most once per lifetime. Every
// datagram is tested against every monitor, so without it a flood of datagrams would become a flood
// of resolutions. A failed lookup is remembered as no address for the same time. Thread-safe; the
// lookup itself runs without the lock.
class DeviceAddressCache
{
public:
    explicit DeviceAddressCache(std::chrono::milliseconds lifetime = std::chrono::seconds(5));

    DeviceAddresses Get(const MonitoredEntry::MFP& mfp);

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::Monitor
