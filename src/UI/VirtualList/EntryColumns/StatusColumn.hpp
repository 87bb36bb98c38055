#pragma once

#include "UI/VirtualList/Column.hpp"
#include "UI/VirtualList/EntryListSource.hpp"

namespace Orvane::UI::VirtualList::EntryColumns {

// The entry's status: monitored (code 0), not monitored (1) or in error (2), in that order.
class StatusColumn : public Column<EntryListSource, EntryListSource::Key, TextColumn>
{
public:
    enum Status : int { Monitoring = 0, NotMonitored = 1, Error = 2 };

    StatusColumn(const EntryListSource& source, int width);

    static int GetStatus(const MonitoredEntry::EntryProperty& property);

protected:
    std::wstring GetText(const Key& key) const override;
    bool Precedes(const Key& a, const Key& b) const override;
};

} // namespace Orvane::UI::VirtualList::EntryColumns
