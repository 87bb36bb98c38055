#pragma once

#include "LrcEntry.hpp"

#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace OrvaneLrc {

class TableError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The plain text table translators edit, UTF-8, one entry a line:
//
//   <id> <flags> <mnemonic> <text>
//
// separated by tabs or spaces. flags is a number (0x01 mnemonic, 0x02 ":", 0x04 "...", 0x08 a space,
// 0x10 the mnemonic only as a "(&X)" suffix); mnemonic is one character or "-" for none. The text runs
// to the end of the line; in it "\t" is a tab (an accelerator text follows), "\n" a line break, "\s" a
// space (for leading or trailing ones) and "\\" a backslash. Lines starting with "#" and empty lines
// are ignored.
class TextTable
{
public:
    // Raises TableError naming the line for a malformed line or an id given twice.
    static std::vector<LrcEntry> Parse(std::istream& in, const std::string& name);
    static void Write(std::ostream& out, const std::vector<LrcEntry>& entries);
};

} // namespace OrvaneLrc
