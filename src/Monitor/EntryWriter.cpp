#include "Monitor/EntryWriter.hpp"

#include "MonitoredEntry/EntryManager.hpp"

#include <boost/thread/thread.hpp>

namespace Orvane::Monitor {

using MonitoredEntry::Entry;
using MonitoredEntry::EntryManager;

EntryWriter::EntryWriter(EntryManager& manager, const Entry::ID& id)
    : m_manager(manager)
    , m_id(id)
{ }

const Entry::ID& EntryWriter::GetID() const
{
    return m_id;
}

EntryManager& EntryWriter::GetManager() const
{
    return m_manager;
}

bool EntryWriter::Read(const std::function<void(const Entry&)>& read) const
{
    EntryManager::ScopedLock lock(m_manager);
    const auto& db = m_manager.GetDB();
    if (!db.Contains(m_id))
        return false;
    read(db.GetEntry(m_id));
    return true;
}

bool EntryWriter::Change(const std::function<void(Entry&)>& change) const
{
    boost::this_thread::interruption_point();
    EntryManager::Transaction transaction(m_manager);
    if (!transaction.GetDB().Contains(m_id))
        return false;
    const std::shared_ptr<Entry> copy = transaction.CopyEntry(m_id);
    change(*copy);
    transaction.SetEntry(copy);
    transaction.Commit();
    return true;
}

void EntryWriter::SetStatus(std::int32_t state, std::int32_t failure) const
{
    Change([state, failure](Entry& entry) {
        MonitoredEntry::EntryProperty property = entry.GetProperty();
        property.SetSubscriptionState(state);
        property.SetSubscriptionFailure(failure);
        entry.SetProperty(property);
    });
}

void EntryWriter::SetFailure(std::int32_t failure) const
{
    bool differs = false;
    Read(
        [&differs, failure](const Entry& entry) { differs = entry.GetProperty().GetSubscriptionFailure() != failure; });
    if (!differs)
        return;
    Change([failure](Entry& entry) {
        MonitoredEntry::EntryProperty property = entry.GetProperty();
        property.SetSubscriptionFailure(failure);
        entry.SetProperty(property);
    });
}

} // namespace Orvane::Monitor
