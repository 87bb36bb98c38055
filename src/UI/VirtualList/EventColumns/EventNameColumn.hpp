#pragma once

#include "UI/VirtualList/Column.hpp"
#include "UI/VirtualList/EventListSource.hpp"

namespace Orvane::UI::VirtualList::EventColumns {

// The event's name (its category), bold while unread.
class EventNameColumn : public Column<EventListSource, EventListSource::Key, TextColumn>
{
public:
    EventNameColumn(const EventListSource& source, int width);
    bool IsBold(const Key& key) const override;

protected:
    std::wstring GetText(const Key& key) const override;
    bool Precedes(const Key& a, const Key& b) const override;
};

} // namespace Orvane::UI::VirtualList::EventColumns
