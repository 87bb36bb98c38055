// Loads arbitrary bytes as a language resource file and looks texts up in whatever was accepted.

#include "System/CLrcReader.hpp"
#include "System/Fonts.hpp"

#include <sanitizer/lsan_interface.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string inputPath()
{
    static const std::string path = "/tmp/fuzz_language_resource." + std::to_string(::getpid()) + ".lrc";
    return path;
}

// The id of the first entry when the string section comes first; the seeds also use 100-104.
std::uint32_t firstEntryId(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t at = 152 + 28;
    if (size < at + 4)
        return 0;
    return data[at] | data[at + 1] << 8 | data[at + 2] << 16 | static_cast<std::uint32_t>(data[at + 3]) << 24;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Fontconfig loads its configuration once and keeps it for the process; load it here, away from
    // the leak checks libFuzzer runs around each input.
    __lsan::ScopedDisabler disabler;
    Orvane::System::IsCharsetFontInstalled(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(inputPath().c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    Orvane::System::CLrcReader reader;
    if (reader.Load(inputPath())) {
        for (std::uint32_t id : {firstEntryId(data, size), 0u, 100u, 101u, 102u, 103u, 104u, 0xFFFFFFFFu})
            reader.GetString(id);
        reader.GetVersionText();
    }
    return 0;
}
