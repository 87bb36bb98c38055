#include "HTTP/Cmd.hpp"
#include "HTTP/ElementTable.hpp"
#include "HTTP/Exceptions.hpp"
#include "HTTP/Parser.hpp"
#include "HTTP/Query.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

namespace {

using namespace Orvane::HTTP;
using Command::BasicNode;
using Command::Cmd;
using Command::ETag;
using Command::Tag;

const std::string Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// Reads a leaf of a written command back through the response parser.
std::string ReadBack(const std::string& xml, const std::string& name)
{
    XML::Parser parser;
    EXPECT_TRUE(parser.Document().ParseXml(xml.data(), xml.size())) << xml;
    return parser.Search(name)->GetString();
}

TEST(ElementTable, BuildersMatchExactlyDocumentsIgnoreCase)
{
    EXPECT_EQ(0, ElementTable::IdOf("A"));
    EXPECT_EQ(32, ElementTable::IdOf("TITLE"));
    EXPECT_EQ(37, ElementTable::IdOf("USERNAME"));
    EXPECT_EQ(ElementTable::Unknown, ElementTable::IdOf("Title"));
    EXPECT_EQ(ElementTable::Unknown, ElementTable::IdOf("rss"));
    EXPECT_EQ(24, ElementTable::IdOfIgnoringCase("pubDate"));
    EXPECT_EQ(2, ElementTable::IdOfIgnoringCase("channel"));
    EXPECT_EQ(ElementTable::Unknown, ElementTable::IdOfIgnoringCase("rss"));
    EXPECT_EQ(ElementTable::Unknown, ElementTable::IdOfIgnoringCase("TITLEX"));
    EXPECT_EQ("SECURITYPOLICY", ElementTable::NameOf(28));
    EXPECT_EQ("", ElementTable::NameOf(ElementTable::Unknown));
}

TEST(Command, WritesTheRequestDocumentExactly)
{
    Cmd cmd;
    cmd << Tag("REQUEST") << BasicNode<std::string>("COMMAND", "SUBSCRIBETOFEED") << Tag("PARAM")
        << BasicNode<std::string>("USERNAME", L"山田 <&>");
    cmd.MarkNext();
    cmd << BasicNode<std::string>("PASSWORD", "pw") << BasicNode<long>("LISTENPORT", 61000) << ETag() << ETag();

    EXPECT_EQ(Declaration
                  + "<REQUEST><COMMAND>SUBSCRIBETOFEED</COMMAND><PARAM><USERNAME>山田 &lt;&amp;&gt;</USERNAME>"
                    "<PASSWORD><![CDATA[pw]]></PASSWORD><LISTENPORT>61000</LISTENPORT></PARAM></REQUEST>\n",
              cmd.Document().ToXml());
}

TEST(Command, CopiesShareTheDocument)
{
    Cmd cmd;
    Cmd copy = cmd;
    copy << Tag("REQUEST") << BasicNode<long>("COUNT", -3) << ETag();
    EXPECT_EQ(Declaration + "<REQUEST><COUNT>-3</COUNT></REQUEST>\n", cmd.Document().ToXml());
}

TEST(Command, MarkLandsOnTheNextLeafOnlyOnce)
{
    Cmd cmd;
    cmd << Tag("REQUEST");
    cmd.MarkNext();
    cmd << Tag("PARAM") << ETag() << BasicNode<std::string>("USERID", "a") << BasicNode<std::string>("USERNAME", "b")
        << ETag();
    EXPECT_EQ(Declaration + "<REQUEST><PARAM/><USERID><![CDATA[a]]></USERID><USERNAME>b</USERNAME></REQUEST>\n",
              cmd.Document().ToXml());
}

TEST(Command, SecretsAndOddTextSurviveTheRoundTrip)
{
    const std::string password = "a]]>b<c&d\"e";
    Cmd cmd;
    cmd << Tag("REQUEST") << BasicNode<std::string>("USERNAME", "x\x01y\x1fz\xff")
        << BasicNode<std::string>("COUNT", "");
    cmd.MarkNext();
    cmd << BasicNode<std::string>("PASSWORD", password) << ETag();
    const std::string xml = cmd.Document().ToXml();

    EXPECT_EQ(password, ReadBack(xml, "PASSWORD"));
    EXPECT_EQ("xyz", ReadBack(xml, "USERNAME")); // control characters and broken bytes cannot go into XML
}

TEST(Command, RefusedStepsThrowSystemError)
{
    const std::vector<std::pair<const char*, std::function<void(Cmd&)>>> cases = {
        {"name outside the table", [](Cmd& c) { c << Tag("rss"); }},
        {"name in the wrong case", [](Cmd& c) { c << Tag("Title"); }},
        {"leaf outside the table", [](Cmd& c) { c << Tag("REQUEST") << BasicNode<long>("Count", 1); }},
        {"close with nothing open", [](Cmd& c) { c << ETag(); }},
        {"close once too often", [](Cmd& c) { c << Tag("REQUEST") << ETag() << ETag(); }},
        {"second top element", [](Cmd& c) { c << Tag("REQUEST") << ETag() << Tag("REQUEST"); }},
        {"leaf without an element", [](Cmd& c) { c << BasicNode<std::string>("COMMAND", "X"); }},
    };
    for (const auto& [what, step] : cases) {
        Cmd cmd;
        try {
            step(cmd);
            ADD_FAILURE() << what << " was accepted";
        } catch (const Orvane::HTTP::SystemError& error) {
            EXPECT_EQ(EINVAL, error.code().value()) << what;
        }
    }
}

TEST(Query, RendersPercentEncodedPairsInOrder)
{
    EXPECT_EQ("", Query().ToString());

    Query query;
    Query copy = query;
    copy.Add("IFM", "1");
    copy.Add("DC", "a b&c=d/é?");
    copy.Add("UN", "山");
    copy.Add("ISR", "");
    EXPECT_EQ("IFM=1&DC=a%20b%26c%3Dd%2F%C3%A9%3F&UN=%E5%B1%B1&ISR=", query.ToString());
    copy.Add("a.b_c~d-e", "x");
    EXPECT_EQ("IFM=1&DC=a%20b%26c%3Dd%2F%C3%A9%3F&UN=%E5%B1%B1&ISR=&a.b_c~d-e=x", query.ToString());
}

} // namespace
