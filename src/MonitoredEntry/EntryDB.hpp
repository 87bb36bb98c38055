#pragma once

#include "MonitoredEntry/Entry.hpp"
#include "MonitoredEntry/SearchResult.hpp"

#include <cstddef>
#include <memory>

namespace Orvane::MonitoredEntry {

// All entries, in ascending identifier order, and the counter that hands out identifiers. A stored
// entry is never changed in place: replacing one replaces its pointer, so what a reader obtained
// stays consistent. It knows nothing of threads; the entry manager locks it.
class EntryDB
{
public:
    using EntryList = SearchResult::EntryList;
    using Predicate = SearchResult::Predicate;

    EntryDB();
    // A store as it was saved. Raises InvalidEntry for a null entry or two entries with one identifier.
    EntryDB(const Entry::ID& nextID, const EntryList& entries);
    // Copies share the stored entries, which never change.
    EntryDB(const EntryDB& other);
    EntryDB& operator=(const EntryDB& other);
    ~EntryDB();

    // Raises MissingEntry.
    const Entry& GetEntry(const Entry::ID& id) const;
    // A new copy of the stored entry, for changing; raises MissingEntry.
    std::shared_ptr<Entry> CopyEntry(const Entry::ID& id) const;
    // Replaces the stored entry with the same identifier. Raises InvalidEntry (checked first) and
    // MissingEntry.
    void SetEntry(const std::shared_ptr<const Entry>& entry);
    // Stores a new entry made from the property and answers its identifier; raises InvalidEntry.
    const Entry::ID& Append(const EntryProperty& property);
    // False when no entry had the identifier. Identifiers are not reused.
    bool Remove(const Entry::ID& id);
    bool Contains(const Entry::ID& id) const;
    std::size_t Size() const;
    std::shared_ptr<SearchResult> Search(const Predicate& predicate) const;
    // Unread events of all entries.
    std::size_t CountUnread() const;

    // The identifier the next entry gets unless it is in use.
    const Entry::ID& GetNextID() const;
    const EntryList& GetEntryList() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::MonitoredEntry
