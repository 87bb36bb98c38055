#include "System/Version.hpp"

namespace Orvane::System {

std::wstring GetProgramVersionText()
{
    const std::string text = ORVANE_VERSION_TEXT;
    return std::wstring(text.begin(), text.end()); // digits and dots only
}

} // namespace Orvane::System
