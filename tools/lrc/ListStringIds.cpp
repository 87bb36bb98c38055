// Lists the ids of the program's built-in texts, one a line, for the check that a translation
// covers them all. String resource numbers are 16-bit, so the whole range is asked.
#include "Utility/StringTable.hpp"

#include <cstdint>
#include <iostream>

int main()
{
    for (std::uint32_t id = 0; id <= 0xFFFF; ++id)
        if (Orvane::Utility::StringTable::Find(id))
            std::cout << id << '\n';
    return std::cout.flush() ? 0 : 1;
}
