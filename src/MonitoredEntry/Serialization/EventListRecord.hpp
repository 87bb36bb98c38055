#pragma once

#include "MonitoredEntry/EventLog.hpp"
#include "MonitoredEntry/Serialization/EventModel.hpp"
#include "MonitoredEntry/Serialization/EventPropertyRecord.hpp"
#include "MonitoredEntry/Serialization/Sequence.hpp"

#include <boost/serialization/access.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/split_member.hpp>
#include <boost/serialization/tracking.hpp>

namespace Orvane::MonitoredEntry::Serialization {

// The events of a log as stored: each event's identifier and property (its construction data) as
// siblings, then the event itself as "item".
class EventListRecord
{
public:
    // For reading.
    EventListRecord() = default;
    // For writing. It refers to the logged events themselves: the archive knows written objects by
    // their address, so the properties must stay where they are until the document is complete.
    explicit EventListRecord(const EventLog::EventList& events)
        : m_source(&events)
    { }

    const EventLog::EventList& Get() const { return m_events; }

private:
    friend class boost::serialization::access;

    template <class Archive>
    void save(Archive& ar, unsigned int /*version*/) const
    {
        SaveSequenceHeader(ar, m_source->size(), 0);
        for (const Event& event : *m_source) {
            const EventProperty* property = &event.GetProperty();
            ar << boost::serialization::make_nvp("ID", event.GetID());
            ar << boost::serialization::make_nvp("Property", property);
            ar << boost::serialization::make_nvp("item", event);
        }
    }

    template <class Archive>
    void load(Archive& ar, unsigned int /*version*/)
    {
        m_events.clear();
        for (std::size_t count = LoadSequenceHeader(ar, MaxStoredEvents); count > 0; --count) {
            Event::ID id;
            EventPropertyRecord property;
            ar >> boost::serialization::make_nvp("ID", id);
            ar >> boost::serialization::make_nvp("Property", property);
            Event event(id, property.Get());
            ar >> boost::serialization::make_nvp("item", event);
            m_events.push_back(event);
        }
    }

    BOOST_SERIALIZATION_SPLIT_MEMBER()

    const EventLog::EventList* m_source = nullptr;
    EventLog::EventList m_events;
};

} // namespace Orvane::MonitoredEntry::Serialization

BOOST_CLASS_TRACKING(Orvane::MonitoredEntry::Serialization::EventListRecord, boost::serialization::track_never)
