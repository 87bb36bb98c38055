#pragma once

#include "MonitoredEntry/Entry.hpp"

namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::UI {

// The install's review of its new entry: a QApplication for the settings sheet of the entry, shown
// modally with no owner until the user closes it.
void RunEntrySettings(int argc, const char* const argv[], MonitoredEntry::EntryManager& manager,
                      const MonitoredEntry::Entry::ID& id);

} // namespace Orvane::UI
