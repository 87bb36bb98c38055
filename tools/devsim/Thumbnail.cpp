#include "Thumbnail.hpp"

#include <turbojpeg.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace OrvaneDevSim {

namespace {

std::vector<unsigned char> drawPage(std::size_t seed)
{
    std::vector<unsigned char> pixels(Thumbnail::width * Thumbnail::height * 3, 0xF4);
    const unsigned char ink[3]
        = {static_cast<unsigned char>(seed & 0x7F), static_cast<unsigned char>((seed >> 8) & 0x7F),
           static_cast<unsigned char>((seed >> 16) & 0x7F)};
    for (int y = 8; y < Thumbnail::height - 8; y += 6)
        for (int x = 6; x < Thumbnail::width - 6 - static_cast<int>((seed >> y) & 7); ++x)
            for (int c = 0; c < 3; ++c)
                pixels[(y * Thumbnail::width + x) * 3 + c] = ink[c];
    return pixels;
}

} // namespace

std::string Thumbnail::jpeg(const std::string& seed)
{
    const std::vector<unsigned char> pixels = drawPage(std::hash<std::string>()(seed));
    std::unique_ptr<void, int (*)(tjhandle)> compressor(tjInitCompress(), tjDestroy);
    if (!compressor)
        throw std::runtime_error("cannot create a JPEG compressor");
    unsigned char* encoded = nullptr;
    unsigned long size = 0;
    if (tjCompress2(compressor.get(), pixels.data(), width, 0, height, TJPF_RGB, &encoded, &size, TJSAMP_420, 85, 0)
        != 0) {
        tjFree(encoded);
        throw std::runtime_error(std::string("JPEG encoding failed: ") + tjGetErrorStr2(compressor.get()));
    }
    std::string result(reinterpret_cast<const char*>(encoded), size);
    tjFree(encoded);
    return result;
}

} // namespace OrvaneDevSim
