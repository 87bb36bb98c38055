#include "DeviceCalls.hpp"

#include <libxml/HTMLparser.h>
#include <libxml/xpath.h>
#include <turbojpeg.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using OrvaneTest::DevSim;

namespace {

// Reads a description fragment the way the program does: as HTML, then the first A in it.
struct DescriptionLink
{
    std::string href;
    std::string imgSrc;
    bool insideTableCell = false;
};

std::string xpathText(xmlDocPtr doc, const std::string& path)
{
    std::unique_ptr<xmlXPathContext, void (*)(xmlXPathContextPtr)> context(xmlXPathNewContext(doc),
                                                                           xmlXPathFreeContext);
    std::unique_ptr<xmlXPathObject, void (*)(xmlXPathObjectPtr)> found(
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(path.c_str()), context.get()), xmlXPathFreeObject);
    if (!found || !found->nodesetval || found->nodesetval->nodeNr == 0)
        return "";
    xmlChar* content = xmlNodeGetContent(found->nodesetval->nodeTab[0]);
    std::string text = reinterpret_cast<const char*>(content);
    xmlFree(content);
    return text;
}

DescriptionLink readDescription(const std::string& html)
{
    std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> doc(
        htmlReadMemory(html.data(), static_cast<int>(html.size()), nullptr, "UTF-8",
                       HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING),
        xmlFreeDoc);
    if (!doc)
        return {};
    return {xpathText(doc.get(), "(//a)[1]/@href"), xpathText(doc.get(), "(//a)[1]/img/@src"),
            !xpathText(doc.get(), "//table/tbody/tr/td/a/@href").empty()};
}

// The request path the program derives from a thumbnail address: "&ifm=1" appended when the
// address has no "ifm", then everything from the third "/".
std::string thumbnailTarget(std::string url)
{
    if (url.find("ifm") == std::string::npos)
        url += "&ifm=1";
    std::size_t slash = 0;
    for (int i = 0; i < 3 && slash != std::string::npos; ++i)
        slash = url.find('/', i == 0 ? 0 : slash + 1);
    return slash == std::string::npos ? "" : url.substr(slash);
}

class FeedTest : public ::testing::Test
{
protected:
    std::string feed()
    {
        const auto answer = calls.get("/rss/alice.xml", "alice", "alice-pass");
        EXPECT_TRUE(answer);
        if (!answer)
            return "";
        EXPECT_EQ(200, answer->status);
        EXPECT_EQ(0u, answer->get_header_value("Content-Type").find("text/xml"));
        return answer->body;
    }

    DevSim devsim;
    DeviceCalls calls {devsim};
};

} // namespace

TEST_F(FeedTest, FeedNeedsTheOwnersCredentials)
{
    struct Case
    {
        std::string user, password;
        int status;
    };
    for (const Case& c : {Case {"", "", 401}, Case {"alice", "wrong", 401}, Case {"bob", "bob-pass", 403},
                          Case {"alice", "alice-pass", 200}}) {
        const auto answer = calls.get("/rss/alice.xml", c.user, c.password);
        ASSERT_TRUE(answer);
        EXPECT_EQ(c.status, answer->status) << c.user << "/" << c.password;
        if (c.status == 401) {
            EXPECT_EQ(0u, answer->get_header_value("WWW-Authenticate").find("Basic"));
        }
    }
    const auto unknown = calls.get("/rss/carol.xml", "alice", "alice-pass");
    ASSERT_TRUE(unknown);
    EXPECT_EQ(404, unknown->status);
}

TEST_F(FeedTest, ChannelListsItemsOldestFirstAfterEveryOtherElement)
{
    EXPECT_EQ("", DeviceCalls::text(feed(), "channel/item/guid").value_or(""));
    const std::string first = devsim.addDocument("alice", "First & <one>", "application/pdf", {{"category", "Fax"}});
    const std::string second = devsim.addDocument("alice", "Second");
    devsim.addDocument("bob", "Not alice's");

    const std::string xml = feed();
    EXPECT_EQ("Alice", DeviceCalls::text(xml, "rss/channel/title"));
    EXPECT_NE("", DeviceCalls::text(xml, "channel/link").value_or(""));
    EXPECT_NE("", DeviceCalls::text(xml, "channel/lastBuildDate").value_or(""));
    EXPECT_EQ(first, DeviceCalls::text(xml, "channel/item[1]/guid"));
    EXPECT_EQ("First & <one>", DeviceCalls::text(xml, "channel/item[1]/title"));
    EXPECT_EQ("Fax", DeviceCalls::text(xml, "channel/item[1]/category"));
    EXPECT_EQ(second, DeviceCalls::text(xml, "channel/item[2]/guid"));
    EXPECT_EQ(std::nullopt, DeviceCalls::text(xml, "channel/item[3]"));
    EXPECT_EQ(std::nullopt, DeviceCalls::text(xml, "channel/item/following-sibling::*[not(self::item)]"));
    // Four-digit year, seconds and a zone: what the program's date parser accepts.
    EXPECT_THAT(DeviceCalls::text(xml, "channel/item[2]/pubDate").value_or(""),
                ::testing::MatchesRegex("[A-Z][a-z][a-z], [0-9][0-9] [A-Z][a-z][a-z] [0-9]{4} "
                                        "[0-9][0-9]:[0-9][0-9]:[0-9][0-9] GMT"));
}

TEST_F(FeedTest, DescriptionLinksToAThumbnailTheOwnerCanFetch)
{
    const std::string id = devsim.addDocument("alice", "Scan");
    const DescriptionLink link = readDescription(DeviceCalls::text(feed(), "channel/item/description").value_or(""));
    EXPECT_TRUE(link.insideTableCell);
    EXPECT_EQ(link.href, link.imgSrc);
    ASSERT_EQ(0u, link.href.find("http://127.0.0.1:" + std::to_string(devsim.httpPort()) + "/"));

    const auto picture = calls.get(thumbnailTarget(link.href), "alice", "alice-pass");
    ASSERT_TRUE(picture);
    ASSERT_EQ(200, picture->status);
    EXPECT_EQ("image/jpeg", picture->get_header_value("Content-Type"));
    std::unique_ptr<void, int (*)(tjhandle)> decoder(tjInitDecompress(), tjDestroy);
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    EXPECT_EQ(0,
              tjDecompressHeader3(decoder.get(), reinterpret_cast<const unsigned char*>(picture->body.data()),
                                  picture->body.size(), &width, &height, &subsampling, &colourspace));
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);

    const auto foreign = calls.get(thumbnailTarget(link.href), "bob", "bob-pass");
    ASSERT_TRUE(foreign);
    EXPECT_EQ(403, foreign->status);
}

TEST_F(FeedTest, FeedFollowsDeletionsAndRenames)
{
    const std::string kept = devsim.addDocument("alice", "Kept");
    devsim.deleteDocument(devsim.addDocument("alice", "Gone"));
    devsim.renameAccount("alice", "Alice Liddell");
    const std::string xml = feed();
    EXPECT_EQ("Alice Liddell", DeviceCalls::text(xml, "channel/title"));
    EXPECT_EQ(kept, DeviceCalls::text(xml, "channel/item[1]/guid"));
    EXPECT_EQ(std::nullopt, DeviceCalls::text(xml, "channel/item[2]"));
}
