#include "UI/VirtualList/UserColumns/IndexColumn.hpp"

#include "Utility/LoadStringFromApp.hpp"
#include "Utility/StringId.hpp"
#include <boost/format.hpp>

namespace Orvane::UI::VirtualList::UserColumns {

IndexColumn::IndexColumn(const UserListSource& source, int width)
    : Column(source, Utility::LoadStringFromApp(Utility::StringId::Number), width)
{ }

std::wstring IndexColumn::GetText(const Key& key) const
{
    return (boost::wformat(L"%03u") % static_cast<unsigned int>(GetHolder().GetUser(key).Number)).str();
}

bool IndexColumn::Precedes(const Key& a, const Key& b) const
{
    return GetHolder().GetUser(a).Number < GetHolder().GetUser(b).Number;
}

} // namespace Orvane::UI::VirtualList::UserColumns
