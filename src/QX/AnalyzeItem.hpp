#pragma once

#include "HTTP/Parser.hpp"
#include "RSS/Item.hpp"

#include <memory>

namespace Orvane::QX {

// Reads one ITEM element of a parsed feed, including the document link that the item's HTML
// description carries as the href of its first A element. A missing TITLE, CATEGORY, GUID or
// PUBDATE raises QX::InvalidRSSFeed; an element without text (DESCRIPTION included) raises
// HTTP::InvalidContentType. A description without a usable link gives an empty link.
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
