#pragma once

#include "HTTP/Parser.hpp"
#include "RSS/RSSFeed.hpp"

#include <cstddef>
#include <memory>

namespace Orvane::QX {

// The largest feed taken, counting its items' texts and a share for their markup: thousands of usual
// items. A larger one is refused, so that the stores of the most entries stay far below their bound.
constexpr std::size_t MaxFeedSize = std::size_t {2} << 20;

// Turns a parsed RSS 2.0 document into the feed model: the channel's title, link and last build
// date, and its ITEM elements in document order. A missing element or a date that is no RFC 822
// date-time raises QX::InvalidRSSFeed, and so does a feed larger than MaxFeedSize; an element without
// text raises HTTP::InvalidContentType. Texts are cut as AnalyzeItem cuts them.
// It keeps nothing between calls, so one object may serve several threads.
class AnalyzeRSSFeed
{
public:
    std::unique_ptr<RSS::RSSFeed> operator()(const HTTP::XML::Parser& parser) const;
};

} // namespace Orvane::QX
