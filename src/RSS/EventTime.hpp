#pragma once

#include <boost/optional/optional.hpp>

#include <memory>
#include <string>

namespace Orvane::RSS {

// The time of a feed item, as the fields of its RFC 822 text. Two times compare by their wall-clock
// moment: zone and day of week are kept but take no part, and nothing converts between zones.
class EventTime
{
public:
    // Raises InvalidTimeString when the text is not an RFC 822 date-time. The calendar is not
    // checked here: "31 Feb" is accepted, and comparing it raises std::out_of_range.
    explicit EventTime(const std::string& text);
    EventTime(const EventTime& other);
    EventTime& operator=(const EventTime& other);
    ~EventTime();

    // The text the time was made from; it is also the persisted form.
    const std::string& GetText() const;
    // 1 Sun ... 7 Sat
    const boost::optional<int>& GetDayOfWeek() const;
    int GetDay() const;
    int GetMonth() const;
    int GetYear() const;
    int GetHour() const;
    int GetMinute() const;
    const boost::optional<int>& GetSecond() const;
    const std::string& GetZone() const;

    // Both raise IncompatibleTimeString when only one of the two times has seconds, and
    // std::out_of_range when either is not a date of the Gregorian calendar.
    bool operator==(const EventTime& other) const;
    bool operator<(const EventTime& other) const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::RSS
