#pragma once

#include "HTTP/KnownDevices.hpp"

#include <boost/optional/optional.hpp>

#include <string>

namespace Orvane::MonitoredEntry {
class MFP;
}

namespace Orvane::UI {

// What the known devices record for a device's HTTPS address, and forgetting it: a replaced
// device shows a new certificate, which the recorded one would refuse for ever.
class DeviceTrust
{
public:
    explicit DeviceTrust(HTTP::KnownDevices known);

    // The record of the device's host and HTTPS port: a fingerprint, or the authority mark; none
    // without an HTTPS port.
    boost::optional<std::string> Record(const MonitoredEntry::MFP& mfp) const;
    // Removes the record; the next HTTPS exchange trusts the device as one seen for the first time.
    // False when there was none. Raises HTTP::OpenFailure when the file cannot be rewritten.
    bool Forget(const MonitoredEntry::MFP& mfp) const;

private:
    HTTP::KnownDevices m_known;
};

} // namespace Orvane::UI
