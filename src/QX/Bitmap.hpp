#pragma once

#include <vector>

namespace Orvane::QX {

// A decoded picture: rows top to bottom, three bytes (red, green, blue) per pixel, no padding.
struct Bitmap
{
    int Width = 0;
    int Height = 0;
    std::vector<unsigned char> Pixels;
};

} // namespace Orvane::QX
