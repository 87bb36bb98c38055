#include "QX/MemoryImage.hpp"

#include "../Exceptions.hpp" // Orvane::SystemError

#include <boost/optional.hpp>
#include <boost/throw_exception.hpp>

#include <turbojpeg.h>

#include <cerrno>

namespace Orvane::QX {

namespace {

class Decompressor
{
public:
    Decompressor()
        : m_handle(tjInitDecompress())
    {
        if (!m_handle)
            BOOST_THROW_EXCEPTION(SystemError(ENOMEM));
    }
    ~Decompressor() { tjDestroy(m_handle); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    tjhandle Get() const { return m_handle; }

    // A warning (a damaged stream that still gave a picture) leaves a drawable bitmap.
    bool Failed(int result) const { return result != 0 && tjGetErrorCode(m_handle) != TJERR_WARNING; }

private:
    tjhandle m_handle;
};

void CheckSize(int width, int height)
{
    if (width <= 0 || height <= 0)
        BOOST_THROW_EXCEPTION(SystemError(EINVAL));
    // The header alone decides how much is allocated, so a hostile one must not ask for gigabytes.
    if (width > MemoryImage::MaxSide || height > MemoryImage::MaxSide
        || static_cast<long>(width) * height > MemoryImage::MaxPixels)
        BOOST_THROW_EXCEPTION(SystemError(EFBIG));
}

Bitmap Decode(const std::vector<unsigned char>& bytes)
{
    if (bytes.empty())
        BOOST_THROW_EXCEPTION(SystemError(EINVAL));
    Decompressor decompressor;
    Bitmap bitmap;
    int subsampling = 0;
    int colorspace = 0;
    if (tjDecompressHeader3(decompressor.Get(), bytes.data(), bytes.size(), &bitmap.Width, &bitmap.Height, &subsampling,
                            &colorspace)
        != 0)
        BOOST_THROW_EXCEPTION(SystemError(EINVAL));
    CheckSize(bitmap.Width, bitmap.Height);
    bitmap.Pixels.resize(static_cast<std::size_t>(bitmap.Width) * bitmap.Height * 3);
    // Progressive files with endless scans would otherwise keep the decoder busy for minutes.
    const int result = tjDecompress2(decompressor.Get(), bytes.data(), bytes.size(), bitmap.Pixels.data(), bitmap.Width,
                                     0, bitmap.Height, TJPF_RGB, TJFLAG_LIMITSCANS);
    if (decompressor.Failed(result))
        BOOST_THROW_EXCEPTION(SystemError(EINVAL));
    return bitmap;
}

} // namespace

struct MemoryImage::Pimpl
{
    std::unique_ptr<std::vector<unsigned char>> bytes;
    boost::optional<Bitmap> bitmap;
};

MemoryImage::MemoryImage(std::unique_ptr<std::vector<unsigned char>> bytes)
    : m_pimpl(std::make_shared<Pimpl>())
{
    m_pimpl->bytes = bytes ? std::move(bytes) : std::make_unique<std::vector<unsigned char>>();
}

const Bitmap& MemoryImage::GetBitmap() const
{
    if (!m_pimpl->bitmap)
        m_pimpl->bitmap = Decode(*m_pimpl->bytes);
    return *m_pimpl->bitmap;
}

} // namespace Orvane::QX
