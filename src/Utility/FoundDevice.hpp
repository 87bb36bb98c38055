#pragma once

#include "MonitoredEntry/MFP.hpp"

#include <string>
#include <vector>

namespace Orvane::Utility {

// One device the search found, made of every answer that belongs to it.
struct FoundDevice
{
    // Name, host and both ports; SSL as the default device has it.
    MonitoredEntry::MFP mfp;
    // Where it was found: "mdns", "snmp".
    std::vector<std::string> sources;
    // The DNS-SD service types it announced.
    std::vector<std::string> services;
    std::vector<std::string> addresses;
    std::string hostName;
    std::string model;
    std::string location;
    std::string uuid;

    bool operator==(const FoundDevice& other) const;
    bool operator!=(const FoundDevice& other) const { return !(*this == other); }
};

} // namespace Orvane::Utility
