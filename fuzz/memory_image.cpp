// Bytes from a device, taken as a thumbnail and decoded.
#include "Exceptions.hpp"
#include "QX/MemoryImage.hpp"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Orvane::QX::MemoryImage image(std::make_unique<std::vector<unsigned char>>(data, data + size));
    try {
        (void)image.GetBitmap().Pixels.size();
    } catch (const Orvane::SystemError&) { }
    return 0;
}
