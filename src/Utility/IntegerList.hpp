#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Orvane::Utility {

// The comma-separated integers of a text, in order; empty items are skipped and blanks around an
// item ignored. An item that is not a decimal int raises boost::bad_lexical_cast.
std::vector<int> ParseIntegerList(const std::wstring& text);

// The integers of a string id's text (column widths such as "36,140,70").
std::vector<int> LoadIntegerList(std::uint32_t id);

} // namespace Orvane::Utility
