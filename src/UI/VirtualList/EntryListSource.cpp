#include "UI/VirtualList/EntryListSource.hpp"

#include "MonitoredEntry/EntryManager.hpp"

namespace Orvane::UI::VirtualList {

EntryListSource::EntryListSource(const MonitoredEntry::EntryManager& manager)
    : m_manager(manager)
{ }

std::unique_ptr<EntryListSource::Keys> EntryListSource::GetKeys() const
{
    auto keys = std::make_unique<Keys>();
    const auto& entries = m_manager.GetDB().GetEntryList();
    keys->reserve(entries.size());
    for (const auto& entry : entries)
        keys->push_back(entry->GetID());
    return keys;
}

bool EntryListSource::Contains(const Key& key) const
{
    return m_manager.GetDB().Contains(key);
}

void EntryListSource::Lock() const
{
    m_manager.Lock();
}

void EntryListSource::Unlock() const
{
    m_manager.Unlock();
}

const MonitoredEntry::Entry* EntryListSource::Find(const Key& key) const
{
    const auto& db = m_manager.GetDB();
    return db.Contains(key) ? &db.GetEntry(key) : nullptr;
}

const MonitoredEntry::EntryManager& EntryListSource::GetManager() const
{
    return m_manager;
}

} // namespace Orvane::UI::VirtualList
