#include "MachineEvent/DetectedEvent.hpp"

namespace Orvane::MachineEvent {

struct DetectedEvent::Pimpl
{
    MonitoredEntry::Entry::ID entryID;
    MonitoredEntry::EventProperty property;
};

DetectedEvent::DetectedEvent(const MonitoredEntry::Entry::ID& entryID, const MonitoredEntry::EventProperty& property)
    : m_pimpl(std::make_shared<const Pimpl>(Pimpl {entryID, property}))
{ }

const MonitoredEntry::Entry::ID& DetectedEvent::GetEntryID() const
{
    return m_pimpl->entryID;
}

const MonitoredEntry::EventProperty& DetectedEvent::GetEventProperty() const
{
    return m_pimpl->property;
}

} // namespace Orvane::MachineEvent
