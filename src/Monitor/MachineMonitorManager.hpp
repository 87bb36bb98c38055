#pragma once

#include "Monitor/MachineMonitor.hpp"
#include "Monitor/MonitorManager.hpp"

namespace Orvane::Monitor {

// One machine monitor per monitored entry; it hears no signals.
class MachineMonitorManager : public MonitorManager<MachineMonitor>
{
public:
    // The entry manager must outlive this one.
    explicit MachineMonitorManager(MonitoredEntry::EntryManager& manager);

protected:
    MonitorPointer CreateMonitor(const ID& id, MonitoredEntry::EntryManager& manager) override;
};

} // namespace Orvane::Monitor
