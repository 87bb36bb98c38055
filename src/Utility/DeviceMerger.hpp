#pragma once

#include "MonitoredEntry/MFP.hpp"
#include "Utility/FoundDevice.hpp"
#include "Utility/Sighting.hpp"

#include <cstddef>
#include <memory>
#include <vector>

namespace Orvane::Utility {

// Turns the answers of every source into one record per device. Answers with the same UUID, the
// same mDNS host name, the same service instance name or a shared address belong to one device,
// whatever the order they came in.
class DeviceMerger
{
public:
    // The device records start from this device: its SSL flag, and its ports where the device
    // announces none.
    explicit DeviceMerger(const MonitoredEntry::MFP& defaults);
    ~DeviceMerger();
    DeviceMerger(const DeviceMerger&) = delete;
    DeviceMerger& operator=(const DeviceMerger&) = delete;

    // Answers whether the devices may have changed. The same service or agent answering again
    // replaces its earlier answer; answers beyond SightingsMax are dropped, so a network that
    // announces without end costs bounded memory.
    bool Add(const Sighting& sighting);

    // Sorted by host. A device without an IPv4 address or a usable host name is left out: it could
    // not be monitored.
    std::vector<FoundDevice> GetDevices() const;

    static constexpr std::size_t SightingsMax = 1024;
    // The record a device is exchanged in holds 43 characters of name and 55 of host.
    static constexpr std::size_t NameMax = 43;
    static constexpr std::size_t HostMax = 55;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::Utility
