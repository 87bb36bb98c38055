#include "Monitor/EventMonitorManager.hpp"

#include <boost/thread/exceptions.hpp>

namespace Orvane::Monitor {

struct EventMonitorManager::Pimpl
{
    EventMonitor::Queue& queue;
};

EventMonitorManager::EventMonitorManager(MonitoredEntry::EntryManager& manager, EventMonitor::Queue& queue)
    : MonitorManager<EventMonitor>(manager)
    , m_pimpl(std::make_shared<Pimpl>(Pimpl {queue}))
{ }

EventMonitorManager::~EventMonitorManager()
{
    // The monitors use the queue, which may go with the owner: stop them while it is certain to exist.
    StopAll();
}

void EventMonitorManager::OnSignal(const Signal& signal)
{
    ForEach([&signal](EventMonitor& monitor) {
        try {
            monitor.Test(signal);
        } catch (const boost::thread_interrupted&) {
            throw;
        } catch (...) {
            // Confined to this monitor: it misses this signal and reads at its next interval.
        }
    });
}

EventMonitorManager::MonitorPointer EventMonitorManager::CreateMonitor(const ID& id,
                                                                       MonitoredEntry::EntryManager& manager)
{
    return std::make_shared<EventMonitor>(id, manager, m_pimpl->queue);
}

} // namespace Orvane::Monitor
