#include "UI/VirtualList/EntryColumns/StatusColumn.hpp"

#include "MonitoredEntry/EntryProperty.hpp"
#include "Utility/LoadStringFromApp.hpp"
#include "Utility/StringId.hpp"

namespace Orvane::UI::VirtualList::EntryColumns {

StatusColumn::StatusColumn(const EntryListSource& source, int width)
    : Column(source, Utility::LoadStringFromApp(Utility::StringId::Status), width)
{ }

int StatusColumn::GetStatus(const MonitoredEntry::EntryProperty& property)
{
    if (!property.IsMonitoring())
        return NotMonitored;
    const bool failed = property.GetSubscriptionState() == MonitoredEntry::EntryProperty::Unsubscribed
        || property.GetSubscriptionFailure() != 0;
    return failed ? Error : Monitoring;
}

std::wstring StatusColumn::GetText(const Key& key) const
{
    static const std::uint32_t texts[]
        = {Utility::StringId::StatusMonitoring, Utility::StringId::StatusNotMonitored, Utility::StringId::StatusError};
    return Utility::LoadStringFromApp(texts[GetStatus(GetHolder().Find(key)->GetProperty())]);
}

bool StatusColumn::Precedes(const Key& a, const Key& b) const
{
    return GetStatus(GetHolder().Find(a)->GetProperty()) < GetStatus(GetHolder().Find(b)->GetProperty());
}

} // namespace Orvane::UI::VirtualList::EntryColumns
