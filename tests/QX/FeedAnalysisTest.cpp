#include "Device.hpp"

#include "HTTP/Parser.hpp"
#include "QX/AnalyzeItem.hpp"
#include "QX/AnalyzeRSSFeed.hpp"
#include "QX/Exceptions.hpp"

#include <boost/locale/encoding.hpp>

#include <gtest/gtest.h>

#include <functional>

using Orvane::HTTP::XML::Parser;
using Orvane::QX::AnalyzeRSSFeed;
using namespace QXTest;
namespace HTTP = Orvane::HTTP;
namespace QX = Orvane::QX;

namespace {

const std::string Channel = "<title>Alice</title><link>http://mfp/orvane.htm</link>"
                            "<description>Documents</description><lastBuildDate>Tue, 09 Dec 2008 10:20:00 "
                            "GMT</lastBuildDate>";

// The description's HTML as a device escapes it into the feed.
std::string Escaped(const std::string& html)
{
    std::string text;
    for (const char c : html)
        text += c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '&' ? "&amp;" : std::string(1, c);
    return text;
}

std::string Item(const std::string& guid,
                 const std::string& description
                 = Escaped("<table><tbody><tr><td><a href=\"http://mfp/t.jpg?DC=1\"><img "
                           "src=\"x\"></a></td></tr></tbody></table>"),
                 const std::string& pubDate = "Tue, 09 Dec 2008 10:20:00 GMT")
{
    return "<item><title>Doc " + guid + "</title><link>http://mfp/d</link><description>" + description
        + "</description><category>Scan</category><guid>" + guid + "</guid><pubDate>" + pubDate + "</pubDate></item>";
}

std::string Feed(const std::string& channel, const std::string& declaration = "<?xml version=\"1.0\"?>")
{
    return declaration + "<rss version=\"2.0\"><channel>" + channel + "</channel></rss>";
}

std::unique_ptr<Orvane::RSS::RSSFeed> Analyze(const std::string& document)
{
    Parser parser;
    if (!parser.Document().ParseXml(document.data(), document.size()))
        throw std::runtime_error("the test feed is not well-formed");
    return AnalyzeRSSFeed()(parser);
}

std::string LinkOf(const std::string& description)
{
    return Analyze(Feed(Channel + Item("1", description)))->GetItemList().at(0).GetDescription();
}

} // namespace

TEST(FeedAnalysis, ReadsChannelAndItemsInOrder)
{
    const auto feed = Analyze(Feed(Channel + Item("1") + Item("2") + Item("3")));
    EXPECT_EQ("Alice", feed->GetTitle());
    EXPECT_EQ("http://mfp/orvane.htm", feed->GetLink());
    EXPECT_EQ("Tue, 09 Dec 2008 10:20:00 GMT", feed->GetDate());
    ASSERT_EQ(3u, feed->GetItemList().size());
    const Orvane::RSS::Item& last = feed->GetItemList()[2];
    EXPECT_EQ("Doc 3", last.GetTitle());
    EXPECT_EQ("http://mfp/t.jpg?DC=1", last.GetDescription());
    EXPECT_EQ("Scan", last.GetCategory());
    EXPECT_EQ("3", last.GetGuid());
    EXPECT_EQ("Tue, 09 Dec 2008 10:20:00 GMT", last.GetPub());
    EXPECT_TRUE(Analyze(Feed(Channel))->GetItemList().empty());
}

TEST(FeedAnalysis, JapaneseTextArrivesInUtf8AndShiftJis)
{
    const std::string title = "スキャン文書 東京";
    const std::string body = "<rss version=\"2.0\"><channel><title>" + title
        + "</title><link>l</link><lastBuildDate>9 Dec 2008 10:20 GMT</lastBuildDate><item><title>" + title
        + "</title><description>x</description><category>c</category><guid>1</guid><pubDate>9 Dec 2008 10:20 "
          "GMT</pubDate></item></channel></rss>";
    const std::string utf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + body;
    const std::string sjis
        = boost::locale::conv::from_utf<char>("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>" + body, "Shift_JIS");
    ASSERT_EQ(std::string::npos, sjis.find(title)) << "the Shift_JIS bytes must differ from the UTF-8 ones";
    for (const std::string& document : {utf8, sjis}) {
        const auto feed = Analyze(document);
        EXPECT_EQ(title, feed->GetTitle());
        EXPECT_EQ(title, feed->GetItemList().at(0).GetTitle());
    }
}

TEST(FeedAnalysis, DocumentLinkIsTheHrefOfTheFirstAnchorOrNothing)
{
    const std::pair<std::string, std::string> cases[] = {
        {"just text, no markup", ""},
        {Escaped("<p>no anchor</p>"), ""},
        {Escaped("<a name=\"x\">no href</a>"), ""},
        {Escaped("<a href=\"first\">1</a><a href=\"second\">2</a>"), "first"},
        {Escaped("<a href=\" http://mfp/t.jpg?\n  DC=1 \">x</a>"), "http://mfp/t.jpg? DC=1"},
        {Escaped("<table><tr><td><a href=\"ok\"><<<</td></table></a></b>&&"), "ok"},
        {"<![CDATA[<a href=\"in-cdata\">x</a>]]>", "in-cdata"},
    };
    for (const auto& [description, link] : cases)
        EXPECT_EQ(link, LinkOf(description)) << description;
}

TEST(FeedAnalysis, MissingOrBadPartsRejectTheWholeFeed)
{
    using Check = std::function<bool(const std::function<void()>&)>;
    const Check invalidFeed = [](const auto& call) { return Throws<QX::InvalidRSSFeed>(call); };
    const Check noText = [](const auto& call) { return Throws<HTTP::InvalidContentType>(call); };
    const std::string withoutGuid = Item("1").replace(Item("1").find("<guid>"), 14, "");
    const std::string withoutDescription
        = "<item><title>t</title><category>c</category><guid>1</guid><pubDate>9 Dec 2008 10:20 "
          "GMT</pubDate></item>";
    const std::pair<std::string, Check> cases[] = {
        {"<rss><nochannel/></rss>", invalidFeed},
        {Feed("<link>l</link><lastBuildDate>9 Dec 2008 10:20 GMT</lastBuildDate>"), invalidFeed},
        {Feed("<title>t</title><link>l</link>"), invalidFeed},
        {Feed(Channel + withoutGuid), invalidFeed},
        {Feed(Channel + Item("1", "x", "Tue, 09 Dec 08 10:20:00 GMT")), invalidFeed},
        {Feed("<title/><link>l</link><lastBuildDate>9 Dec 2008 10:20 GMT</lastBuildDate>"), noText},
        {Feed(Channel + Item("1").replace(Item("1").find("<category>Scan"), 14, "<category>")), noText},
        {Feed(Channel + withoutDescription), noText},
    };
    for (const auto& [document, check] : cases)
        EXPECT_TRUE(check([&] { Analyze(document); })) << document;
}

TEST(FeedAnalysis, DatesInEveryRfc822FormAreAccepted)
{
    const auto feed = Analyze(
        Feed(Channel + Item("1", "x", "9 Dec 2008 10:20 GMT") + Item("2", "x", "Tue, 9 Dec 2008 10:20:59 +0900")));
    EXPECT_EQ(2u, feed->GetItemList().size());
}

// Other channel elements after the items are no items: they neither void the feed nor become one.
TEST(FeedAnalysis, ChannelElementsAfterTheItemsAreSkipped)
{
    const std::string lookalike
        = "<extra><title>t</title><description>d</description><category>c</category><guid>g</guid><pubDate>9 Dec "
          "2008 10:20 GMT</pubDate></extra>";
    const auto feed = Analyze(Feed(Channel + Item("1") + "<ttl>5</ttl>" + Item("2") + lookalike));
    ASSERT_EQ(2u, feed->GetItemList().size());
    EXPECT_EQ("2", feed->GetItemList()[1].GetGuid());
}

// What a device sends is bounded before it is kept: long texts are cut (never inside a character),
// a feed too large to store is refused.
TEST(FeedAnalysis, LongTextsAreCutAndAnOversizedFeedIsRefused)
{
    const std::string longTitle = std::string(QX::MaxTextSize - 1, 'x') + "\xe6\x9d\xb1" + std::string(5000, '&');
    const std::string item = Item("1");
    std::string escaped;
    for (const char c : longTitle)
        escaped += c == '&' ? std::string("&amp;") : std::string(1, c);
    const auto feed = Analyze(Feed("<title>" + escaped + "</title>" + Channel.substr(Channel.find("<link>"))
                                   + std::string(item).replace(item.find("Doc 1"), 5, escaped)));
    EXPECT_EQ(std::string(QX::MaxTextSize - 1, 'x'), feed->GetTitle());
    EXPECT_EQ(feed->GetTitle(), feed->GetItemList().at(0).GetTitle());

    std::string many = Channel;
    const std::string big = std::string(item).replace(item.find("Doc 1"), 5, std::string(QX::MaxTextSize, 'y'));
    for (std::size_t size = 0; size <= QX::MaxFeedSize; size += QX::MaxTextSize)
        many += big;
    EXPECT_TRUE(Throws<QX::InvalidRSSFeed>([&] { Analyze(Feed(many)); }));
}
