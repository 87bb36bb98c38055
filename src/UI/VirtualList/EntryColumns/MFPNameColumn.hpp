#pragma once

#include "UI/VirtualList/Column.hpp"
#include "UI/VirtualList/EntryListSource.hpp"

namespace Orvane::UI::VirtualList::EntryColumns {

// The device display name.
class MFPNameColumn : public Column<EntryListSource, EntryListSource::Key, TextColumn>
{
public:
    MFPNameColumn(const EntryListSource& source, int width);

protected:
    std::wstring GetText(const Key& key) const override;
    bool Precedes(const Key& a, const Key& b) const override;
};

} // namespace Orvane::UI::VirtualList::EntryColumns
