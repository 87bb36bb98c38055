#pragma once

#include "MonitoredEntry/BasicID.hpp"
#include "MonitoredEntry/EventProperty.hpp"

#include <memory>

namespace Orvane::MonitoredEntry {

// One logged event.
class Event
{
public:
    using ID = BasicID<long>;

    // Unread.
    Event(const ID& id, const EventProperty& property);
    Event(const Event& other);
    Event& operator=(const Event& other);
    ~Event();

    // Unique within its log.
    const ID& GetID() const;
    bool IsRead() const;
    void SetRead(bool read);
    const EventProperty& GetProperty() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::MonitoredEntry
