#pragma once

#include "MachineEvent/DetectedEventQueue.hpp"

#include <kestle/thread/actor.hpp>

#include <chrono>
#include <memory>

namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::MachineEvent {

class NotifiableEventManager;

// Takes detected events from the queue in batches and logs them. A batch ends when the queue has
// been idle for BatchIdleTime (or holds DETECTED_EVENT_QUEUE_SIZE events); its events are appended
// to their entries' logs in one transaction, so the entry manager's observers see one change, and
// the logged (entry, event) pairs then go to the listener. Events of removed entries and events
// equal to logged ones are dropped, and so is an event its log refuses (an equal one earlier in the
// same batch, a time that cannot be compared): the rest of the batch is still logged.
//
// While the queue is empty the manager sleeps until an event arrives (no polling), and a stop ends it
// there at once. A batch already begun is gathered and logged before the stop takes effect, so what
// monitors queued before they were stopped is still logged. The run also ends, after logging what it
// has, when the queue is disabled.
class DetectedEventManager : public kestle::actor<kestle::boost_thread_actor_impl>
{
public:
    static constexpr std::chrono::milliseconds BatchIdleTime {300};

    // Both must outlive the manager. Nothing runs until start.
    DetectedEventManager(MonitoredEntry::EntryManager& manager, DetectedEventQueue& queue);
    // Stops.
    ~DetectedEventManager() override;

    // The listener is not owned. ClearListener waits for a notification in progress, so the listener
    // is not called once it returns.
    void SetListener(NotifiableEventManager* listener);
    void ClearListener();

protected:
    int run() override;

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::MachineEvent
