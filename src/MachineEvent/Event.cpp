#include "MachineEvent/Event.hpp"

namespace Orvane::MachineEvent {

struct Event::Pimpl
{
    MonitoredEntry::MFP mfp;
    MonitoredEntry::User user;
    MonitoredEntry::EventProperty property;
};

Event::Event(const MonitoredEntry::MFP& mfp, const MonitoredEntry::User& user,
             const MonitoredEntry::EventProperty& property)
    : m_pimpl(std::make_shared<const Pimpl>(Pimpl {mfp, user, property}))
{ }

const MonitoredEntry::MFP& Event::GetMFP() const
{
    return m_pimpl->mfp;
}

const MonitoredEntry::User& Event::GetUser() const
{
    return m_pimpl->user;
}

const MonitoredEntry::EventProperty& Event::GetEventProperty() const
{
    return m_pimpl->property;
}

} // namespace Orvane::MachineEvent
