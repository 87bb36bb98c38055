#pragma once

#include "MachineEvent/NotifiableEventManager.hpp"

#include <kestle/thread/actor.hpp>

#include <chrono>
#include <memory>

namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::MachineEvent {

class PopupPresenter;

// Announces logged events one popup at a time. Notified pairs wait, oldest first, at most
// DETECTED_EVENT_QUEUE_SIZE of them (the oldest go first). For each, while the entry exists, has
// Notice on and still logs the event, the presenter shows the device, the account and the event;
// result ResultRead marks the event read, and a popup from which the user opened the event log viewer
// discards the waiting pairs (the viewer shows them all). At least the popup interval passes between
// the end of one popup and the start of the next.
//
// A stop closes the open popup through the presenter and also cuts the interval short; pairs notified
// while the manager is not running are ignored.
class PopupEventManager : public NotifiableEventManager, public kestle::actor<kestle::boost_thread_actor_impl>
{
public:
    static constexpr std::chrono::milliseconds DefaultPopupInterval {1000};

    // Both must outlive the manager. Nothing runs until start.
    PopupEventManager(MonitoredEntry::EntryManager& manager, PopupPresenter& presenter,
                      std::chrono::milliseconds popupInterval = DefaultPopupInterval);
    // Stops.
    ~PopupEventManager() override;

    // Queues one popup; from any thread.
    void Notify(EventPair pair) override;
    // The popups waiting behind the open one.
    std::size_t CountPending() const;

protected:
    void on_start() override;
    void on_stop_request() override;
    int run() override;

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::MachineEvent
