#include "MonitoredEntry/EventLog.hpp"

#include "MonitoredEntry/Exceptions.hpp"

#include <algorithm>
#include <set>

namespace Orvane::MonitoredEntry {

struct EventLog::Pimpl
{
    EventList events;
    Event::ID nextID;
    std::int32_t max = 0;

    EventList::const_iterator Find(const Event::ID& id) const
    {
        return std::find_if(events.begin(), events.end(), [&id](const Event& event) { return event.GetID() == id; });
    }

    EventList::const_iterator FindExisting(const Event::ID& id) const
    {
        const auto found = Find(id);
        if (found == events.end())
            BOOST_THROW_EXCEPTION(MissingEvent());
        return found;
    }

    bool IsNew(const EventProperty& property) const
    {
        return std::none_of(events.begin(), events.end(),
                            [&property](const Event& event) { return event.GetProperty() == property; });
    }

    // An identifier no stored event has, from nextID on: after the counter wraps, or in a log
    // restored from a damaged file, nextID itself may still be in use.
    Event::ID FreeID() const
    {
        Event::ID id = nextID;
        while (Find(id) != events.end())
            id = id.Next();
        return id;
    }
};

namespace {

void TrimList(EventLog::EventList& events, std::int32_t count)
{
    const std::size_t keep = static_cast<std::size_t>(std::max<std::int32_t>(count, 0));
    if (events.size() > keep)
        events.erase(events.begin(), events.end() - static_cast<std::ptrdiff_t>(keep));
}

void CheckDistinct(const EventLog::EventList& events)
{
    std::set<Event::ID> seen;
    for (const Event& event : events) {
        if (!seen.insert(event.GetID()).second)
            BOOST_THROW_EXCEPTION(DuplicateEvent() << ErrorMessage("two events share an identifier"));
    }
}

} // namespace

EventLog::EventLog(std::int32_t max)
    : m_pimpl(std::make_unique<Pimpl>())
{
    m_pimpl->max = max;
}

EventLog::EventLog(std::int32_t max, const Event::ID& nextID, const EventList& events)
    : m_pimpl(std::make_unique<Pimpl>(Pimpl {events, nextID, max}))
{
    CheckDistinct(events);
}

EventLog::EventLog(const EventLog& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

EventLog& EventLog::operator=(const EventLog& other)
{
    *m_pimpl = *other.m_pimpl;
    return *this;
}

EventLog::~EventLog() = default;

Event::ID EventLog::Append(const EventProperty& property)
{
    Pimpl& p = *m_pimpl;
    if (!p.IsNew(property))
        BOOST_THROW_EXCEPTION(DuplicateEvent());
    const Event::ID id = p.FreeID();
    EventList events = p.events;
    events.emplace_back(id, property);
    TrimList(events, p.max);
    p.events.swap(events);
    p.nextID = id.Next();
    return id;
}

const Event& EventLog::GetEvent(const Event::ID& id) const
{
    return *m_pimpl->FindExisting(id);
}

void EventLog::SetEvent(const Event& event)
{
    const auto found = m_pimpl->FindExisting(event.GetID());
    m_pimpl->events[static_cast<std::size_t>(found - m_pimpl->events.begin())] = event;
}

bool EventLog::Contains(const Event::ID& id) const
{
    return m_pimpl->Find(id) != m_pimpl->events.end();
}

bool EventLog::IsNew(const EventProperty& property) const
{
    return m_pimpl->IsNew(property);
}

std::size_t EventLog::CountUnread() const
{
    const EventList& events = m_pimpl->events;
    return static_cast<std::size_t>(
        std::count_if(events.begin(), events.end(), [](const Event& event) { return !event.IsRead(); }));
}

void EventLog::Trim(std::int32_t count)
{
    TrimList(m_pimpl->events, count);
}

std::int32_t EventLog::GetMax() const
{
    return m_pimpl->max;
}

void EventLog::SetMax(std::int32_t max)
{
    m_pimpl->max = max;
}

const Event::ID& EventLog::GetNextID() const
{
    return m_pimpl->nextID;
}

const EventLog::EventList& EventLog::GetEventList() const
{
    return m_pimpl->events;
}

} // namespace Orvane::MonitoredEntry
