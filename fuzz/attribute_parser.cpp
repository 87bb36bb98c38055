// Start-tag attribute text as a device could write it.
#include "HTTP/AttributeParser.hpp"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const auto& [name, value] : Orvane::HTTP::XML::AttributeParser::Parse(text)) {
        if (name.empty() || value.find('"') != std::string::npos)
            __builtin_trap();
    }
    return 0;
}
