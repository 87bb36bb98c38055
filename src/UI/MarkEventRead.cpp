#include "UI/MarkEventRead.hpp"

#include "MonitoredEntry/EntryManager.hpp"

namespace Orvane::UI {

bool MarkEventRead(MonitoredEntry::EntryManager& manager, const MonitoredEntry::Entry::ID& entry,
                   const MonitoredEntry::Event::ID& event)
{
    MonitoredEntry::EntryManager::Transaction transaction(manager);
    if (!transaction.GetDB().Contains(entry))
        return false;
    const auto copy = transaction.CopyEntry(entry);
    const auto log = copy->GetEventLog();
    if (!log->Contains(event))
        return false;
    MonitoredEntry::Event read = log->GetEvent(event);
    read.SetRead(true);
    log->SetEvent(read);
    copy->SetEventLog(log);
    transaction.SetEntry(copy);
    transaction.Commit();
    return true;
}

bool MarkEventsRead(MonitoredEntry::EntryManager& manager,
                    const std::vector<std::pair<MonitoredEntry::Entry::ID, MonitoredEntry::Event::ID>>& events)
{
    for (const auto& [entry, event] : events) {
        const MonitoredEntry::EntryManager::ScopedLock lock(manager);
        const auto& db = manager.GetDB();
        if (!db.Contains(entry) || !db.GetEntry(entry).ReadEventLog().Contains(event))
            return false;
        if (!db.GetEntry(entry).ReadEventLog().GetEvent(event).IsRead())
            MarkEventRead(manager, entry, event);
    }
    return true;
}

} // namespace Orvane::UI
