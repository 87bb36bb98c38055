#pragma once

#include "MonitoredEntry/Entry.hpp"

class QWidget;

namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::UI {

// Waits until the feed subscriber has given the entry a subscription state (non-zero), looking
// every 200 ms, for at most the configured subscription wait limit. A progress window over the
// parent shows the wait and can cancel it; the program's windows go on painting and answering
// meanwhile. An entry that is gone or cannot be read is looked at again. Answers whether the
// state became non-zero.
bool WaitForSubscription(QWidget* parent, const MonitoredEntry::EntryManager& manager,
                         const MonitoredEntry::Entry::ID& id);

} // namespace Orvane::UI
