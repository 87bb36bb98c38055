#include "QX/AnalyzeRSSFeed.hpp"

#include "QX/AnalyzeItem.hpp"
#include "QX/Exceptions.hpp"

#include <boost/throw_exception.hpp>

namespace Orvane::QX {

namespace {

using HTTP::XML::Parser;

std::string TextOf(const Parser& parser, const Parser::Iterator& channel, const char* name)
{
    const Parser::Iterator found = parser.Find(name, channel);
    if (found == parser.End())
        BOOST_THROW_EXCEPTION(InvalidRSSFeed());
    return BoundedText(found->GetString());
}

// What an item adds to the feed's size: its texts and a share for the markup around them.
std::size_t StoredSize(const RSS::Item& item)
{
    constexpr std::size_t markup = 128;
    return markup + item.GetTitle().size() + item.GetDescription().size() + item.GetCategory().size()
        + item.GetGuid().size() + item.GetPub().size();
}

// Items from the first ITEM on. Other channel elements among or after them are no items: a feed
// that adds one after its items must not lose all of them, nor gain a made-up one.
RSS::RSSFeed::ItemList ItemsOf(const Parser& parser, const Parser::Iterator& channel)
{
    RSS::RSSFeed::ItemList items;
    AnalyzeItem analyze(parser);
    std::size_t size = 0;
    for (Parser::Iterator at = parser.Find("ITEM", channel); at != parser.End(); ++at) {
        if (at->GetName() != "ITEM")
            continue;
        items.push_back(analyze(at));
        size += StoredSize(items.back());
        if (size > MaxFeedSize)
            BOOST_THROW_EXCEPTION(InvalidRSSFeed());
    }
    return items;
}

} // namespace

std::unique_ptr<RSS::RSSFeed> AnalyzeRSSFeed::operator()(const Parser& parser) const
{
    const Parser::Iterator channel = parser.Search("CHANNEL");
    if (channel == parser.End())
        BOOST_THROW_EXCEPTION(InvalidRSSFeed());
    const std::string title = TextOf(parser, channel, "TITLE");
    const std::string link = TextOf(parser, channel, "LINK");
    const std::string date = TextOf(parser, channel, "LASTBUILDDATE");
    auto feed = std::make_unique<RSS::RSSFeed>(title, link, date, ItemsOf(parser, channel));
    if (!feed->IsValid())
        BOOST_THROW_EXCEPTION(InvalidRSSFeed());
    return feed;
}

} // namespace Orvane::QX
