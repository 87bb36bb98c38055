#pragma once

#include "MonitoredEntry/Entry.hpp"
#include "MonitoredEntry/Exceptions.hpp"
#include "MonitoredEntry/Serialization/EntryModel.hpp"
#include "MonitoredEntry/Serialization/EventLogModel.hpp"
#include "MonitoredEntry/Serialization/EventPropertyRecord.hpp"
#include "MonitoredEntry/Serialization/FeedModel.hpp"
#include "MonitoredEntry/Serialization/Optional.hpp"

#include <boost/optional/optional.hpp>
#include <boost/serialization/access.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/split_free.hpp>
#include <boost/serialization/split_member.hpp>
#include <boost/serialization/tracking.hpp>
#include <boost/serialization/version.hpp>

#include <memory>

namespace boost::serialization {

template <class Archive>
void save_construct_data(Archive& ar, const Orvane::MonitoredEntry::Entry* entry, unsigned int /*version*/)
{
    ar << make_nvp("ID", entry->GetID()) << make_nvp("Property", entry->GetProperty());
}

template <class Archive>
void save(Archive& ar, const Orvane::MonitoredEntry::Entry& entry, unsigned int /*version*/)
{
    const Orvane::MonitoredEntry::Serialization::Optional<Orvane::RSS::RSSFeed> feed(entry.GetLatestRSSFeed());
    ar << make_nvp("EventLog", entry.ReadEventLog()) << make_nvp("LatestRSSFeed", feed);
}

} // namespace boost::serialization

BOOST_SERIALIZATION_SPLIT_FREE(Orvane::MonitoredEntry::Entry)

namespace Orvane::MonitoredEntry::Serialization {

// One item of the entry list: a shared entry, stored as the pointer "px" to the entry with its
// identifier and property as construction data.
class EntryPointer
{
public:
    EntryPointer() = default;
    explicit EntryPointer(const std::shared_ptr<const Entry>& entry)
        : m_entry(entry)
    { }

    const std::shared_ptr<const Entry>& Get() const { return m_entry; }

private:
    friend class boost::serialization::access;

    // Reads the entry by value, so a file cannot make the reader follow a pointer of its choosing.
    class EntryRecord
    {
    public:
        std::shared_ptr<const Entry> Get() const
        {
            if (!m_entry)
                ThrowReferencedObject();
            return m_entry;
        }

    private:
        friend class boost::serialization::access;

        template <class Archive>
        void serialize(Archive& ar, unsigned int /*version*/)
        {
            Entry::ID id;
            EntryProperty property;
            EventLog log(0);
            Optional<RSS::RSSFeed> feed;
            ar >> boost::serialization::make_nvp("ID", id) >> boost::serialization::make_nvp("Property", property)
                >> boost::serialization::make_nvp("EventLog", log)
                >> boost::serialization::make_nvp("LatestRSSFeed", feed);
            auto entry = std::make_shared<Entry>(id, property);
            entry->SetEventLog(std::make_shared<EventLog>(log));
            entry->SetLatestRSSFeed(feed.Get());
            m_entry = entry;
        }

        std::shared_ptr<const Entry> m_entry;
    };

    template <class Archive>
    void save(Archive& ar, unsigned int /*version*/) const
    {
        const Entry* px = m_entry.get();
        ar << boost::serialization::make_nvp("px", px);
    }

    template <class Archive>
    void load(Archive& ar, unsigned int /*version*/)
    {
        EntryRecord px;
        ar >> boost::serialization::make_nvp("px", px);
        m_entry = px.Get();
    }

    BOOST_SERIALIZATION_SPLIT_MEMBER()

    std::shared_ptr<const Entry> m_entry;
};

} // namespace Orvane::MonitoredEntry::Serialization

BOOST_CLASS_VERSION(Orvane::MonitoredEntry::Serialization::EntryPointer, 1)
BOOST_CLASS_TRACKING(Orvane::MonitoredEntry::Serialization::EntryPointer, boost::serialization::track_never)
