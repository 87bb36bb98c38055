#pragma once

#include "RSS/EventTime.hpp"

#include <boost/optional/optional.hpp>

#include <memory>
#include <string>

namespace Orvane::MonitoredEntry {

// What was learned about one feed item.
class EventProperty
{
public:
    EventProperty(const std::wstring& category, const std::wstring& info,
                  const boost::optional<std::wstring>& thumbNailURL, const boost::optional<std::wstring>& docID,
                  const RSS::EventTime& time);
    EventProperty(const EventProperty& other);
    EventProperty& operator=(const EventProperty& other);
    ~EventProperty();

    // Shown as the event's name.
    const std::wstring& GetCategory() const;
    // Shown beside it.
    const std::wstring& GetInfo() const;
    // Where the document's thumbnail is on the device.
    const boost::optional<std::wstring>& GetThumbNailURL() const;
    // The document on the device.
    const boost::optional<std::wstring>& GetDocID() const;
    const RSS::EventTime& GetTime() const;

    // Field by field, stopping at the first difference; the times last, so comparing them (which
    // can raise RSS::IncompatibleTimeString or std::out_of_range) happens only when all else is equal.
    bool operator==(const EventProperty& other) const;
    bool operator!=(const EventProperty& other) const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::MonitoredEntry
