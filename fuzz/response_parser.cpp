// Bytes from a device, parsed as an XML answer and as an HTML fragment, then walked the ways the
// device client walks them.
#include "HTTP/Exceptions.hpp"
#include "HTTP/Parser.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using Orvane::HTTP::XML::Parser;

void Read(const Parser::Iterator& at)
{
    try {
        (void)at->GetString();
        (void)at->GetDecimal();
    } catch (const Orvane::HTTP::InvalidContentType&) { }
    (void)at->GetName();
    (void)at->GetAttributes();
}

void Walk(const Parser& parser)
{
    for (const char* name : {"RESULT", "COUNT", "USER", "CHANNEL", "A", "IMG", "TITLE"}) {
        const auto found = parser.Search(name);
        if (found != parser.End())
            Read(found);
    }
    const auto channel = parser.Find(Orvane::HTTP::XML::Path {"rss", "CHANNEL"}, parser.Top());
    for (auto item = parser.Find("ITEM", channel); item != parser.End(); ++item) {
        for (const char* name : {"TITLE", "CATEGORY", "GUID", "PUBDATE", "DESCRIPTION"}) {
            const auto child = Parser::FindChild(item, name);
            if (child != parser.End())
                Read(child);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<char> bytes(data, data + size);
    Parser xml;
    if (xml.Document().ParseXml(bytes.data(), bytes.size()))
        Walk(xml);
    Parser html;
    if (html.Parse(bytes))
        Walk(html);
    return 0;
}
