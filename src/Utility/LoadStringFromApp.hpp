#pragma once

#include <cstdint>
#include <string>

namespace Orvane::Utility {

// The text of a string id: the language resource file's when it has one, else the built-in table's.
// Raises SystemError when neither has a text for the id.
std::wstring LoadStringFromApp(std::uint32_t id);

} // namespace Orvane::Utility
