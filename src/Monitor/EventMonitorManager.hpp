#pragma once

#include "Monitor/EventMonitor.hpp"
#include "Monitor/EventSignalObserver.hpp"
#include "Monitor/MonitorManager.hpp"

namespace Orvane::Monitor {

// One event monitor per monitored entry, all feeding one detected-event queue, and the way signals
// reach them: every signal is tested by every monitor.
class EventMonitorManager : public MonitorManager<EventMonitor>, public EventSignalObserver
{
public:
    // The entry manager and the queue must outlive this one.
    EventMonitorManager(MonitoredEntry::EntryManager& manager, EventMonitor::Queue& queue);
    ~EventMonitorManager() override;

    // Every monitor tests the signal; one monitor's failure is its own, the others still test it.
    void OnSignal(const Signal& signal) override;

protected:
    MonitorPointer CreateMonitor(const ID& id, MonitoredEntry::EntryManager& manager) override;

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::Monitor
