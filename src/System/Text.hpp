#pragma once

#include <string>

namespace Orvane::System {

// The narrow character set of this process: the C library's locale codeset, except that the
// plain C locale ("ANSI_X3.4-1968") is taken as UTF-8 so that device texts are never cut to ASCII.
const std::string& ANSICodeset();

// Wide text to the narrow character set; characters it cannot hold are dropped.
std::string ToANSI(const std::wstring& text);

// Narrow text in the narrow character set to wide; invalid sequences are dropped.
std::wstring FromANSI(const std::string& text);

} // namespace Orvane::System
