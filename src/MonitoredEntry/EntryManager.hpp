#pragma once

#include "MonitoredEntry/EntryDB.hpp"
#include "MonitoredEntry/Observer.hpp"

#include <boost/noncopyable.hpp>

#include <memory>

namespace Orvane::MonitoredEntry {

// The single owner of all entries at run time. Every reader takes the entry lock (recursive) and
// every change goes through a transaction, which commits or puts the database back as it was. After
// each commit the observers are told on the manager's own thread.
class EntryManager : boost::noncopyable
{
public:
    class Transaction;
    class ScopedLock;

    // An empty database.
    EntryManager();
    // A database as it was stored.
    explicit EntryManager(const EntryDB& db);
    // Stops the notification thread; observers are not called any more.
    ~EntryManager();

    // The entry lock; the same thread may take it again.
    void Lock() const;
    void Unlock() const;
    // Read it only under the lock, and keep no reference beyond it.
    const EntryDB& GetDB() const;

    // False when already registered; otherwise the observer is told once soon.
    bool AddObserver(Observer* observer);
    // False when not registered. Once it returns the observer is not called again.
    bool RemoveObserver(Observer* observer);

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

// Holds the entry lock for its scope.
class EntryManager::ScopedLock : boost::noncopyable
{
public:
    explicit ScopedLock(const EntryManager& manager);
    ~ScopedLock();

private:
    const EntryManager& m_manager;
};

// A change of the database under the entry lock. It takes a snapshot when it begins; when the last
// copy ends, a committed transaction releases the lock and tells the observers, any other puts the
// snapshot back. Transactions do not nest: the snapshot has one slot.
class EntryManager::Transaction
{
public:
    explicit Transaction(EntryManager& manager);
    ~Transaction();

    // Raises OverLimitEntryCount (checked first), DuplicateEntry (an entry for the host exists) and
    // InvalidEntry.
    const Entry::ID& Append(const EntryProperty& property);
    // Raises DuplicateEntry (another monitored entry for the host while this one is monitored),
    // InvalidEntry and MissingEntry.
    void SetEntry(const std::shared_ptr<Entry>& entry);
    bool Remove(const Entry::ID& id);
    // A copy of the stored entry to change; raises MissingEntry.
    std::shared_ptr<Entry> CopyEntry(const Entry::ID& id) const;
    const EntryDB& GetDB() const;
    void Commit();

private:
    struct State;
    std::shared_ptr<State> m_state;
};

} // namespace Orvane::MonitoredEntry
