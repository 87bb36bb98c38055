#pragma once

#include "QX/Image.hpp"

#include <memory>
#include <vector>

namespace Orvane::QX {

// The bytes of a JPEG file, decoded on the first GetBitmap. Not guarded: one thread draws it.
class MemoryImage : public Image
{
public:
    // Pictures with a side longer than this, or more pixels than MaxPixels, are refused.
    static constexpr int MaxSide = 8192;
    static constexpr long MaxPixels = 4096L * 4096L;

    explicit MemoryImage(std::unique_ptr<std::vector<unsigned char>> bytes);

    // Decodes once. Orvane::SystemError when the bytes are no JPEG picture (EINVAL) or one
    // too large to hold (EFBIG); a failed decoding is tried again by the next call.
    const Bitmap& GetBitmap() const override;

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::QX
