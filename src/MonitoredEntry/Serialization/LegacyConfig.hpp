#pragma once

namespace Orvane::MonitoredEntry::Serialization {

// The process-wide switch of the settings reader. Reading the three settings added last (erase time,
// event read, delete message) turns it on and, once they were read, off again, so it stays on after a
// store that lacks them failed to load. While it is on the reader takes those three from the
// configuration instead, so a second load reads such an older store completely.
bool IsLegacyConfig();
void SetLegacyConfig(bool on);

} // namespace Orvane::MonitoredEntry::Serialization
