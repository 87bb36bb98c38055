#pragma once

#include "MonitoredEntry/Event.hpp"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace Orvane::MonitoredEntry {

// The events of one entry, oldest first. It keeps at most Max events after every append, drops
// the oldest first, and never holds two events with equal properties or equal identifiers.
class EventLog
{
public:
    using EventList = std::vector<Event>;

    explicit EventLog(std::int32_t max);
    // A log as it was stored: raises DuplicateEvent when two events share an identifier.
    EventLog(std::int32_t max, const Event::ID& nextID, const EventList& events);
    EventLog(const EventLog& other);
    EventLog& operator=(const EventLog& other);
    ~EventLog();

    // Adds an unread event at the end and drops the oldest beyond Max. Raises DuplicateEvent when
    // a stored event has an equal property; raises what comparing the times raises. Nothing changes
    // when it raises.
    Event::ID Append(const EventProperty& property);

    // Raises MissingEvent.
    const Event& GetEvent(const Event::ID& id) const;
    // Replaces the stored event with the same identifier; raises MissingEvent.
    void SetEvent(const Event& event);
    bool Contains(const Event::ID& id) const;
    // No stored event has an equal property.
    bool IsNew(const EventProperty& property) const;
    std::size_t CountUnread() const;
    // Keeps only the newest `count` events.
    void Trim(std::int32_t count);

    std::int32_t GetMax() const;
    // Does not trim.
    void SetMax(std::int32_t max);
    // The identifier the next appended event gets unless it is in use.
    const Event::ID& GetNextID() const;
    const EventList& GetEventList() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::MonitoredEntry
