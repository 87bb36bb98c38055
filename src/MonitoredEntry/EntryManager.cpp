#include "MonitoredEntry/EntryManager.hpp"

#include <Config.hpp> // the program's configuration
#include "MonitoredEntry/Conditions/Duplicate.hpp"
#include "MonitoredEntry/Exceptions.hpp"

#include <boost/throw_exception.hpp>

#include <algorithm>
#include <mutex>
#include <vector>

namespace Orvane::MonitoredEntry {

struct EntryManager::Pimpl
{
    EntryDB db;
    // What a transaction puts back. Copying a database shares its entries, which never change.
    EntryDB snapshot;
    mutable std::recursive_mutex entryLock;

    explicit Pimpl(const EntryDB& stored)
        : db(stored)
    { }
};

EntryManager::EntryManager()
    : EntryManager(EntryDB())
{ }

EntryManager::EntryManager(const EntryDB& db)
    : m_pimpl(std::make_shared<Pimpl>(db))
{ }

EntryManager::~EntryManager() = default;

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
        if (committed) {
            p.entryLock.unlock();
            return;
        }
        p.db = p.snapshot;
        p.entryLock.unlock();
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
