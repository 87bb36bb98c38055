#include "UI/VirtualList/EventColumns/UnreadIconColumn.hpp"

#include "UI/VirtualList/ImageList.hpp"

namespace Orvane::UI::VirtualList::EventColumns {

UnreadIconColumn::UnreadIconColumn(const EventListSource& source, int width)
    : Column(source, width)
{ }

int UnreadIconColumn::GetImage(const Key& key) const
{
    return GetHolder().FindEvent(key)->IsRead() ? ImageList::Read : ImageList::Unread;
}

bool UnreadIconColumn::Precedes(const Key& a, const Key& b) const
{
    return GetHolder().FindEvent(a)->IsRead() && !GetHolder().FindEvent(b)->IsRead();
}

} // namespace Orvane::UI::VirtualList::EventColumns
