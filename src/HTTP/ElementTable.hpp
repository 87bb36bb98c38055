#pragma once

#include <cstddef>
#include <string>

namespace Orvane::HTTP {

// The fixed table of element names that device documents are made of. An element's id is its
// position in the table; Unknown stands for any name outside it.
class ElementTable
{
public:
    static constexpr int Count = 38;
    static constexpr int Unknown = Count;

    // Exact match, as command builders spell the names.
    static int IdOf(const std::string& name);

    // Match without regard to case, as device documents spell them ("channel", "pubDate").
    static int IdOfIgnoringCase(const char* name);

    // The table name of an id; empty for Unknown or anything outside the table.
    static std::string NameOf(int id);
};

} // namespace Orvane::HTTP
