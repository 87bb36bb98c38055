#pragma once

#include "MonitoredEntry/Entry.hpp"
#include "UI/VirtualList/Source.hpp"

namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::UI::VirtualList {

// Every entry, monitored or not, in identifier order.
class EntryListSource : public Source<MonitoredEntry::Entry::ID>
{
public:
    // The manager must outlive the source.
    explicit EntryListSource(const MonitoredEntry::EntryManager& manager);

    std::unique_ptr<Keys> GetKeys() const override;
    bool Contains(const Key& key) const override;
    void Lock() const override;
    void Unlock() const override;

    // Under the lock: the entry, or null when it is gone.
    const MonitoredEntry::Entry* Find(const Key& key) const;
    const MonitoredEntry::EntryManager& GetManager() const;

private:
    const MonitoredEntry::EntryManager& m_manager;
};

} // namespace Orvane::UI::VirtualList
