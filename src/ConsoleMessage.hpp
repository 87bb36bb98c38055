#pragma once

#include "Utility/StringId.hpp"

#include <cstdint>
#include <string>

namespace Orvane {

// The messages the desktop shows in a box with the exclamation icon, written as one line to
// standard error instead while there is no window. The language resource file may replace a text;
// otherwise the built-in text is used.
class ConsoleMessage
{
public:
    static constexpr std::uint32_t LoadFailure = Utility::StringId::LoadFailure; // the data store could not be read
    static constexpr std::uint32_t SaveFailure = Utility::StringId::SaveFailure; // the data store could not be written
    static constexpr std::uint32_t InitFailure = Utility::StringId::InitFailure; // the start failed

    // The text of a string id, in UTF-8; empty for an id without any text.
    static std::string GetText(std::uint32_t id);
    // Writes the text, and the detail on a line of its own when there is one.
    static void Show(std::uint32_t id, const std::string& detail = std::string());
};

} // namespace Orvane
