#pragma once

#include <string>

namespace Orvane::QX {

// Checks of device addresses and accounts as the user enters them.

// At least one character.
bool IsNotEmpty(const std::wstring& text);

// A dotted IPv4 address (0-255 without leading zeros) or a host name of at most 255 characters:
// "."-separated labels of letters, digits, "-" and "_" that begin and end with a letter or digit.
bool IsValidHost(const std::wstring& host);

// 0 to 65535.
bool IsValidPort(long port);

// No character above 127; the empty text passes.
bool IsASCII(const std::wstring& text);

} // namespace Orvane::QX
