#pragma once

#include <string>

namespace Orvane::MonitoredEntry {
class MFP;
class User;
} // namespace Orvane::MonitoredEntry

namespace Orvane::UI {

// A device is shown by its name when it has one, else by its host.
std::wstring DeviceDisplayName(const MonitoredEntry::MFP& mfp);
// An account is shown by its name when it has one, else by its ID.
std::wstring AccountDisplayName(const MonitoredEntry::User& user);

} // namespace Orvane::UI
