#pragma once

#include "HTTP/Parser.hpp"
#include "RSS/Item.hpp"

#include <cstddef>
#include <memory>
#include <string>

namespace Orvane::QX {

// The longest text a feed item or channel keeps: what a device sends beyond it is cut, so that what
// is stored of a feed stays small.
constexpr std::size_t MaxTextSize = 1024;

// The text cut to MaxTextSize bytes, never inside a UTF-8 sequence.
std::string BoundedText(const std::string& text);

// Reads one ITEM element of a parsed feed, including the document link that the item's HTML
// description carries as the href of its first A element. A missing TITLE, CATEGORY, GUID or
// PUBDATE raises QX::InvalidRSSFeed; an element without text (DESCRIPTION included) raises
// HTTP::InvalidContentType. A description without a usable link gives an empty link. Every text is
// cut to MaxTextSize.
class AnalyzeItem
{
public:
    explicit AnalyzeItem(const HTTP::XML::Parser& parser);
    AnalyzeItem(const AnalyzeItem& other);
    AnalyzeItem& operator=(const AnalyzeItem& other);
    ~AnalyzeItem();

    RSS::Item operator()(const HTTP::XML::Parser::Iterator& item);

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::QX
