#pragma once

#include "UI/VirtualList/Column.hpp"
#include "UI/VirtualList/EventListSource.hpp"

namespace Orvane::UI::VirtualList::EventColumns {

// Image 1 for a read event, image 2 for an unread one; read before unread.
class UnreadIconColumn : public Column<EventListSource, EventListSource::Key, ImageColumn>
{
public:
    UnreadIconColumn(const EventListSource& source, int width);

protected:
    int GetImage(const Key& key) const override;
    bool Precedes(const Key& a, const Key& b) const override;
};

} // namespace Orvane::UI::VirtualList::EventColumns
