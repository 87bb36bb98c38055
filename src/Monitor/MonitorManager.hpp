#pragma once

#include "MonitoredEntry/EntryManager.hpp"
#include "MonitoredEntry/Observer.hpp"

#include <boost/thread/locks.hpp>
#include <boost/thread/mutex.hpp>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace Orvane::Monitor {

// Keeps one monitor of type T (an actor with GetID, Update, start, stop and an order) for every entry that has
// been monitored: after each change of the entries it makes and starts a monitor for every entry
// switched to monitoring that has none, tells the others to re-read their entry, and stops those whose
// entry is gone. Switching monitoring off is the monitor's own business.
//
// Lock order: the list lock, then the entry lock, and both are released before any monitor is told,
// started or stopped, so nobody holding the entry lock ever waits for a monitor.
template <class T>
class MonitorManager : public MonitoredEntry::Observer
{
public:
    using MonitorPointer = std::shared_ptr<T>;
    using ID = MonitoredEntry::Entry::ID;

    // The entry manager must outlive this one. Nothing runs until it is registered as an observer.
    explicit MonitorManager(MonitoredEntry::EntryManager& manager);
    // Stops every monitor. Unregister from the entry manager first.
    ~MonitorManager() override;

    // Reconciles; called on the entry manager's notification thread.
    void Update(const MonitoredEntry::EntryManager& manager) override;

    // Applies the action to every monitor in identifier order, under the list lock.
    void ForEach(const std::function<void(T&)>& action) const;
    // Stops every monitor and forgets it, one after the other. Unregister first, or the next change
    // of the entries makes new ones.
    void StopAll();
    // The entries that have a monitor, in order.
    std::vector<ID> GetIDs() const;

protected:
    // A new monitor for the entry, not started.
    virtual MonitorPointer CreateMonitor(const ID& id, MonitoredEntry::EntryManager& manager) = 0;

    // Does the entry need a new monitor: monitored, and none of the monitors is its own.
    static bool Appended(const MonitoredEntry::Entry& entry, const std::vector<MonitorPointer>& monitors);

private:
    struct Pimpl
    {
        explicit Pimpl(MonitoredEntry::EntryManager& entries)
            : manager(entries)
        { }

        MonitoredEntry::EntryManager& manager;
        std::vector<MonitorPointer> monitors; // sorted by entry identifier
        mutable boost::mutex mutex; // the list lock
    };
    using Lock = boost::lock_guard<boost::mutex>;

    void Sort(std::vector<MonitorPointer>& monitors) const;
    static void Tell(const std::vector<MonitorPointer>& monitors, void (T::*step)());

    std::shared_ptr<Pimpl> m_pimpl;
};

template <class T>
MonitorManager<T>::MonitorManager(MonitoredEntry::EntryManager& manager)
    : m_pimpl(std::make_shared<Pimpl>(manager))
{ }

template <class T>
MonitorManager<T>::~MonitorManager()
{
    StopAll();
}

template <class T>
bool MonitorManager<T>::Appended(const MonitoredEntry::Entry& entry, const std::vector<MonitorPointer>& monitors)
{
    return entry.IsMonitoring() && std::none_of(monitors.begin(), monitors.end(), [&entry](const MonitorPointer& m) {
               return m->GetID() == entry.GetID();
           });
}

template <class T>
void MonitorManager<T>::Update(const MonitoredEntry::EntryManager&)
{
    std::vector<MonitorPointer> kept;
    std::vector<MonitorPointer> created;
    std::vector<MonitorPointer> removed;
    {
        const Lock list(m_pimpl->mutex);
        const MonitoredEntry::EntryManager::ScopedLock entries(m_pimpl->manager);
        const MonitoredEntry::EntryDB& db = m_pimpl->manager.GetDB();
        for (const MonitorPointer& monitor : m_pimpl->monitors)
            (db.Contains(monitor->GetID()) ? kept : removed).push_back(monitor);
        for (const auto& entry : db.GetEntryList()) {
            if (Appended(*entry, m_pimpl->monitors))
                created.push_back(CreateMonitor(entry->GetID(), m_pimpl->manager));
        }
    }
    Tell(kept, &T::Update);
    Tell(created, &T::start);
    kept.insert(kept.end(), created.begin(), created.end());
    Sort(kept);
    {
        const Lock list(m_pimpl->mutex);
        m_pimpl->monitors.swap(kept);
    }
    // Their entries are gone: each stop ends the monitor's subscription before this returns.
    Tell(removed, &T::stop);
}

template <class T>
void MonitorManager<T>::Tell(const std::vector<MonitorPointer>& monitors, void (T::*step)())
{
    for (const MonitorPointer& monitor : monitors) {
        try {
            ((*monitor).*step)();
        } catch (...) {
            // One monitor's failure leaves the others, and the list, as they should be.
        }
    }
}

template <class T>
void MonitorManager<T>::Sort(std::vector<MonitorPointer>& monitors) const
{
    std::sort(monitors.begin(), monitors.end(),
              [](const MonitorPointer& a, const MonitorPointer& b) { return *a < *b; });
}

template <class T>
void MonitorManager<T>::ForEach(const std::function<void(T&)>& action) const
{
    const Lock list(m_pimpl->mutex);
    for (const MonitorPointer& monitor : m_pimpl->monitors)
        action(*monitor);
}

template <class T>
void MonitorManager<T>::StopAll()
{
    std::vector<MonitorPointer> stopped;
    {
        const Lock list(m_pimpl->mutex);
        stopped.swap(m_pimpl->monitors);
    }
    // Outside the list lock: a signal being delivered waits for nothing but the list.
    Tell(stopped, &T::stop);
}

template <class T>
std::vector<typename MonitorManager<T>::ID> MonitorManager<T>::GetIDs() const
{
    std::vector<ID> ids;
    ForEach([&ids](T& monitor) { ids.push_back(monitor.GetID()); });
    return ids;
}

} // namespace Orvane::Monitor
