#pragma once

#include "MonitoredEntry/Serialization/NarrowText.hpp"
#include "MonitoredEntry/Serialization/Sequence.hpp"
#include "RSS/RSSFeed.hpp"

#include <boost/serialization/access.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/split_free.hpp>
#include <boost/serialization/split_member.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/tracking.hpp>

namespace boost::serialization {

template <class Archive>
void save(Archive& ar, const Orvane::RSS::Item& item, unsigned int /*version*/)
{
    using Orvane::MonitoredEntry::Serialization::ToStoredText;
    const std::wstring title = ToStoredText(item.GetTitle());
    const std::wstring description = ToStoredText(item.GetDescription());
    const std::wstring category = ToStoredText(item.GetCategory());
    const std::wstring guid = ToStoredText(item.GetGuid());
    const std::wstring pub = ToStoredText(item.GetPub());
    ar << make_nvp("title", title) << make_nvp("description", description) << make_nvp("category", category)
       << make_nvp("guid", guid) << make_nvp("pub", pub);
}

} // namespace boost::serialization

BOOST_SERIALIZATION_SPLIT_FREE(Orvane::RSS::Item)

namespace Orvane::MonitoredEntry::Serialization {

// The items of a feed as stored, in feed order.
class ItemListRecord
{
public:
    ItemListRecord() = default;
    explicit ItemListRecord(const RSS::RSSFeed::ItemList& items)
        : m_items(items)
    { }

    const RSS::RSSFeed::ItemList& Get() const { return m_items; }

private:
    friend class boost::serialization::access;

    // Reads one item, which has no empty state of its own.
    struct ItemRecord
    {
        std::wstring title;
        std::wstring description;
        std::wstring category;
        std::wstring guid;
        std::wstring pub;

        template <class Archive>
        void serialize(Archive& ar, unsigned int /*version*/)
        {
            ar >> boost::serialization::make_nvp("title", title)
                >> boost::serialization::make_nvp("description", description)
                >> boost::serialization::make_nvp("category", category) >> boost::serialization::make_nvp("guid", guid)
                >> boost::serialization::make_nvp("pub", pub);
        }

        RSS::Item Get() const
        {
            return RSS::Item(FromStoredText(title), FromStoredText(description), FromStoredText(category),
                             FromStoredText(guid), FromStoredText(pub));
        }
    };

    template <class Archive>
    void save(Archive& ar, unsigned int /*version*/) const
    {
        SaveSequenceHeader(ar, m_items.size(), 0);
        for (const RSS::Item& item : m_items)
            ar << boost::serialization::make_nvp("item", item);
    }

    template <class Archive>
    void load(Archive& ar, unsigned int /*version*/)
    {
        m_items.clear();
        for (std::size_t count = LoadSequenceHeader(ar, MaxStoredFeedItems); count > 0; --count) {
            ItemRecord item;
            ar >> boost::serialization::make_nvp("item", item);
            m_items.push_back(item.Get());
        }
    }

    BOOST_SERIALIZATION_SPLIT_MEMBER()

    RSS::RSSFeed::ItemList m_items;
};

} // namespace Orvane::MonitoredEntry::Serialization

BOOST_CLASS_TRACKING(Orvane::MonitoredEntry::Serialization::ItemListRecord, boost::serialization::track_never)
