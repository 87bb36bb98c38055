#include "UI/VirtualList/EventColumns/EventNameColumn.hpp"

#include "Utility/LoadStringFromApp.hpp"
#include "Utility/StringId.hpp"

namespace Orvane::UI::VirtualList::EventColumns {

EventNameColumn::EventNameColumn(const EventListSource& source, int width)
    : Column(source, Utility::LoadStringFromApp(Utility::StringId::EventName), width)
{ }

std::wstring EventNameColumn::GetText(const Key& key) const
{
    return GetHolder().FindEvent(key)->GetProperty().GetCategory();
}

bool EventNameColumn::Precedes(const Key& a, const Key& b) const
{
    return GetHolder().FindEvent(a)->GetProperty().GetCategory()
        < GetHolder().FindEvent(b)->GetProperty().GetCategory();
}

bool EventNameColumn::IsBold(const Key& key) const
{
    return !GetHolder().FindEvent(key)->IsRead();
}

} // namespace Orvane::UI::VirtualList::EventColumns
