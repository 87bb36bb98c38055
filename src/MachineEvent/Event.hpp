#pragma once

#include "MonitoredEntry/EventProperty.hpp"
#include "MonitoredEntry/MFP.hpp"
#include "MonitoredEntry/User.hpp"

#include <memory>

namespace Orvane::MachineEvent {

// What a popup shows: the device, the account and the logged event, copied out of the entry
// manager so they can be read without its lock.
class Event
{
public:
    Event(const MonitoredEntry::MFP& mfp, const MonitoredEntry::User& user,
          const MonitoredEntry::EventProperty& property);

    const MonitoredEntry::MFP& GetMFP() const;
    const MonitoredEntry::User& GetUser() const;
    const MonitoredEntry::EventProperty& GetEventProperty() const;

private:
    struct Pimpl;
    std::shared_ptr<const Pimpl> m_pimpl;
};

} // namespace Orvane::MachineEvent
