#pragma once

#include "HTTP/Parser.hpp"
#include "RSS/RSSFeed.hpp"

#include <memory>

namespace Orvane::QX {

// Turns a parsed RSS 2.0 document into the feed model: the channel's title, link and last build
// date, and its ITEM elements in document order. A missing element or a date that is no RFC 822
// date-time raises QX::InvalidRSSFeed; an element without text raises HTTP::InvalidContentType.
// It keeps nothing between calls, so one object may serve several threads.
class AnalyzeRSSFeed
{
public:
    std::unique_ptr<RSS::RSSFeed> operator()(const HTTP::XML::Parser& parser) const;
};

} // namespace Orvane::QX
