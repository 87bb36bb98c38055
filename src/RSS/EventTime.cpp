#include "RSS/EventTime.hpp"

#include "RSS/Exceptions.hpp"

#include <kestle/network/rfc822_date_parser.hpp>

#include <boost/date_time/posix_time/posix_time_types.hpp>

namespace Orvane::RSS {

struct EventTime::Pimpl
{
    std::string text;
    boost::optional<int> dayOfWeek;
    int day = 0;
    int month = 0;
    int year = 0;
    int hour = 0;
    int minute = 0;
    boost::optional<int> second;
    std::string zone;

    // Hours and minutes are added as durations, so 24:00 is the next day's midnight.
    boost::posix_time::ptime Moment() const
    {
        const boost::gregorian::date date(static_cast<unsigned short>(year), static_cast<unsigned short>(month),
                                          static_cast<unsigned short>(day));
        return boost::posix_time::ptime(date) + boost::posix_time::hours(hour) + boost::posix_time::minutes(minute)
            + boost::posix_time::seconds(second.value_or(0));
    }
};

namespace {

void CheckCompatible(const boost::optional<int>& second, const boost::optional<int>& otherSecond)
{
    if (second.has_value() != otherSecond.has_value())
        BOOST_THROW_EXCEPTION(IncompatibleTimeString());
}

} // namespace

EventTime::EventTime(const std::string& text)
    : m_pimpl(std::make_unique<Pimpl>())
{
    kestle::network::rfc822_date_parser parser;
    if (!parser.parse(text))
        BOOST_THROW_EXCEPTION(InvalidTimeString());
    *m_pimpl = Pimpl {text,           parser.day_of_week(), parser.day(),     parser.month(), parser.year(),
                      parser.hours(), parser.minutes(),     parser.seconds(), parser.zone()};
}

EventTime::EventTime(const EventTime& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

EventTime& EventTime::operator=(const EventTime& other)
{
    *m_pimpl = *other.m_pimpl;
    return *this;
}

EventTime::~EventTime() = default;

const std::string& EventTime::GetText() const
{
    return m_pimpl->text;
}

const boost::optional<int>& EventTime::GetDayOfWeek() const
{
    return m_pimpl->dayOfWeek;
}

int EventTime::GetDay() const
{
    return m_pimpl->day;
}

int EventTime::GetMonth() const
{
    return m_pimpl->month;
}

int EventTime::GetYear() const
{
    return m_pimpl->year;
}

int EventTime::GetHour() const
{
    return m_pimpl->hour;
}

int EventTime::GetMinute() const
{
    return m_pimpl->minute;
}

const boost::optional<int>& EventTime::GetSecond() const
{
    return m_pimpl->second;
}

const std::string& EventTime::GetZone() const
{
    return m_pimpl->zone;
}

bool EventTime::operator==(const EventTime& other) const
{
    CheckCompatible(m_pimpl->second, other.m_pimpl->second);
    return m_pimpl->Moment() == other.m_pimpl->Moment();
}

bool EventTime::operator<(const EventTime& other) const
{
    CheckCompatible(m_pimpl->second, other.m_pimpl->second);
    return m_pimpl->Moment() < other.m_pimpl->Moment();
}

} // namespace Orvane::RSS
