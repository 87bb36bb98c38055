#pragma once

#include "MonitoredEntry/Entry.hpp"

#include <cstdint>
#include <functional>

namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::Monitor {

// Reads and changes one entry for an engine thread. The entry may be removed at any moment: then
// reads see nothing and changes write nothing. Neither may be called while holding a lock another
// thread takes while it holds the entry lock.
class EntryWriter
{
public:
    EntryWriter(MonitoredEntry::EntryManager& manager, const MonitoredEntry::Entry::ID& id);

    const MonitoredEntry::Entry::ID& GetID() const;
    MonitoredEntry::EntryManager& GetManager() const;

    // Calls `read` with the stored entry under the entry lock; false when the entry is gone.
    bool Read(const std::function<void(const MonitoredEntry::Entry&)>& read) const;
    // Changes a copy of the entry and stores it in one transaction; false when the entry is gone.
    // An interruption point first, so a stopping thread does not start a write.
    bool Change(const std::function<void(MonitoredEntry::Entry&)>& change) const;

    // The subscription state and failure flag the entry list shows as the entry's status.
    void SetStatus(std::int32_t state, std::int32_t failure) const;
    // Only the failure flag; nothing is stored when it already has the value.
    void SetFailure(std::int32_t failure) const;

private:
    MonitoredEntry::EntryManager& m_manager;
    MonitoredEntry::Entry::ID m_id;
};

} // namespace Orvane::Monitor
