#pragma once

#include "MonitoredEntry/Entry.hpp"
#include "UI/VirtualList/Source.hpp"

#include <boost/optional/optional.hpp>

#include <utility>

namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::UI::VirtualList {

// The events of one entry (the current entry), in log order, as (entry, event) pairs.
class EventListSource : public Source<std::pair<MonitoredEntry::Entry::ID, MonitoredEntry::Event::ID>>
{
public:
    // The manager must outlive the source. No current entry at first.
    explicit EventListSource(const MonitoredEntry::EntryManager& manager);
    ~EventListSource() override;

    void SetEntry(const boost::optional<MonitoredEntry::Entry::ID>& entry);
    const boost::optional<MonitoredEntry::Entry::ID>& GetEntry() const;

    // Empty when there is no current entry or it is gone.
    std::unique_ptr<Keys> GetKeys() const override;
    bool Contains(const Key& key) const override;
    void Lock() const override;
    void Unlock() const override;

    // Under the lock: the event, or null when its entry or the event is gone.
    const MonitoredEntry::Event* FindEvent(const Key& key) const;
    const MonitoredEntry::EntryManager& GetManager() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI::VirtualList
