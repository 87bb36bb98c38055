#include "RSS/RSSFeed.hpp"

#include <gtest/gtest.h>

namespace {

using Orvane::RSS::Item;
using Orvane::RSS::RSSFeed;

const char* const Date = "Tue, 02 Apr 2024 09:05:07 +0900";

RSSFeed feed(const std::vector<std::string>& guids, const std::string& date = Date, const std::string& pub = Date)
{
    RSSFeed::ItemList items;
    for (const std::string& guid : guids)
        items.emplace_back("title " + guid, "/doc?" + guid, "Scan", guid, pub);
    return RSSFeed("Documents", "http://mfp/rss", date, items);
}

TEST(RSSFeedTest, DefaultIsEmptyAndFieldsAreKept)
{
    const RSSFeed empty;
    EXPECT_TRUE(empty.GetTitle().empty());
    EXPECT_TRUE(empty.GetDate().empty());
    EXPECT_TRUE(empty.GetItemList().empty());

    const RSSFeed one = feed({"g1"});
    const Item& item = one.GetItemList().front();
    EXPECT_EQ("Documents", one.GetTitle());
    EXPECT_EQ("http://mfp/rss", one.GetLink());
    EXPECT_EQ(Date, one.GetDate());
    EXPECT_EQ("title g1", item.GetTitle());
    EXPECT_EQ("/doc?g1", item.GetDescription());
    EXPECT_EQ("Scan", item.GetCategory());
    EXPECT_EQ("g1", item.GetGuid());
    EXPECT_EQ(Date, item.GetPub());
}

TEST(RSSFeedTest, ValidWhenEveryDateParses)
{
    EXPECT_TRUE(feed({}).IsValid());
    EXPECT_TRUE(feed({"g1", "g2"}).IsValid());
    EXPECT_FALSE(RSSFeed().IsValid());
    EXPECT_FALSE(feed({}, "").IsValid());
    EXPECT_FALSE(feed({"g1"}, Date, "02/04/2024").IsValid());
}

TEST(RSSFeedTest, FindNewItems)
{
    const struct
    {
        std::vector<std::string> previous;
        std::vector<std::string> current;
        std::size_t firstNew;
    } cases[] = {
        {{}, {"a", "b"}, 0}, // nothing seen before: all new
        {{"a", "b"}, {"a", "b", "c", "d"}, 2},
        {{"a", "b"}, {"b", "c"}, 1}, // older items dropped by the device
        {{"a", "b"}, {"a", "b"}, 2}, // nothing new
        {{"a", "b"}, {"b", "c", "b", "d"}, 3}, // after the later occurrence
        {{"a", "b"}, {"c", "d"}, 0}, // last seen item gone: all new
        {{"a", "b"}, {"B", "c"}, 0}, // exact comparison
        {{"a"}, {}, 0},
        {{"a", "b", "c"}, {"a", "b"}, 2}, // newest seen item deleted: nothing new
        {{"a", "b", "c"}, {"a", "b", "d"}, 2}, // ... and one added after it
        {{"a", "b", "c"}, {"b", "a", "d"}, 1}, // the newest still listed decides
    };
    for (const auto& c : cases) {
        const RSSFeed previous = feed(c.previous), current = feed(c.current);
        const auto position = Orvane::RSS::FindNewItems(previous, current);
        EXPECT_EQ(c.firstNew, static_cast<std::size_t>(position - current.GetItemList().begin()))
            << c.previous.size() << "/" << c.current.size();
    }
}

// An item the previous feed held is not announced again once the last seen one has gone; while the
// last seen one is listed, everything after it is new, as before.
TEST(RSSFeedTest, NewItemsLeavesOutWhatWasSeen)
{
    const struct
    {
        std::vector<std::string> previous;
        std::vector<std::string> current;
        std::vector<std::string> fresh;
    } cases[] = {
        {{}, {"a", "b"}, {"a", "b"}},
        {{"a", "b"}, {"a", "b", "c"}, {"c"}},
        {{"a", "b"}, {"b", "a", "c"}, {"a", "c"}}, // last seen listed: the rule of the position
        {{"a", "b", "c"}, {"b", "a", "d"}, {"d"}},
        {{"a", "b", "c"}, {"x", "y"}, {"x", "y"}}, // none seen before listed: the device was reset
    };
    for (const auto& c : cases) {
        std::vector<std::string> fresh;
        for (const Item& item : Orvane::RSS::NewItems(feed(c.previous), feed(c.current)))
            fresh.push_back(item.GetGuid());
        EXPECT_EQ(c.fresh, fresh) << c.previous.size() << "/" << c.current.size();
    }
}

TEST(RSSFeedTest, CopiesAreIndependentValues)
{
    RSSFeed copy = feed({"a"});
    const RSSFeed other = feed({"b", "c"});
    copy = other;
    EXPECT_EQ(2u, copy.GetItemList().size());
    EXPECT_EQ("b", copy.GetItemList().front().GetGuid());
}

} // namespace
