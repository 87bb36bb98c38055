#pragma once

#include "UI/VirtualList/Column.hpp"
#include "UI/VirtualList/EntryListSource.hpp"

namespace Orvane::UI::VirtualList::EntryColumns {

// Whether new events are announced: "○" or "×"; off before on.
class EnableNoticeColumn : public Column<EntryListSource, EntryListSource::Key, TextColumn>
{
public:
    EnableNoticeColumn(const EntryListSource& source, int width);

protected:
    std::wstring GetText(const Key& key) const override;
    bool Precedes(const Key& a, const Key& b) const override;
};

} // namespace Orvane::UI::VirtualList::EntryColumns
