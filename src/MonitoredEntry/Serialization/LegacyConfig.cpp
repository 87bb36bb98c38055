#include "MonitoredEntry/Serialization/LegacyConfig.hpp"

#include <atomic>

namespace Orvane::MonitoredEntry::Serialization {

namespace {

std::atomic<bool> legacyConfig {false};

} // namespace

bool IsLegacyConfig()
{
    return legacyConfig.load();
}

void SetLegacyConfig(bool on)
{
    legacyConfig.store(on);
}

} // namespace Orvane::MonitoredEntry::Serialization
