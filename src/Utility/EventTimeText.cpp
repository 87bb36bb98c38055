#include "Utility/EventTimeText.hpp"

#include "RSS/EventTime.hpp"

#include <boost/format.hpp>

namespace Orvane::Utility {

std::wstring EventTimeText(const RSS::EventTime& time)
{
    const boost::optional<int>& second = time.GetSecond();
    boost::wformat format(second ? L"%d/%02d/%02d %02d:%02d:%02d" : L"%d/%02d/%02d %02d:%02d");
    format % time.GetYear() % time.GetMonth() % time.GetDay() % time.GetHour() % time.GetMinute();
    if (second)
        format % *second;
    return format.str();
}

} // namespace Orvane::Utility
