#pragma once

#include "UI/VirtualList/Column.hpp"
#include "UI/VirtualList/UserListSource.hpp"

namespace Orvane::UI::VirtualList::UserColumns {

// The user's display name, or its account ID when the name is empty.
class NameColumn : public Column<UserListSource, UserListSource::Key, TextColumn>
{
public:
    NameColumn(const UserListSource& source, int width);

protected:
    std::wstring GetText(const Key& key) const override;
    bool Precedes(const Key& a, const Key& b) const override;
};

} // namespace Orvane::UI::VirtualList::UserColumns
