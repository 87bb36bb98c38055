#pragma once

#include <memory>

namespace Orvane {

namespace MonitoredEntry {
class EntryManager;
}
namespace Monitor {
class Signal;
}
namespace MachineEvent {
class NotifiableEventManager;
class PopupPresenter;
} // namespace MachineEvent

// The monitoring engine: the signal receiver, the event and machine monitor managers, the
// detected-event queue and its manager, and the popup manager, started and stopped in order.
// Settings (port, intervals, queue size) come from the process-wide configuration copies.
class Engine
{
public:
    // The entry manager must outlive the engine. The presenter shows popups; without one
    // (headless run) no popup manager runs.
    Engine(MonitoredEntry::EntryManager& entries, std::shared_ptr<MachineEvent::PopupPresenter> presenter);
    ~Engine(); // stops

    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Hears of every appended (entry, event) pair in place of the popup manager. Set before Start;
    // must outlive the engine's run.
    void SetListener(MachineEvent::NotifiableEventManager* listener);

    // Start order: observers registered, listener set, receiver added and started (a receiver that
    // cannot bind its port does not stop the rest), popup manager then detected-event manager started.
    void Start();

    // The reverse order; each subscriber unsubscribes as its monitor ends, all of them within a few
    // seconds together, and exchanges under way are given up. Never throws; idempotent.
    void Stop();

    bool IsRunning() const;

    // Hands a signal to the event monitors as the receiver would (the viewer's refresh sends an
    // update signal of a device). Nothing happens while the engine is stopped.
    void OnSignal(const Monitor::Signal& signal);

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane
