#include "UI/VirtualList/EntryColumns/MFPNameColumn.hpp"

#include "UI/DisplayNames.hpp"
#include "Utility/LoadStringFromApp.hpp"
#include "Utility/StringId.hpp"

namespace Orvane::UI::VirtualList::EntryColumns {

MFPNameColumn::MFPNameColumn(const EntryListSource& source, int width)
    : Column(source, Utility::LoadStringFromApp(Utility::StringId::MachineName), width)
{ }

std::wstring MFPNameColumn::GetText(const Key& key) const
{
    return DeviceDisplayName(GetHolder().Find(key)->GetProperty().GetMFP());
}

bool MFPNameColumn::Precedes(const Key& a, const Key& b) const
{
    return GetText(a) < GetText(b);
}

} // namespace Orvane::UI::VirtualList::EntryColumns
