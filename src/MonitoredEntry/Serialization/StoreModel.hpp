#pragma once

// How the entry manager is stored: its database, that is the next entry identifier and the entries.

#include "MonitoredEntry/EntryDB.hpp"
#include "MonitoredEntry/EntryManager.hpp"
#include "MonitoredEntry/Serialization/EntryModel.hpp"
#include "MonitoredEntry/Serialization/EntryPointer.hpp"
#include "MonitoredEntry/Serialization/Sequence.hpp"

#include <boost/serialization/access.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/split_free.hpp>
#include <boost/serialization/split_member.hpp>
#include <boost/serialization/tracking.hpp>

namespace Orvane::MonitoredEntry::Serialization {

// The entries of the database as stored; unlike the other sequences its item version is 1.
class EntryListRecord
{
public:
    // For reading.
    EntryListRecord() = default;
    // For writing. It refers to the stored entries themselves, which the archive knows by address.
    explicit EntryListRecord(const EntryDB::EntryList& entries)
        : m_source(&entries)
    { }

    const EntryDB::EntryList& Get() const { return m_entries; }

private:
    friend class boost::serialization::access;

    template <class Archive>
    void save(Archive& ar, unsigned int /*version*/) const
    {
        SaveSequenceHeader(ar, m_source->size(), 1);
        for (const auto& entry : *m_source) {
            const EntryPointer item(entry);
            ar << boost::serialization::make_nvp("item", item);
        }
    }

    template <class Archive>
    void load(Archive& ar, unsigned int /*version*/)
    {
        m_entries.clear();
        for (std::size_t count = LoadSequenceHeader(ar, MaxStoredEntries); count > 0; --count) {
            EntryPointer item;
            ar >> boost::serialization::make_nvp("item", item);
            m_entries.push_back(item.Get());
        }
    }

    BOOST_SERIALIZATION_SPLIT_MEMBER()

    const EntryDB::EntryList* m_source = nullptr;
    EntryDB::EntryList m_entries;
};

// Reads the root "Orvane", written from the entry manager, into a database for a new manager.
class ManagerRecord
{
public:
    const EntryDB& Get() const { return m_db; }

private:
    friend class boost::serialization::access;

    template <class Archive>
    void serialize(Archive& ar, unsigned int /*version*/)
    {
        ar >> boost::serialization::make_nvp("EntryDB", m_db);
    }

    EntryDB m_db;
};

} // namespace Orvane::MonitoredEntry::Serialization

BOOST_CLASS_TRACKING(Orvane::MonitoredEntry::Serialization::EntryListRecord, boost::serialization::track_never)

namespace boost::serialization {

template <class Archive>
void save(Archive& ar, const Orvane::MonitoredEntry::EntryDB& db, unsigned int /*version*/)
{
    const Orvane::MonitoredEntry::Serialization::EntryListRecord entries(db.GetEntryList());
    ar << make_nvp("NextID", db.GetNextID()) << make_nvp("EntryList", entries);
}

template <class Archive>
void load(Archive& ar, Orvane::MonitoredEntry::EntryDB& db, unsigned int /*version*/)
{
    Orvane::MonitoredEntry::Entry::ID nextID;
    Orvane::MonitoredEntry::Serialization::EntryListRecord entries;
    ar >> make_nvp("NextID", nextID) >> make_nvp("EntryList", entries);
    db = Orvane::MonitoredEntry::EntryDB(nextID, entries.Get());
}

// The caller holds the manager's lock.
template <class Archive>
void serialize(Archive& ar, Orvane::MonitoredEntry::EntryManager& manager, unsigned int /*version*/)
{
    ar << make_nvp("EntryDB", manager.GetDB());
}

} // namespace boost::serialization

BOOST_SERIALIZATION_SPLIT_FREE(Orvane::MonitoredEntry::EntryDB)
