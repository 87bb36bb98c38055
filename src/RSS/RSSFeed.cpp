#include "RSS/RSSFeed.hpp"

#include <kestle/network/rfc822_date_parser.hpp>

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <unordered_set>

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

namespace {

// Where each guid of `items` occurs last.
std::unordered_map<std::string, std::size_t> LastPositions(const RSSFeed::ItemList& items)
{
    std::unordered_map<std::string, std::size_t> positions;
    for (std::size_t at = 0; at < items.size(); ++at)
        positions[items[at].GetGuid()] = at;
    return positions;
}

} // namespace

RSSFeed::ItemList::const_iterator FindNewItems(const RSSFeed& previous, const RSSFeed& current)
{
    const RSSFeed::ItemList& items = current.GetItemList();
    const RSSFeed::ItemList& seen = previous.GetItemList();
    const auto positions = LastPositions(items);
    // The newest item seen before that the device still lists: a deleted newest document must not
    // make every older one new again.
    for (auto item = seen.rbegin(); item != seen.rend(); ++item) {
        const auto found = positions.find(item->GetGuid());
        if (found != positions.end())
            return items.begin() + static_cast<std::ptrdiff_t>(found->second + 1);
    }
    return items.begin();
}

RSSFeed::ItemList NewItems(const RSSFeed& previous, const RSSFeed& current)
{
    const RSSFeed::ItemList& items = current.GetItemList();
    const RSSFeed::ItemList& seen = previous.GetItemList();
    const auto first = FindNewItems(previous, current);
    const bool lastSeenListed = !seen.empty() && first != items.begin()
        && std::prev(first)->GetGuid() == seen.back().GetGuid();
    if (seen.empty() || lastSeenListed)
        return RSSFeed::ItemList(first, items.end());
    std::unordered_set<std::string> known;
    for (const Item& item : seen)
        known.insert(item.GetGuid());
    RSSFeed::ItemList fresh;
    std::copy_if(first, items.end(), std::back_inserter(fresh),
                 [&known](const Item& item) { return known.count(item.GetGuid()) == 0; });
    return fresh;
}

} // namespace Orvane::RSS
