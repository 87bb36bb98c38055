#include "MonitoredEntry/Entry.hpp"

#include <boost/throw_exception.hpp>

#include <stdexcept>

namespace Orvane::MonitoredEntry {

struct Entry::Pimpl
{
    ID id;
    EntryProperty property;
    std::shared_ptr<const EventLog> eventLog;
    boost::optional<RSS::RSSFeed> latestRSSFeed;
};

Entry::Entry(const ID& id, const EntryProperty& property)
    : m_pimpl(std::make_unique<Pimpl>(
        Pimpl {id, property, std::make_shared<EventLog>(property.GetConfig().GetLogMax()), boost::none}))
{ }

Entry::Entry(const Entry& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

Entry& Entry::operator=(const Entry& other)
{
    *m_pimpl = *other.m_pimpl;
    return *this;
}

Entry::~Entry() = default;

const Entry::ID& Entry::GetID() const
{
    return m_pimpl->id;
}

const EntryProperty& Entry::GetProperty() const
{
    return m_pimpl->property;
}

void Entry::SetProperty(const EntryProperty& property)
{
    m_pimpl->property = property;
}

std::shared_ptr<EventLog> Entry::GetEventLog() const
{
    return std::make_shared<EventLog>(*m_pimpl->eventLog);
}

void Entry::SetEventLog(const std::shared_ptr<EventLog>& eventLog)
{
    if (!eventLog)
        BOOST_THROW_EXCEPTION(std::invalid_argument("an entry needs an event log"));
    m_pimpl->eventLog = eventLog;
}

const EventLog& Entry::ReadEventLog() const
{
    return *m_pimpl->eventLog;
}

const boost::optional<RSS::RSSFeed>& Entry::GetLatestRSSFeed() const
{
    return m_pimpl->latestRSSFeed;
}

void Entry::SetLatestRSSFeed(const boost::optional<RSS::RSSFeed>& feed)
{
    m_pimpl->latestRSSFeed = feed;
}

bool Entry::IsMonitoring() const
{
    return m_pimpl->property.IsMonitoring();
}

bool Entry::IsValid() const
{
    const Pimpl& p = *m_pimpl;
    const EventLog& log = *p.eventLog;
    const bool logWithinMax = log.GetEventList().size() <= static_cast<std::size_t>(std::max(log.GetMax(), 0));
    return p.property.IsValid() && logWithinMax && (!p.latestRSSFeed || p.latestRSSFeed->IsValid());
}

} // namespace Orvane::MonitoredEntry
