#include "UI/VirtualList/EventListSource.hpp"

#include "MonitoredEntry/EntryManager.hpp"

#include <unordered_map>

namespace Orvane::UI::VirtualList {

using MonitoredEntry::Entry;
using MonitoredEntry::Event;
using MonitoredEntry::EventLog;

// Sorting asks for each event many times; a log keeps its events in a vector searched from the
// front, so the source remembers where each event of the last log it read was. The memory is only a
// hint: every answer is checked against the log and a miss rebuilds it from the log in hand.
struct EventListSource::Pimpl
{
    explicit Pimpl(const MonitoredEntry::EntryManager& entries)
        : manager(entries)
    { }

    const MonitoredEntry::EntryManager& manager;
    boost::optional<Entry::ID> entry;
    mutable std::unordered_map<Event::ID::ValueType, std::size_t> positions;

    const Event* Lookup(const EventLog::EventList& events, const Event::ID& id) const
    {
        const auto found = positions.find(id.GetValue());
        if (found == positions.end() || found->second >= events.size())
            return nullptr;
        const Event& event = events[found->second];
        return event.GetID() == id ? &event : nullptr;
    }

    const Event* Find(const EventLog& log, const Event::ID& id) const
    {
        const auto& events = log.GetEventList();
        if (const Event* event = Lookup(events, id))
            return event;
        positions.clear();
        for (std::size_t i = 0; i < events.size(); ++i)
            positions.emplace(events[i].GetID().GetValue(), i);
        return Lookup(events, id);
    }
};

EventListSource::EventListSource(const MonitoredEntry::EntryManager& manager)
    : m_pimpl(std::make_unique<Pimpl>(manager))
{ }

EventListSource::~EventListSource() = default;

void EventListSource::SetEntry(const boost::optional<Entry::ID>& entry)
{
    m_pimpl->entry = entry;
}

const boost::optional<Entry::ID>& EventListSource::GetEntry() const
{
    return m_pimpl->entry;
}

std::unique_ptr<EventListSource::Keys> EventListSource::GetKeys() const
{
    auto keys = std::make_unique<Keys>();
    const auto& db = m_pimpl->manager.GetDB();
    if (!m_pimpl->entry || !db.Contains(*m_pimpl->entry))
        return keys;
    const auto& events = db.GetEntry(*m_pimpl->entry).ReadEventLog().GetEventList();
    keys->reserve(events.size());
    for (const auto& event : events)
        keys->emplace_back(*m_pimpl->entry, event.GetID());
    return keys;
}

bool EventListSource::Contains(const Key& key) const
{
    return FindEvent(key) != nullptr;
}

void EventListSource::Lock() const
{
    m_pimpl->manager.Lock();
}

void EventListSource::Unlock() const
{
    m_pimpl->manager.Unlock();
}

const Event* EventListSource::FindEvent(const Key& key) const
{
    const auto& db = m_pimpl->manager.GetDB();
    if (!db.Contains(key.first))
        return nullptr;
    return m_pimpl->Find(db.GetEntry(key.first).ReadEventLog(), key.second);
}

const MonitoredEntry::EntryManager& EventListSource::GetManager() const
{
    return m_pimpl->manager;
}

} // namespace Orvane::UI::VirtualList
