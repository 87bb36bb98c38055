#pragma once

// How the latest feed of an entry is stored: the channel's texts and its items, all plain wide strings.

#include "MonitoredEntry/Serialization/ItemListRecord.hpp"
#include "MonitoredEntry/Serialization/NarrowText.hpp"
#include "RSS/RSSFeed.hpp"

#include <boost/serialization/nvp.hpp>
#include <boost/serialization/split_free.hpp>
#include <boost/serialization/string.hpp>

namespace boost::serialization {

template <class Archive>
void save(Archive& ar, const Orvane::RSS::RSSFeed& feed, unsigned int /*version*/)
{
    using namespace Orvane::MonitoredEntry::Serialization;
    const std::wstring title = ToStoredText(feed.GetTitle());
    const std::wstring link = ToStoredText(feed.GetLink());
    const std::wstring date = ToStoredText(feed.GetDate());
    const ItemListRecord items(feed.GetItemList());
    ar << make_nvp("Title", title) << make_nvp("Link", link) << make_nvp("Date", date) << make_nvp("ItemList", items);
}

template <class Archive>
void load(Archive& ar, Orvane::RSS::RSSFeed& feed, unsigned int /*version*/)
{
    using namespace Orvane::MonitoredEntry::Serialization;
    std::wstring title;
    std::wstring link;
    std::wstring date;
    ItemListRecord items;
    ar >> make_nvp("Title", title) >> make_nvp("Link", link) >> make_nvp("Date", date) >> make_nvp("ItemList", items);
    feed = Orvane::RSS::RSSFeed(FromStoredText(title), FromStoredText(link), FromStoredText(date), items.Get());
}

} // namespace boost::serialization

BOOST_SERIALIZATION_SPLIT_FREE(Orvane::RSS::RSSFeed)
