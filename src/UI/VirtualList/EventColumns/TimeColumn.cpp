#include "UI/VirtualList/EventColumns/TimeColumn.hpp"

#include "Utility/EventTimeText.hpp"
#include "Utility/LoadStringFromApp.hpp"
#include "Utility/StringId.hpp"

namespace Orvane::UI::VirtualList::EventColumns {

TimeColumn::TimeColumn(const EventListSource& source, int width)
    : Column(source, Utility::LoadStringFromApp(Utility::StringId::DateTime), width)
{ }

std::wstring TimeColumn::GetText(const Key& key) const
{
    return Utility::EventTimeText(GetHolder().FindEvent(key)->GetProperty().GetTime());
}

bool TimeColumn::Precedes(const Key& a, const Key& b) const
{
    return GetHolder().FindEvent(a)->GetProperty().GetTime() < GetHolder().FindEvent(b)->GetProperty().GetTime();
}

bool TimeColumn::IsBold(const Key& key) const
{
    return !GetHolder().FindEvent(key)->IsRead();
}

} // namespace Orvane::UI::VirtualList::EventColumns
