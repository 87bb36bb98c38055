#include "UI/VirtualList/EventColumns/InfoColumn.hpp"

#include "Utility/LoadStringFromApp.hpp"
#include "Utility/StringId.hpp"

namespace Orvane::UI::VirtualList::EventColumns {

InfoColumn::InfoColumn(const EventListSource& source, int width)
    : Column(source, Utility::LoadStringFromApp(Utility::StringId::RelatedInfo), width)
{ }

std::wstring InfoColumn::GetText(const Key& key) const
{
    return GetHolder().FindEvent(key)->GetProperty().GetInfo();
}

bool InfoColumn::Precedes(const Key& a, const Key& b) const
{
    return GetHolder().FindEvent(a)->GetProperty().GetInfo() < GetHolder().FindEvent(b)->GetProperty().GetInfo();
}

bool InfoColumn::IsBold(const Key& key) const
{
    return !GetHolder().FindEvent(key)->IsRead();
}

} // namespace Orvane::UI::VirtualList::EventColumns
