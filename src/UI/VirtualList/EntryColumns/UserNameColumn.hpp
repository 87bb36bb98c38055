#pragma once

#include "UI/VirtualList/Column.hpp"
#include "UI/VirtualList/EntryListSource.hpp"

namespace Orvane::UI::VirtualList::EntryColumns {

// The account display name.
class UserNameColumn : public Column<EntryListSource, EntryListSource::Key, TextColumn>
{
public:
    UserNameColumn(const EntryListSource& source, int width);

protected:
    std::wstring GetText(const Key& key) const override;
    bool Precedes(const Key& a, const Key& b) const override;
};

} // namespace Orvane::UI::VirtualList::EntryColumns
