#include "UI/VirtualList/EntryColumns/UserNameColumn.hpp"

#include "UI/DisplayNames.hpp"
#include "Utility/LoadStringFromApp.hpp"
#include "Utility/StringId.hpp"

namespace Orvane::UI::VirtualList::EntryColumns {

UserNameColumn::UserNameColumn(const EntryListSource& source, int width)
    : Column(source, Utility::LoadStringFromApp(Utility::StringId::UserName), width)
{ }

std::wstring UserNameColumn::GetText(const Key& key) const
{
    return AccountDisplayName(GetHolder().Find(key)->GetProperty().GetUser());
}

bool UserNameColumn::Precedes(const Key& a, const Key& b) const
{
    return GetText(a) < GetText(b);
}

} // namespace Orvane::UI::VirtualList::EntryColumns
