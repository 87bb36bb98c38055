#pragma once

#include "QX/Bitmap.hpp"

namespace Orvane::QX {

// A picture received from a device, drawn by the user interface.
class Image
{
public:
    Image() = default;
    virtual ~Image() = default;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // The bitmap belongs to the image and stays valid as long as the image lives.
    virtual const Bitmap& GetBitmap() const = 0;
};

} // namespace Orvane::QX
