#pragma once

// How events are stored. Event properties and their times are written through pointers, with their
// fields as construction data; they are read back by value through records of the same layout, so a
// file can never make the reader follow a pointer of its choosing.

#include "MonitoredEntry/Event.hpp"
#include "MonitoredEntry/Serialization/EntryModel.hpp"
#include "MonitoredEntry/Serialization/NarrowText.hpp"

#include <boost/serialization/nvp.hpp>
#include <boost/serialization/split_free.hpp>

namespace boost::serialization {

template <class Archive>
void save(Archive& ar, const Orvane::MonitoredEntry::Event& event, unsigned int /*version*/)
{
    const bool read = event.IsRead();
    ar << make_nvp("Read", read);
}

template <class Archive>
void load(Archive& ar, Orvane::MonitoredEntry::Event& event, unsigned int /*version*/)
{
    bool read = false;
    ar >> make_nvp("Read", read);
    event.SetRead(read);
}

template <class Archive>
void save_construct_data(Archive& ar, const Orvane::RSS::EventTime* time, unsigned int /*version*/)
{
    const std::wstring text = Orvane::MonitoredEntry::Serialization::ToStoredText(time->GetText());
    ar << make_nvp("string", text);
}

// Everything is construction data; nothing follows it.
template <class Archive>
void serialize(Archive& /*ar*/, Orvane::RSS::EventTime& /*time*/, unsigned int /*version*/)
{ }

template <class Archive>
void save_construct_data(Archive& ar, const Orvane::MonitoredEntry::EventProperty* property, unsigned int /*version*/)
{
    using namespace Orvane::MonitoredEntry::Serialization;
    const WideText category(property->GetCategory());
    const WideText info(property->GetInfo());
    const Optional<std::wstring> thumbNailURL(property->GetThumbNailURL());
    const Optional<std::wstring> docID(property->GetDocID());
    const Orvane::RSS::EventTime* time = &property->GetTime();
    ar << make_nvp("Category", category) << make_nvp("Info", info) << make_nvp("ThumbNailURL", thumbNailURL)
       << make_nvp("DocID", docID) << make_nvp("Time", time);
}

template <class Archive>
void serialize(Archive& /*ar*/, Orvane::MonitoredEntry::EventProperty& /*property*/, unsigned int /*version*/)
{ }

} // namespace boost::serialization

BOOST_SERIALIZATION_SPLIT_FREE(Orvane::MonitoredEntry::Event)
