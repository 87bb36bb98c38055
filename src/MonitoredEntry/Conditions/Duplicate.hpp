#pragma once

#include "MonitoredEntry/Entry.hpp"
#include "MonitoredEntry/EntryProperty.hpp"

#include <string>

namespace Orvane::MonitoredEntry::Conditions {

// Tests a stored entry against a new or changed one for the same device host (exact comparison).
// At most one entry per host is monitored, and no second entry for a host is added.
template <class T>
class Duplicate;

// Another monitored entry for the same host, when the given entry is monitored itself.
template <>
class Duplicate<Entry>
{
public:
    explicit Duplicate(const Entry& entry);
    bool operator()(const Entry& stored) const;

private:
    Entry m_entry;
};

// Any entry for the same host, monitored or not.
template <>
class Duplicate<EntryProperty>
{
public:
    explicit Duplicate(const EntryProperty& property);
    bool operator()(const Entry& stored) const;

private:
    std::wstring m_host;
};

} // namespace Orvane::MonitoredEntry::Conditions
