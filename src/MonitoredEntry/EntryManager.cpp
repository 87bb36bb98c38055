#include "MonitoredEntry/EntryManager.hpp"

#include "MonitoredEntry/Conditions/Duplicate.hpp"
#include "MonitoredEntry/Exceptions.hpp"
#include <Config.hpp> // the program's configuration

#include <kestle/thread/sync_queue.hpp>
#include <kestle/thread/worker.hpp>

#include <boost/throw_exception.hpp>

#include <algorithm>
#include <mutex>
#include <vector>

namespace Orvane::MonitoredEntry {

struct EntryManager::Pimpl
{
    // What the notification thread needs to tell the observers.
    struct NotifyRequest
    {
        const std::vector<Observer*>* observers = nullptr;
        const EntryManager* manager = nullptr;
        std::mutex* observerMutex = nullptr;
    };
    using NotifyQueue = kestle::sync_queue<NotifyRequest>;

    EntryDB db;
    // What a transaction puts back. Copying a database shares its entries, which never change.
    EntryDB snapshot;
    mutable std::recursive_mutex entryLock;
    std::vector<Observer*> observers;
    std::mutex observerMutex;
    // One pending request tells every observer to re-read, so one is enough.
    NotifyQueue queue {1};
    kestle::worker<NotifyQueue> worker {queue, &Pimpl::Tell};

    explicit Pimpl(const EntryDB& stored)
        : db(stored)
    { }

    static void Tell(const NotifyRequest& request)
    {
        std::lock_guard<std::mutex> lock(*request.observerMutex);
        for (Observer* observer : *request.observers) {
            try {
                observer->Update(*request.manager);
            } catch (...) {
                // One failing observer must neither silence the others nor end the thread.
            }
        }
    }

    // Dropped when a request is pending already; never raises.
    void Notify(const EntryManager& manager)
    {
        try {
            queue.try_push(NotifyRequest {&observers, &manager, &observerMutex});
        } catch (...) {
            // The manager is going away; nobody is to be told any more.
        }
    }
};

EntryManager::EntryManager()
    : EntryManager(EntryDB())
{ }

EntryManager::EntryManager(const EntryDB& db)
    : m_pimpl(std::make_shared<Pimpl>(db))
{
    m_pimpl->worker.start();
}

EntryManager::~EntryManager()
{
    m_pimpl->queue.disable();
    m_pimpl->worker.stop();
}

void EntryManager::Lock() const
{
    m_pimpl->entryLock.lock();
}

void EntryManager::Unlock() const
{
    m_pimpl->entryLock.unlock();
}

const EntryDB& EntryManager::GetDB() const
{
    return m_pimpl->db;
}

bool EntryManager::AddObserver(Observer* observer)
{
    {
        std::lock_guard<std::mutex> lock(m_pimpl->observerMutex);
        auto& observers = m_pimpl->observers;
        if (std::find(observers.begin(), observers.end(), observer) != observers.end())
            return false;
        observers.push_back(observer);
    }
    m_pimpl->Notify(*this);
    return true;
}

bool EntryManager::RemoveObserver(Observer* observer)
{
    std::lock_guard<std::mutex> lock(m_pimpl->observerMutex);
    auto& observers = m_pimpl->observers;
    const auto found = std::find(observers.begin(), observers.end(), observer);
    if (found == observers.end())
        return false;
    observers.erase(found);
    return true;
}

EntryManager::ScopedLock::ScopedLock(const EntryManager& manager)
    : m_manager(manager)
{
    m_manager.Lock();
}

EntryManager::ScopedLock::~ScopedLock()
{
    m_manager.Unlock();
}

struct EntryManager::Transaction::State
{
    EntryManager& manager;
    EntryManager::Pimpl& p;
    bool committed = false;

    explicit State(EntryManager& owner)
        : manager(owner)
        , p(*owner.m_pimpl)
    {
        p.entryLock.lock();
        p.snapshot = p.db;
    }

    ~State()
    {
        if (!committed)
            p.db = p.snapshot;
        p.entryLock.unlock();
        if (committed)
            p.Notify(manager);
    }

    State(const State&) = delete;
    State& operator=(const State&) = delete;

    template <class Predicate>
    bool Any(const Predicate& predicate) const
    {
        const EntryDB::EntryList& entries = p.db.GetEntryList();
        return std::any_of(entries.begin(), entries.end(), [&](const auto& stored) { return predicate(*stored); });
    }
};

EntryManager::Transaction::Transaction(EntryManager& manager)
    : m_state(std::make_shared<State>(manager))
{ }

EntryManager::Transaction::~Transaction() = default;

const Entry::ID& EntryManager::Transaction::Append(const EntryProperty& property)
{
    EntryDB& db = m_state->p.db;
    if (db.Size() >= static_cast<std::size_t>(std::max(Orvane::Config::GetCurrent().EntryMax, 0)))
        BOOST_THROW_EXCEPTION(OverLimitEntryCount());
    if (m_state->Any(Conditions::Duplicate<EntryProperty>(property)))
        BOOST_THROW_EXCEPTION(DuplicateEntry());
    return db.Append(property);
}

void EntryManager::Transaction::SetEntry(const std::shared_ptr<Entry>& entry)
{
    if (entry && m_state->Any(Conditions::Duplicate<Entry>(*entry)))
        BOOST_THROW_EXCEPTION(DuplicateEntry());
    m_state->p.db.SetEntry(entry);
}

bool EntryManager::Transaction::Remove(const Entry::ID& id)
{
    return m_state->p.db.Remove(id);
}

std::shared_ptr<Entry> EntryManager::Transaction::CopyEntry(const Entry::ID& id) const
{
    return m_state->p.db.CopyEntry(id);
}

const EntryDB& EntryManager::Transaction::GetDB() const
{
    return m_state->p.db;
}

void EntryManager::Transaction::Commit()
{
    m_state->committed = true;
}

} // namespace Orvane::MonitoredEntry
