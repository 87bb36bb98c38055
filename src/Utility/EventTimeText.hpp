#pragma once

#include <string>

namespace Orvane::RSS {
class EventTime;
}

namespace Orvane::Utility {

// How lists and dialogs show an event time: "2024/03/05 09:07:02", or without the seconds field
// when the time has no seconds.
std::wstring EventTimeText(const RSS::EventTime& time);

} // namespace Orvane::Utility
