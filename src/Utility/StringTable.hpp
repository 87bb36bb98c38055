#pragma once

#include <cstdint>

namespace Orvane::Utility {

// The program's built-in texts: the Japanese text of every string id (see StringId).
class StringTable
{
public:
    // The built-in text of a string id, or null when the table has none.
    static const wchar_t* Find(std::uint32_t id);
};

} // namespace Orvane::Utility
