#pragma once

#include <cstddef>
#include <string>

namespace Orvane::Utility {

// What a device or the network announces is untrusted: the bytes may be of any length and need not
// be UTF-8. The result is valid UTF-8 of at most maxBytes bytes: sequences that are not UTF-8 and
// control characters are dropped, and the text is cut at a character boundary. Only the bytes needed
// to fill the result are looked at.
std::string AnnouncedText(const void* data, std::size_t size, std::size_t maxBytes);

// The longest text kept from one announced value (a DNS-SD TXT value is at most 255 bytes).
constexpr std::size_t AnnouncedTextMax = 255;

} // namespace Orvane::Utility

namespace Orvane::Utility {

// Between valid UTF-8 and wide text.
std::wstring WideText(const std::string& utf8);
std::string Utf8Text(const std::wstring& wide);

} // namespace Orvane::Utility
