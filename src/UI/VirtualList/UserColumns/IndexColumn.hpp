#pragma once

#include "UI/VirtualList/Column.hpp"
#include "UI/VirtualList/UserListSource.hpp"

namespace Orvane::UI::VirtualList::UserColumns {

// The user's number on the device, three digits.
class IndexColumn : public Column<UserListSource, UserListSource::Key, TextColumn>
{
public:
    IndexColumn(const UserListSource& source, int width);

protected:
    std::wstring GetText(const Key& key) const override;
    bool Precedes(const Key& a, const Key& b) const override;
};

} // namespace Orvane::UI::VirtualList::UserColumns
