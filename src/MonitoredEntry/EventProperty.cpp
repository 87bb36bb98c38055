#include "MonitoredEntry/EventProperty.hpp"

namespace Orvane::MonitoredEntry {

struct EventProperty::Pimpl
{
    std::wstring category;
    std::wstring info;
    boost::optional<std::wstring> thumbNailURL;
    boost::optional<std::wstring> docID;
    RSS::EventTime time;
};

EventProperty::EventProperty(const std::wstring& category, const std::wstring& info,
                             const boost::optional<std::wstring>& thumbNailURL,
                             const boost::optional<std::wstring>& docID, const RSS::EventTime& time)
    : m_pimpl(std::make_unique<Pimpl>(Pimpl {category, info, thumbNailURL, docID, time}))
{ }

EventProperty::EventProperty(const EventProperty& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

EventProperty& EventProperty::operator=(const EventProperty& other)
{
    *m_pimpl = *other.m_pimpl;
    return *this;
}

EventProperty::~EventProperty() = default;

const std::wstring& EventProperty::GetCategory() const
{
    return m_pimpl->category;
}

const std::wstring& EventProperty::GetInfo() const
{
    return m_pimpl->info;
}

const boost::optional<std::wstring>& EventProperty::GetThumbNailURL() const
{
    return m_pimpl->thumbNailURL;
}

const boost::optional<std::wstring>& EventProperty::GetDocID() const
{
    return m_pimpl->docID;
}

const RSS::EventTime& EventProperty::GetTime() const
{
    return m_pimpl->time;
}

bool EventProperty::operator==(const EventProperty& other) const
{
    const Pimpl& p = *m_pimpl;
    const Pimpl& o = *other.m_pimpl;
    return p.category == o.category && p.info == o.info && p.thumbNailURL == o.thumbNailURL && p.docID == o.docID
        && p.time == o.time;
}

bool EventProperty::operator!=(const EventProperty& other) const
{
    return !(*this == other);
}

} // namespace Orvane::MonitoredEntry
