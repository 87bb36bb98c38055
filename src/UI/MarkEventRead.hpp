#pragma once

#include "MonitoredEntry/Entry.hpp"

#include <utility>
#include <vector>

namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::UI {

// Marks one logged event read in a transaction of its own. False (and nothing changes) when the
// entry or the event is gone.
bool MarkEventRead(MonitoredEntry::EntryManager& manager, const MonitoredEntry::Entry::ID& entry,
                   const MonitoredEntry::Event::ID& event);

// Marks the unread ones of the (entry, event) pairs read in order, each in its own transaction.
// Stops at the first pair whose entry or event is gone and answers false; true when all were done.
bool MarkEventsRead(MonitoredEntry::EntryManager& manager,
                    const std::vector<std::pair<MonitoredEntry::Entry::ID, MonitoredEntry::Event::ID>>& events);

} // namespace Orvane::UI
