#pragma once

#include "MonitoredEntry/BasicID.hpp"
#include "MonitoredEntry/EntryProperty.hpp"
#include "MonitoredEntry/EventLog.hpp"
#include "RSS/RSSFeed.hpp"

#include <boost/optional/optional.hpp>

#include <memory>

namespace Orvane::MonitoredEntry {

// One (device, account) pair the user registered, with its settings, its event log and the last
// feed read from the device. Copies share the log object: a log is never changed in place, but
// copied (GetEventLog), changed and installed into an entry copy (SetEventLog).
class Entry
{
public:
    using ID = BasicID<long>;

    // A new empty log with Max = the property's LogMax, and no feed yet.
    Entry(const ID& id, const EntryProperty& property);
    Entry(const Entry& other);
    Entry& operator=(const Entry& other);
    ~Entry();

    const ID& GetID() const;
    const EntryProperty& GetProperty() const;
    void SetProperty(const EntryProperty& property);
    // A new deep copy of the entry's log.
    std::shared_ptr<EventLog> GetEventLog() const;
    // Raises std::invalid_argument for a null log.
    void SetEventLog(const std::shared_ptr<EventLog>& eventLog);
    // Reads the shared log without copying it.
    const EventLog& ReadEventLog() const;
    const boost::optional<RSS::RSSFeed>& GetLatestRSSFeed() const;
    void SetLatestRSSFeed(const boost::optional<RSS::RSSFeed>& feed);

    bool IsMonitoring() const;
    // The property is valid, the log holds no more than its Max and a present feed is valid.
    bool IsValid() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::MonitoredEntry
