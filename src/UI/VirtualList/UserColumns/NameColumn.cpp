#include "UI/VirtualList/UserColumns/NameColumn.hpp"

#include "System/Text.hpp"
#include "Utility/LoadStringFromApp.hpp"
#include "Utility/StringId.hpp"

namespace Orvane::UI::VirtualList::UserColumns {

NameColumn::NameColumn(const UserListSource& source, int width)
    : Column(source, Utility::LoadStringFromApp(Utility::StringId::UserName), width)
{ }

std::wstring NameColumn::GetText(const Key& key) const
{
    const QX::User& user = GetHolder().GetUser(key);
    return System::FromANSI(user.DisplayName.empty() ? user.UserName : user.DisplayName);
}

bool NameColumn::Precedes(const Key& a, const Key& b) const
{
    return GetText(a) < GetText(b);
}

} // namespace Orvane::UI::VirtualList::UserColumns
