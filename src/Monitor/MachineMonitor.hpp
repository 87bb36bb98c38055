#pragma once

#include "MonitoredEntry/Entry.hpp"

#include <kestle/thread/actor.hpp>

#include <memory>

namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::Monitor {

// Keeps one entry's device and account display names as the device reports them: every
// MACHINE_MONITOR_INTERVAL_MS it asks the device for its machine name and the account's display name
// and stores them in the entry (an empty name as none). A device that cannot be reached leaves the
// names as they were. It keeps running while monitoring is switched off.
class MachineMonitor : public kestle::actor<kestle::boost_thread_actor_impl>
{
public:
    MachineMonitor(const MonitoredEntry::Entry::ID& id, MonitoredEntry::EntryManager& manager);
    ~MachineMonitor() override;

    const MonitoredEntry::Entry::ID& GetID() const;

    // Loads the entry's device and account for the next refresh; does not wake the monitor.
    void Update();

    bool operator<(const MachineMonitor& other) const;
    bool operator==(const MachineMonitor& other) const;

protected:
    int run() override;

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::Monitor
