#include "MonitoredEntry/EntryDB.hpp"

#include "MonitoredEntry/Exceptions.hpp"

#include <algorithm>
#include <numeric>

namespace Orvane::MonitoredEntry {

namespace {

bool IDLess(const std::shared_ptr<const Entry>& entry, const Entry::ID& id)
{
    return entry->GetID() < id;
}

bool EntryLess(const std::shared_ptr<const Entry>& left, const std::shared_ptr<const Entry>& right)
{
    return left->GetID() < right->GetID();
}

} // namespace

struct EntryDB::Pimpl
{
    // Replaced whole on every change, so a search result keeps walking the list it was made from.
    std::shared_ptr<const EntryList> entries = std::make_shared<EntryList>();
    Entry::ID nextID;

    EntryList::const_iterator Find(const Entry::ID& id) const
    {
        const auto found = std::lower_bound(entries->begin(), entries->end(), id, IDLess);
        return found != entries->end() && (*found)->GetID() == id ? found : entries->end();
    }

    const std::shared_ptr<const Entry>& FindExisting(const Entry::ID& id) const
    {
        const auto found = Find(id);
        if (found == entries->end())
            BOOST_THROW_EXCEPTION(MissingEntry());
        return *found;
    }

    // From nextID on, the first identifier no entry has: once the counter has wrapped round, nextID
    // may belong to an entry that is still stored.
    Entry::ID FreeID() const
    {
        Entry::ID id = nextID;
        while (Find(id) != entries->end())
            id = id.Next();
        return id;
    }
};

EntryDB::EntryDB()
    : m_pimpl(std::make_unique<Pimpl>())
{ }

EntryDB::EntryDB(const Entry::ID& nextID, const EntryList& entries)
    : m_pimpl(std::make_unique<Pimpl>())
{
    if (std::any_of(entries.begin(), entries.end(), [](const auto& entry) { return !entry; }))
        BOOST_THROW_EXCEPTION(InvalidEntry() << ErrorMessage("no entry"));
    auto sorted = std::make_shared<EntryList>(entries);
    std::stable_sort(sorted->begin(), sorted->end(), EntryLess);
    const auto same = [](const auto& left, const auto& right) { return left->GetID() == right->GetID(); };
    if (std::adjacent_find(sorted->begin(), sorted->end(), same) != sorted->end())
        BOOST_THROW_EXCEPTION(InvalidEntry() << ErrorMessage("two entries share an identifier"));
    m_pimpl->entries = sorted;
    m_pimpl->nextID = nextID;
}

EntryDB::EntryDB(const EntryDB& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

EntryDB& EntryDB::operator=(const EntryDB& other)
{
    *m_pimpl = *other.m_pimpl;
    return *this;
}

EntryDB::~EntryDB() = default;

const Entry& EntryDB::GetEntry(const Entry::ID& id) const
{
    return *m_pimpl->FindExisting(id);
}

std::shared_ptr<Entry> EntryDB::CopyEntry(const Entry::ID& id) const
{
    return std::make_shared<Entry>(*m_pimpl->FindExisting(id));
}

void EntryDB::SetEntry(const std::shared_ptr<const Entry>& entry)
{
    if (!entry || !entry->IsValid())
        BOOST_THROW_EXCEPTION(InvalidEntry());
    const auto found = m_pimpl->Find(entry->GetID());
    if (found == m_pimpl->entries->end())
        BOOST_THROW_EXCEPTION(MissingEntry());
    auto entries = std::make_shared<EntryList>(*m_pimpl->entries);
    (*entries)[static_cast<std::size_t>(found - m_pimpl->entries->begin())] = entry;
    m_pimpl->entries = entries;
}

const Entry::ID& EntryDB::Append(const EntryProperty& property)
{
    if (!property.IsValid())
        BOOST_THROW_EXCEPTION(InvalidEntry());
    auto entry = std::make_shared<const Entry>(m_pimpl->FreeID(), property);
    auto entries = std::make_shared<EntryList>(*m_pimpl->entries);
    entries->insert(std::upper_bound(entries->begin(), entries->end(), entry, EntryLess), entry);
    m_pimpl->entries = entries;
    m_pimpl->nextID = entry->GetID().Next();
    return entry->GetID();
}

bool EntryDB::Remove(const Entry::ID& id)
{
    const auto found = m_pimpl->Find(id);
    if (found == m_pimpl->entries->end())
        return false;
    auto entries = std::make_shared<EntryList>(*m_pimpl->entries);
    entries->erase(entries->begin() + (found - m_pimpl->entries->begin()));
    m_pimpl->entries = entries;
    return true;
}

bool EntryDB::Contains(const Entry::ID& id) const
{
    return m_pimpl->Find(id) != m_pimpl->entries->end();
}

std::size_t EntryDB::Size() const
{
    return m_pimpl->entries->size();
}

std::shared_ptr<SearchResult> EntryDB::Search(const Predicate& predicate) const
{
    return std::make_shared<SearchResult>(m_pimpl->entries, predicate);
}

std::size_t EntryDB::CountUnread() const
{
    const EntryList& entries = *m_pimpl->entries;
    return std::accumulate(entries.begin(), entries.end(), std::size_t(0), [](std::size_t sum, const auto& entry) {
        return sum + entry->ReadEventLog().CountUnread();
    });
}

const Entry::ID& EntryDB::GetNextID() const
{
    return m_pimpl->nextID;
}

const EntryDB::EntryList& EntryDB::GetEntryList() const
{
    return *m_pimpl->entries;
}

} // namespace Orvane::MonitoredEntry
