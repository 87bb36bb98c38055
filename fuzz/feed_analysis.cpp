// Bytes from a device, parsed as a feed and analysed into the feed model, each item's description
// HTML included.
#include "HTTP/Exceptions.hpp"
#include "HTTP/Parser.hpp"
#include "QX/AnalyzeRSSFeed.hpp"
#include "QX/Exceptions.hpp"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Orvane::HTTP::XML::Parser parser;
    if (!parser.Document().ParseXml(reinterpret_cast<const char*>(data), size))
        return 0;
    try {
        const auto feed = Orvane::QX::AnalyzeRSSFeed()(parser);
        for (const auto& item : feed->GetItemList())
            (void)item.GetDescription().size();
    } catch (const Orvane::QX::InvalidRSSFeed&) {
    } catch (const Orvane::HTTP::InvalidContentType&) { }
    return 0;
}
