#include "QX/DescriptionLink.hpp"

#include <gtest/gtest.h>

#include <string>

using Orvane::QX::DescriptionLink;

namespace {

const std::string DeviceLayout = "<table border=\"0\"><tbody><tr><td><a href=\"http://mfp/thumbnail.jpg?DC=doc1\">"
                                 "<img src=\"http://mfp/thumbnail.jpg?DC=doc1\" width=\"48\" height=\"64\" alt=\"\">"
                                 "</a></td><td>Scan doc1</td></tr></tbody></table>";

} // namespace

// The scan is a shortcut of the full parse: on the markup devices write it answers, and wherever it
// answers it answers as the parse does. The rest goes to the parse.
TEST(DescriptionLink, TheScanAnswersAsTheParseOrLeavesItToIt)
{
    const struct
    {
        std::string description;
        bool scanned;
    } cases[] = {
        {DeviceLayout, true},
        {"just text", true},
        {"", true},
        {"<p>no anchor</p>", true},
        {"<a name=\"x\">no href</a>", true},
        {"<a href=\"\">empty</a>", true},
        {"<A HREF=\"upper\">x</A>", true},
        {"<a\n\thref = \" http://mfp/t.jpg?\n  DC=1 \">x</a>", true},
        {"<a href=\"first\">1</a><a href=\"second\">2</a>", true},
        {"<a href=\"one&amp;two\">x</a>", true},
        {"<a href=\"x&amp;amp;y\">x</a>", true},
        {"<a data-href=\"d\" href=\"h\">x</a>", true},
        {"<abbr title=\"t\">a</abbr><a href=\"after-abbr\">x</a>", true},
        {"<td title=\"&lt;a href=&quot;fake&quot;&gt;\"><a href=\"real\">x</a>", false},
        {"<td title=\"<a href='fake'>\"><a href=\"real\">x</a>", false},
        {"<!-- <a href=\"commented\"> --><a href=\"real\">x</a>", false},
        {"<script><a href=\"in-script\"></script><a href=\"real\">x</a>", false},
        {"<a href='single'>x</a>", false},
        {"<a href=unquoted>x</a>", false},
        {"<a href=\"one\" href=\"two\">x</a>", false},
        {"<a href=\"one &copy; two\">x</a>", false},
        {"<a href=\"caf\xc3\xa9\">x</a>", false},
        {"<br/><a href=\"after-br\">x</a>", false},
        {"<a nowrap href=\"valueless\">x</a>", false},
        {"<![CDATA[<a href=\"in-cdata\">x</a>]]>", false},
        {"<table><tr><td><a href=\"ok\"><<<</td></table></a></b>&&", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        const auto scanned = DescriptionLink::Scanned(c.description);
        EXPECT_EQ(c.scanned, scanned.has_value());
        if (scanned) {
            EXPECT_EQ(DescriptionLink::Parsed(c.description), *scanned);
        }
        EXPECT_EQ(DescriptionLink::Parsed(c.description), DescriptionLink::Of(c.description));
    }
    EXPECT_EQ("http://mfp/thumbnail.jpg?DC=doc1", DescriptionLink::Of(DeviceLayout));
}
