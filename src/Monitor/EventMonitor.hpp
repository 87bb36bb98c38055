#pragma once

#include "MachineEvent/DetectedEventQueue.hpp"
#include "MonitoredEntry/Entry.hpp"

#include <kestle/thread/actor.hpp>

#include <memory>

namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::Monitor {

class Signal;

// Watches one entry's feed on its own thread: reads it when the entry's interval has passed or a
// signal for its device arrived, turns the items after those of the feed read last into detected
// events, queues them and keeps the feed as the entry's latest. Owns the entry's feed subscriber.
// Switching monitoring off suspends it (the subscriber is stopped, nothing is read); on resumes it
// with an immediate check.
class EventMonitor : public kestle::actor<kestle::boost_thread_actor_impl>
{
public:
    using Queue = MachineEvent::DetectedEventQueue;

    // The queue and the manager must outlive the monitor.
    EventMonitor(const MonitoredEntry::Entry::ID& id, MonitoredEntry::EntryManager& manager, Queue& queue);
    // Stops; the subscriber unsubscribes before this returns.
    ~EventMonitor() override;

    const MonitoredEntry::Entry::ID& GetID() const;

    // Re-reads the entry: a new device host or monitoring switched on checks at once, monitoring
    // switched off suspends. Must not be called with the entry lock held.
    void Update();

    // Asks for a check now when the signal concerns the entry's device; checks that paced signals
    // (device datagrams) ask for come at least two seconds apart, the one asked for inside the gap at
    // its end. Device host names are resolved at most once every few seconds; a host that does not
    // resolve matches nothing.
    void Test(const Signal& signal);

    bool operator<(const EventMonitor& other) const;
    bool operator==(const EventMonitor& other) const;

protected:
    int run() override;

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::Monitor
