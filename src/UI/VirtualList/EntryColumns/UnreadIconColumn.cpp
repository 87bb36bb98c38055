#include "UI/VirtualList/EntryColumns/UnreadIconColumn.hpp"

#include "UI/VirtualList/ImageList.hpp"

namespace Orvane::UI::VirtualList::EntryColumns {

UnreadIconColumn::UnreadIconColumn(const EntryListSource& source, int width)
    : Column(source, width)
{ }

static std::size_t Unread(const EntryListSource& source, const EntryListSource::Key& key)
{
    return source.Find(key)->ReadEventLog().CountUnread();
}

int UnreadIconColumn::GetImage(const Key& key) const
{
    return Unread(GetHolder(), key) == 0 ? ImageList::Read : ImageList::Unread;
}

bool UnreadIconColumn::Precedes(const Key& a, const Key& b) const
{
    return Unread(GetHolder(), a) < Unread(GetHolder(), b);
}

} // namespace Orvane::UI::VirtualList::EntryColumns
