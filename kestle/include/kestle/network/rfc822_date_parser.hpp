#pragma once

#include <boost/optional/optional.hpp>

#include <memory>
#include <string>

namespace kestle::network {

// Splits an RFC 822 date-time as found in RSS feeds into its fields. It neither checks the calendar
// nor converts zones. Copies share one state; a parser is used by one thread at a time, while
// separate parsers may run on separate threads.
class rfc822_date_parser
{
public:
    rfc822_date_parser();

    // Replaces the last result; true when the whole text matched. After a failure every field is absent.
    bool parse(const std::string& text);

    // 1 Sun ... 7 Sat
    boost::optional<int> day_of_week() const;
    int day() const;
    // 1 Jan ... 12 Dec
    int month() const;
    int year() const;
    int hours() const;
    int minutes() const;
    boost::optional<int> seconds() const;
    // As written: "GMT", "Z", "+0900", ...
    std::string zone() const;

private:
    class Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace kestle::network
