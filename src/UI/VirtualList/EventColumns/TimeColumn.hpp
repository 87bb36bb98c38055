#pragma once

#include "UI/VirtualList/Column.hpp"
#include "UI/VirtualList/EventListSource.hpp"

namespace Orvane::UI::VirtualList::EventColumns {

// The event's time, earlier first, bold while unread. Sorting raises RSS::IncompatibleTimeString when only one of two
// times has seconds.
class TimeColumn : public Column<EventListSource, EventListSource::Key, TextColumn>
{
public:
    TimeColumn(const EventListSource& source, int width);
    bool IsBold(const Key& key) const override;

protected:
    std::wstring GetText(const Key& key) const override;
    bool Precedes(const Key& a, const Key& b) const override;
};

} // namespace Orvane::UI::VirtualList::EventColumns
