#pragma once

#include "MonitoredEntry/Entry.hpp"
#include "MonitoredEntry/EventProperty.hpp"

#include <memory>

namespace Orvane::MachineEvent {

// A new feed item an event monitor found for an entry, on its way to the entry's event log.
// Immutable; handed around by shared pointer to const.
class DetectedEvent
{
public:
    DetectedEvent(const MonitoredEntry::Entry::ID& entryID, const MonitoredEntry::EventProperty& property);

    const MonitoredEntry::Entry::ID& GetEntryID() const;
    const MonitoredEntry::EventProperty& GetEventProperty() const;

private:
    struct Pimpl;
    std::shared_ptr<const Pimpl> m_pimpl;
};

} // namespace Orvane::MachineEvent
