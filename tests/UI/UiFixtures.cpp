#include "UiFixtures.hpp"

#include "support/TestSupport.hpp"

namespace OrvaneTest {

using namespace Orvane::MonitoredEntry;

bool waitWithEvents(const std::function<bool()>& condition, std::chrono::milliseconds deadline)
{
    return waitUntil(
        [&condition] {
            QCoreApplication::processEvents();
            return condition();
        },
        deadline);
}

Entry::ID addQuietEntry(EntryManager& manager, const std::wstring& host, int unread, const std::wstring& name,
                        bool monitoring)
{
    EntryProperty property = validProperty(host, monitoring);
    if (!name.empty()) {
        MFP mfp = property.GetMFP();
        mfp.SetName(name);
        property.SetMFP(mfp);
    }
    Entry::ID id;
    {
        EntryManager::Transaction transaction(manager);
        id = transaction.Append(property);
        transaction.Commit();
    }
    for (int n = 0; n < unread; ++n)
        addEvent(manager, id, L"doc-" + host + L"-" + std::to_wstring(n));
    return id;
}

Event::ID addEvent(EntryManager& manager, const Entry::ID& id, const std::wstring& docID)
{
    EntryManager::Transaction transaction(manager);
    const std::shared_ptr<Entry> entry = transaction.CopyEntry(id);
    const std::shared_ptr<EventLog> log = entry->GetEventLog();
    const Event::ID added = log->Append(eventProperty(docID));
    entry->SetEventLog(log);
    transaction.SetEntry(entry);
    transaction.Commit();
    return added;
}

void markAllRead(EntryManager& manager, const Entry::ID& id)
{
    EntryManager::Transaction transaction(manager);
    const std::shared_ptr<Entry> entry = transaction.CopyEntry(id);
    const std::shared_ptr<EventLog> log = entry->GetEventLog();
    for (Event event : log->GetEventList()) {
        event.SetRead(true);
        log->SetEvent(event);
    }
    entry->SetEventLog(log);
    transaction.SetEntry(entry);
    transaction.Commit();
}

} // namespace OrvaneTest
