#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace OrvaneLrc {

// One translated text as the program looks it up: the text is stored plain, and the program adds the
// mnemonic mark and the suffixes the flags ask for.
struct LrcEntry
{
    std::uint32_t id = 0;
    std::uint16_t flags = 0;
    char16_t mnemonic = 0; // 0: none
    std::u16string text; // a tab starts the accelerator text

    bool operator==(const LrcEntry& other) const
    {
        return id == other.id && flags == other.flags && mnemonic == other.mnemonic && text == other.text;
    }
};

struct LrcTable
{
    std::array<std::uint8_t, 4> version {0, 0, 0, 0};
    std::uint32_t charset = 0; // the Windows character set whose font the texts need
    std::vector<LrcEntry> entries;
};

} // namespace OrvaneLrc
