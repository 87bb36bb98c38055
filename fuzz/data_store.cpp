// Bytes as data.dat in a temporary folder, loaded as at a program start.

#include "MonitoredEntry/Serialization/LegacyConfig.hpp"
#include "Serializer.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string MakeFolder()
{
    const char* base = std::getenv("TMPDIR");
    std::string folder = std::string(base && *base ? base : "/tmp") + "/orvane-fuzz-store-XXXXXX";
    if (!::mkdtemp(folder.data()))
        std::abort();
    return folder + "/";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string folder = MakeFolder();
    {
        std::ofstream out(folder + "data.dat", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    // A failed read may leave the process-wide legacy switch on; every input starts from the same state.
    Orvane::MonitoredEntry::Serialization::SetLegacyConfig(false);
    Orvane::Serializer serializer(folder);
    try {
        Orvane::Load(serializer);
        Orvane::Save(serializer);
    } catch (...) {
        // Every failure of a bad file is an exception; only crashes and leaks are findings.
    }
    return 0;
}
