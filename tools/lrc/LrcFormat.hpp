#pragma once

#include "LrcEntry.hpp"

#include <stdexcept>
#include <string>

namespace OrvaneLrc {

class FormatError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The binary language resource file: a 152-byte header and one string section.
class LrcFormat
{
public:
    // Raises FormatError for a table the file cannot hold (no entries, a text over 64 KiB, a bad flag).
    static std::string Encode(const LrcTable& table);
    // Reads a file written by Encode back; raises FormatError for anything else.
    static LrcTable Decode(const std::string& bytes);
};

} // namespace OrvaneLrc
