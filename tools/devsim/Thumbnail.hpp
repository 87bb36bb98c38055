#pragma once

#include <string>

namespace OrvaneDevSim {

// Small page-shaped JPEG pictures: a light page with a few coloured lines, varied by the seed so
// that different documents give different pictures.
class Thumbnail
{
public:
    static constexpr int width = 48;
    static constexpr int height = 64;

    static std::string jpeg(const std::string& seed);
};

} // namespace OrvaneDevSim
