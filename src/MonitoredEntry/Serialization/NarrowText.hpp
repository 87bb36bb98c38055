#pragma once

#include "System/Text.hpp"

#include <string>

namespace Orvane::MonitoredEntry::Serialization {

// Feed and time texts are narrow in memory but stored as plain wide strings, converted through the
// process's narrow character set like every other device text.
inline std::wstring ToStoredText(const std::string& text)
{
    return System::FromANSI(text);
}

inline std::string FromStoredText(const std::wstring& text)
{
    return System::ToANSI(text);
}

} // namespace Orvane::MonitoredEntry::Serialization
