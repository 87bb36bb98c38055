#include "Monitor/MachineMonitorManager.hpp"

namespace Orvane::Monitor {

MachineMonitorManager::MachineMonitorManager(MonitoredEntry::EntryManager& manager)
    : MonitorManager<MachineMonitor>(manager)
{ }

MachineMonitorManager::MonitorPointer MachineMonitorManager::CreateMonitor(const ID& id,
                                                                           MonitoredEntry::EntryManager& manager)
{
    return std::make_shared<MachineMonitor>(id, manager);
}

} // namespace Orvane::Monitor
