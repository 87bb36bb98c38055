#pragma once

#include "UI/VirtualList/Column.hpp"
#include "UI/VirtualList/EntryListSource.hpp"

namespace Orvane::UI::VirtualList::EntryColumns {

// Image 1 when the entry has no unread event, else image 2; fewer unread events first.
class UnreadIconColumn : public Column<EntryListSource, EntryListSource::Key, ImageColumn>
{
public:
    UnreadIconColumn(const EntryListSource& source, int width);

protected:
    int GetImage(const Key& key) const override;
    bool Precedes(const Key& a, const Key& b) const override;
};

} // namespace Orvane::UI::VirtualList::EntryColumns
