#pragma once

#include "MonitoredEntry/EventProperty.hpp"
#include "MonitoredEntry/Exceptions.hpp"
#include "MonitoredEntry/Serialization/MalformedStore.hpp"
#include "MonitoredEntry/Serialization/NarrowText.hpp"
#include "MonitoredEntry/Serialization/Optional.hpp"
#include "MonitoredEntry/Serialization/WideText.hpp"

#include <boost/optional/optional.hpp>
#include <boost/serialization/access.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/throw_exception.hpp>

namespace Orvane::MonitoredEntry::Serialization {

// A stored object that the archive skipped: the file gave it as a reference to an earlier object,
// which the program never writes.
[[noreturn]] inline void ThrowReferencedObject()
{
    BOOST_THROW_EXCEPTION(MalformedStore() << ErrorMessage("a stored object given as a reference"));
}

// Reads an event property, written through a pointer, by value: its fields and its time.
class EventPropertyRecord
{
public:
    // Raises MalformedStore when nothing was read.
    const EventProperty& Get() const
    {
        if (!m_property)
            ThrowReferencedObject();
        return *m_property;
    }

private:
    friend class boost::serialization::access;

    // The time, written through a pointer as its text alone.
    class TimeRecord
    {
    public:
        const RSS::EventTime& Get() const
        {
            if (!m_time)
                ThrowReferencedObject();
            return *m_time;
        }

    private:
        friend class boost::serialization::access;

        template <class Archive>
        void serialize(Archive& ar, unsigned int /*version*/)
        {
            std::wstring text;
            ar >> boost::serialization::make_nvp("string", text);
            m_time = RSS::EventTime(FromStoredText(text));
        }

        boost::optional<RSS::EventTime> m_time;
    };

    template <class Archive>
    void serialize(Archive& ar, unsigned int /*version*/)
    {
        WideText category;
        WideText info;
        Optional<std::wstring> thumbNailURL;
        Optional<std::wstring> docID;
        TimeRecord time;
        ar >> boost::serialization::make_nvp("Category", category) >> boost::serialization::make_nvp("Info", info)
            >> boost::serialization::make_nvp("ThumbNailURL", thumbNailURL)
            >> boost::serialization::make_nvp("DocID", docID) >> boost::serialization::make_nvp("Time", time);
        m_property = EventProperty(category.Get(), info.Get(), thumbNailURL.Get(), docID.Get(), time.Get());
    }

    boost::optional<EventProperty> m_property;
};

} // namespace Orvane::MonitoredEntry::Serialization
