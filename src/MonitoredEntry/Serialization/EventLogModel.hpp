#pragma once

// How an event log is stored: its events, the next event identifier and its size limit.

#include "MonitoredEntry/EventLog.hpp"
#include "MonitoredEntry/Serialization/EventListRecord.hpp"

#include <boost/serialization/nvp.hpp>
#include <boost/serialization/split_free.hpp>

namespace boost::serialization {

template <class Archive>
void save(Archive& ar, const Orvane::MonitoredEntry::EventLog& log, unsigned int /*version*/)
{
    const Orvane::MonitoredEntry::Serialization::EventListRecord events(log.GetEventList());
    const std::int32_t max = log.GetMax();
    ar << make_nvp("EventList", events) << make_nvp("NextID", log.GetNextID()) << make_nvp("Max", max);
}

template <class Archive>
void load(Archive& ar, Orvane::MonitoredEntry::EventLog& log, unsigned int /*version*/)
{
    Orvane::MonitoredEntry::Serialization::EventListRecord events;
    Orvane::MonitoredEntry::Event::ID nextID;
    std::int32_t max = 0;
    ar >> make_nvp("EventList", events) >> make_nvp("NextID", nextID) >> make_nvp("Max", max);
    log = Orvane::MonitoredEntry::EventLog(max, nextID, events.Get());
}

} // namespace boost::serialization

BOOST_SERIALIZATION_SPLIT_FREE(Orvane::MonitoredEntry::EventLog)
