#pragma once

#include "MonitoredEntry/Entry.hpp"
#include "MonitoredEntry/Event.hpp"

#include <utility>

namespace Orvane::MachineEvent {

// Told of every event the detected-event manager has just logged.
class NotifiableEventManager
{
public:
    // (entry identifier, event identifier)
    using EventPair = std::pair<MonitoredEntry::Entry::ID, MonitoredEntry::Event::ID>;

    virtual ~NotifiableEventManager() = default;

    // Called on the detected-event manager's thread after the batch's commit, while its listener
    // lock is held: hand the pair over and return.
    virtual void Notify(EventPair pair) = 0;
};

} // namespace Orvane::MachineEvent
