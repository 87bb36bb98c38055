#include "HTTP/Exceptions.hpp"
#include "HTTP/Parser.hpp"

#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

namespace {

using Orvane::HTTP::XML::Parser;

std::string Nested(const std::string& open, const std::string& close, int depth)
{
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += open;
    text += "<TITLE>deep</TITLE>";
    for (int i = 0; i < depth; ++i)
        text += close;
    return text;
}

TEST(HostileDocuments, DeepXmlIsRefused)
{
    const std::string xml = Nested("<ITEM>", "</ITEM>", 100000);
    Parser parser;
    EXPECT_FALSE(parser.Document().ParseXml(xml.data(), xml.size()));
    EXPECT_EQ(parser.End(), parser.Search("TITLE"));
}

TEST(HostileDocuments, DeepHtmlIsWalkedWithoutRecursion)
{
    const std::string html = Nested("<div>", "</div>", 100000);
    Parser parser;
    if (parser.Parse(std::vector<char>(html.begin(), html.end())))
        (void)parser.Search("A"); // whatever was kept, walking it must not exhaust the stack
}

TEST(HostileDocuments, EntityExpansionIsNotFollowed)
{
    std::string bomb = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY e0 \"lollollollollollollollollol\">";
    for (int i = 1; i <= 10; ++i) {
        bomb += "<!ENTITY e" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j)
            bomb += "&e" + std::to_string(i - 1) + ";";
        bomb += "\">";
    }
    bomb += "]><RESPONSE><RESULT a=\"&e10;\">&e10;</RESULT></RESPONSE>";

    Parser parser;
    if (parser.Document().ParseXml(bomb.data(), bomb.size())) {
        const auto result = parser.Search("RESULT");
        ASSERT_NE(parser.End(), result);
        EXPECT_THROW(result->GetString(), Orvane::HTTP::InvalidContentType); // only an entity reference inside
        EXPECT_LT(result->GetAttributes().size(), 2u);
    }
}

TEST(HostileDocuments, ExternalEntitiesAreNeverRead)
{
    OrvaneTest::TempDir dir;
    OrvaneTest::writeFile(dir / "secret", "top secret");
    const std::string xml = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY x SYSTEM \"file://"
        + (dir / "secret").string() + "\">]><RESULT>&x;</RESULT>";
    Parser parser;
    if (parser.Document().ParseXml(xml.data(), xml.size())) {
        const auto result = parser.Search("RESULT");
        EXPECT_THROW(result->GetString(), Orvane::HTTP::InvalidContentType);
    }
}

} // namespace
