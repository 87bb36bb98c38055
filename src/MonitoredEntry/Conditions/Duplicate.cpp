#include "MonitoredEntry/Conditions/Duplicate.hpp"

namespace Orvane::MonitoredEntry::Conditions {

Duplicate<Entry>::Duplicate(const Entry& entry)
    : m_entry(entry)
{ }

bool Duplicate<Entry>::operator()(const Entry& stored) const
{
    return m_entry.IsMonitoring() && stored.GetID() != m_entry.GetID() && stored.IsMonitoring()
        && stored.GetProperty().GetMFP().GetHost() == m_entry.GetProperty().GetMFP().GetHost();
}

Duplicate<EntryProperty>::Duplicate(const EntryProperty& property)
    : m_host(property.GetMFP().GetHost())
{ }

bool Duplicate<EntryProperty>::operator()(const Entry& stored) const
{
    return stored.GetProperty().GetMFP().GetHost() == m_host;
}

} // namespace Orvane::MonitoredEntry::Conditions
