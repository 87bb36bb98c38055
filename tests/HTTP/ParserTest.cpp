#include "HTTP/Parser.hpp"
#include "HTTP/AttributeParser.hpp"
#include "HTTP/Exceptions.hpp"

#include <gtest/gtest.h>

namespace {

using namespace Orvane::HTTP;
using XML::Parser;
using XML::Path;

Parser ParsedXml(const std::string& xml)
{
    Parser parser;
    EXPECT_TRUE(parser.Document().ParseXml(xml.data(), xml.size())) << xml;
    return parser;
}

Parser ParsedHtml(const std::string& html)
{
    Parser parser;
    EXPECT_TRUE(parser.Parse(std::vector<char>(html.begin(), html.end()))) << html;
    return parser;
}

const std::string Feed = R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0"><channel>
  <title>Scans</title><link>http://device/</link><lastBuildDate>Mon, 01 Jan 2024 10:00:00 +0900</lastBuildDate>
  <item><title>first</title><link>L</link><title>second</title><guid>g1</guid><details><title>nested</title></details></item>
  <item><title>other</title><COUNT> 42 </COUNT></item>
  <generator>x</generator>
  <item><title>third</title></item>
</channel></rss>)";

TEST(Parser, FindFollowsChildLevelsWithoutDescending)
{
    const Parser parser = ParsedXml(Feed);
    const auto channel = parser.Find(Path {"rss", "CHANNEL"}, parser.Top());
    ASSERT_NE(parser.End(), channel);
    EXPECT_EQ("CHANNEL", channel->GetName());
    EXPECT_EQ("Scans", parser.Find("TITLE", channel)->GetString());

    const auto item = parser.Find("ITEM", channel);
    EXPECT_EQ("first", parser.Find("TITLE", item)->GetString()); // the first of two TITLE children
    EXPECT_EQ(parser.End(), parser.Find("PUBDATE", item));
    EXPECT_EQ(parser.End(), parser.Find(Path {"CHANNEL", "ITEM"}, parser.Top())); // no CHANNEL at the top
    EXPECT_EQ(parser.End(), parser.Find("TITLE", parser.End()));

    // The grandchild TITLE inside DETAILS is not a child of ITEM.
    const auto details = parser.Find("DETAILS", item);
    EXPECT_EQ("nested", Parser::FindChild(details, "TITLE")->GetString());
    EXPECT_EQ(parser.End(), Parser::FindChild(parser.Find("LINK", item), "TITLE"));
}

TEST(Parser, IteratorsStepThroughSiblingsWithTheirPositions)
{
    const Parser parser = ParsedXml(Feed);
    const auto channel = parser.Search("CHANNEL");
    auto item = parser.Find("ITEM", channel);
    EXPECT_EQ(3u, item.Position());

    std::vector<std::string> names;
    for (auto it = item; it != parser.End(); ++it)
        names.push_back(it->GetName() + "@" + std::to_string(it.Position()));
    EXPECT_EQ((std::vector<std::string> {"ITEM@3", "ITEM@4", "GENERATOR@5", "ITEM@6"}), names);

    // An iterator made from a node knows where the node stands.
    auto fromNode = Parser::Iterator(parser.Find("GENERATOR", channel)->Handle());
    EXPECT_EQ(5u, fromNode.Position());
    EXPECT_EQ("third", parser.Find("TITLE", ++fromNode)->GetString());

    auto top = parser.Top();
    EXPECT_EQ(parser.End(), ++top); // the document has no siblings
    auto root = parser.Find("rss", parser.Top());
    EXPECT_EQ(0u, root.Position());
    EXPECT_EQ(parser.End(), ++root);
}

TEST(Parser, SearchFindsTheFirstInDocumentOrder)
{
    const Parser parser = ParsedXml(Feed);
    EXPECT_EQ("Scans", parser.Search("TITLE")->GetString());
    EXPECT_EQ("g1", parser.Search("GUID")->GetString());
    EXPECT_EQ(42, parser.Search("COUNT")->GetDecimal());
    EXPECT_EQ(parser.End(), parser.Search("PUBDATE"));
    EXPECT_EQ(parser.End(), parser.Search("rss")); // not a table name
    EXPECT_EQ(parser.End(), Parser().Search("TITLE"));
}

TEST(Parser, TypedTextAndItsFailures)
{
    const Parser parser = ParsedXml("<RESPONSE><COUNT>-7</COUNT><USER>山田 &amp; <![CDATA[<b>]]></USER><MFPID/>"
                                    "<GUID></GUID><TITLE>4x</TITLE><LINK> </LINK><TD>99999999999999999999</TD>"
                                    "<TR>+5</TR><PARAM><USERID>1</USERID></PARAM></RESPONSE>");
    EXPECT_EQ(-7, parser.Search("COUNT")->GetDecimal());
    EXPECT_EQ("山田 & <b>", parser.Search("USER")->GetString());
    EXPECT_EQ(" ", parser.Search("LINK")->GetString());
    EXPECT_EQ("RESPONSE", parser.Search("RESPONSE")->GetName());

    for (const char* noText : {"MFPID", "GUID", "PARAM"})
        EXPECT_THROW(parser.Search(noText)->GetString(), InvalidContentType) << noText;
    for (const char* notDecimal : {"TITLE", "LINK", "TD", "TR", "MFPID"})
        EXPECT_THROW(parser.Search(notDecimal)->GetDecimal(), InvalidContentType) << notDecimal;
    EXPECT_THROW(parser.End()->GetString(), InvalidContentType);
    EXPECT_THROW(parser.Top()->GetString(), InvalidContentType);

    // Values a device may leave blank: an empty element is an empty text, an element that holds
    // only other elements still has none.
    EXPECT_EQ("", parser.Search("MFPID")->GetStringOrEmpty());
    EXPECT_EQ("", parser.Search("GUID")->GetStringOrEmpty());
    EXPECT_EQ("4x", parser.Search("TITLE")->GetStringOrEmpty());
    EXPECT_THROW(parser.Search("PARAM")->GetStringOrEmpty(), InvalidContentType);
}

TEST(Parser, HtmlFragmentsAndTheirLinks)
{
    const Parser parser = ParsedHtml("<TABLE><TBODY><TR><TD><a class=\"t\" href = \"  /doc.htm?id=1   &amp; x \" >"
                                     "<img src=\"/t.jpg\"></a></TD></TR></TBODY></TABLE><A href=\"second\">");
    const auto link = parser.Search("A");
    ASSERT_NE(parser.End(), link);
    EXPECT_EQ((std::map<std::string, std::string> {{"class", "t"}, {"href", "/doc.htm?id=1 & x"}}),
              link->GetAttributes());
    EXPECT_EQ("/t.jpg", parser.Search("IMG")->GetAttributes().at("src"));
    EXPECT_TRUE(parser.Search("TD")->GetAttributes().empty());

    Parser empty;
    EXPECT_FALSE(empty.Parse({}));
    EXPECT_TRUE(ParsedHtml("just text").Search("A") == Parser().End());
}

TEST(Parser, ParsingAgainReplacesTheDocument)
{
    Parser parser = ParsedXml("<RESULT>SUCCESS</RESULT>");
    const Parser copy = parser;
    EXPECT_FALSE(parser.Document().ParseXml("<RESULT>", 8));
    EXPECT_EQ(copy.End(), copy.Search("RESULT"));
    EXPECT_TRUE(parser.Document().ParseXml("<r><RESULT>NG</RESULT></r>", 26));
    EXPECT_EQ("NG", copy.Search("RESULT")->GetString());
}

TEST(Attributes, ParsedFromStartTagText)
{
    const std::vector<std::pair<std::string, std::map<std::string, std::string>>> cases = {
        {"href = \" a  b \t\n c \" title=\"t\"", {{"href", "a b c"}, {"title", "t"}}},
        {"", {}},
        {"a=1 b='2' c=\"\"", {}},
        {"data-x=\"1\" xlink:href=\"2\" a_b=\"3\"", {{"x", "1"}, {"href", "2"}, {"b", "3"}}},
        {"a=\"1\" a=\"2\" A=\"3\"", {{"a", "2"}, {"A", "3"}}},
        {"a=\"   \"", {{"a", ""}}},
        {"a=\"x\"b=\"y\"", {{"a", "x"}, {"b", "y"}}},
        {"a=\"unterminated", {}},
        {"é=\"v\" n2=\"é\"", {{"n2", "é"}}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(expected, XML::AttributeParser::Parse(text)) << text;
}

TEST(Attributes, LongInputStaysLinear)
{
    // Would take hours if the search retried from inside each long run.
    const std::string runs = std::string(1 << 20, 'a') + std::string(1 << 20, ' ') + "=";
    EXPECT_TRUE(XML::AttributeParser::Parse(runs).empty());
    const std::string value = "v=\"" + std::string(1 << 20, ' ') + "x" + std::string(1 << 20, '\t') + "y\"";
    EXPECT_EQ("x y", XML::AttributeParser::Parse(value).at("v"));
}

} // namespace
