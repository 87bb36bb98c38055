#pragma once

#include "RSS/Item.hpp"

#include <memory>
#include <string>
#include <vector>

namespace Orvane::RSS {

// A feed as received from a device, its items in feed order (oldest first).
class RSSFeed
{
public:
    using ItemList = std::vector<Item>;

    RSSFeed();
    RSSFeed(const std::string& title, const std::string& link, const std::string& date, const ItemList& items);
    RSSFeed(const RSSFeed& other);
    RSSFeed& operator=(const RSSFeed& other);
    ~RSSFeed();

    const std::string& GetTitle() const;
    const std::string& GetLink() const;
    // The channel's last build date, RFC 822 text.
    const std::string& GetDate() const;
    const ItemList& GetItemList() const;

    // True when the date and the publication date of every item are RFC 822 date-times.
    bool IsValid() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

// Where the new items of `current` begin: just after the last item whose guid equals that of the
// newest item of `previous` that `current` still lists (normally its last one), else at the beginning.
// The position refers into `current`'s item list.
RSSFeed::ItemList::const_iterator FindNewItems(const RSSFeed& previous, const RSSFeed& current);

// The items of `current` to announce: those from FindNewItems on. When `previous`'s last item is gone,
// an item whose guid `previous` held is left out too: it was announced before.
RSSFeed::ItemList NewItems(const RSSFeed& previous, const RSSFeed& current);

} // namespace Orvane::RSS
