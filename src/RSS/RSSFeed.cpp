#include "RSS/RSSFeed.hpp"

#include <kestle/network/rfc822_date_parser.hpp>

#include <algorithm>

namespace Orvane::RSS {

struct RSSFeed::Pimpl
{
    std::string title;
    std::string link;
    std::string date;
    ItemList items;
};

RSSFeed::RSSFeed()
    : m_pimpl(std::make_unique<Pimpl>())
{ }

RSSFeed::RSSFeed(const std::string& title, const std::string& link, const std::string& date, const ItemList& items)
    : m_pimpl(std::make_unique<Pimpl>(Pimpl {title, link, date, items}))
{ }

RSSFeed::RSSFeed(const RSSFeed& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

RSSFeed& RSSFeed::operator=(const RSSFeed& other)
{
    *m_pimpl = *other.m_pimpl;
    return *this;
}

RSSFeed::~RSSFeed() = default;

const std::string& RSSFeed::GetTitle() const
{
    return m_pimpl->title;
}

const std::string& RSSFeed::GetLink() const
{
    return m_pimpl->link;
}

const std::string& RSSFeed::GetDate() const
{
    return m_pimpl->date;
}

const RSSFeed::ItemList& RSSFeed::GetItemList() const
{
    return m_pimpl->items;
}

bool RSSFeed::IsValid() const
{
    kestle::network::rfc822_date_parser parser;
    return parser.parse(m_pimpl->date)
        && std::all_of(m_pimpl->items.begin(), m_pimpl->items.end(),
                       [&parser](const Item& item) { return parser.parse(item.GetPub()); });
}

RSSFeed::ItemList::const_iterator FindNewItems(const RSSFeed& previous, const RSSFeed& current)
{
    const RSSFeed::ItemList& items = current.GetItemList();
    if (previous.GetItemList().empty())
        return items.begin();
    const std::string& lastGuid = previous.GetItemList().back().GetGuid();
    const auto found = std::find_if(items.rbegin(), items.rend(),
                                    [&lastGuid](const Item& item) { return item.GetGuid() == lastGuid; });
    // A reverse iterator's base is the position just after the item it points at.
    return found == items.rend() ? items.begin() : found.base();
}

} // namespace Orvane::RSS
