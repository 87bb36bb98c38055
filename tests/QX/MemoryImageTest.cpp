#include "Device.hpp"

#include "Exceptions.hpp"
#include "QX/MemoryImage.hpp"

#include <turbojpeg.h>

#include <gtest/gtest.h>

using Orvane::QX::MemoryImage;
using namespace QXTest;

namespace {

// A real JPEG of a red picture, made by the same library the image decodes with.
std::vector<unsigned char> Jpeg(int width, int height)
{
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3, 0);
    for (std::size_t at = 0; at < pixels.size(); at += 3)
        pixels[at] = 0xFF;
    tjhandle compressor = tjInitCompress();
    unsigned char* encoded = nullptr;
    unsigned long size = 0;
    tjCompress2(compressor, pixels.data(), width, 0, height, TJPF_RGB, &encoded, &size, TJSAMP_444, 90, 0);
    std::vector<unsigned char> jpeg(encoded, encoded + size);
    tjFree(encoded);
    tjDestroy(compressor);
    return jpeg;
}

// The same file claiming other dimensions in its frame header.
std::vector<unsigned char> WithSize(std::vector<unsigned char> jpeg, int width, int height)
{
    for (std::size_t at = 2; at + 9 < jpeg.size(); ++at)
        if (jpeg[at] == 0xFF && jpeg[at + 1] == 0xC0) {
            jpeg[at + 5] = static_cast<unsigned char>(height >> 8);
            jpeg[at + 6] = static_cast<unsigned char>(height);
            jpeg[at + 7] = static_cast<unsigned char>(width >> 8);
            jpeg[at + 8] = static_cast<unsigned char>(width);
            return jpeg;
        }
    throw std::runtime_error("no baseline frame header");
}

MemoryImage ImageOf(std::vector<unsigned char> bytes)
{
    return MemoryImage(std::make_unique<std::vector<unsigned char>>(std::move(bytes)));
}

} // namespace

TEST(MemoryImage, DecodesOnceIntoAnRgbBitmapItOwns)
{
    const MemoryImage image = ImageOf(Jpeg(48, 64));
    const Orvane::QX::Bitmap& bitmap = image.GetBitmap();
    EXPECT_EQ(48, bitmap.Width);
    EXPECT_EQ(64, bitmap.Height);
    ASSERT_EQ(48u * 64u * 3u, bitmap.Pixels.size());
    EXPECT_GT(bitmap.Pixels[0], 0xF0);
    EXPECT_LT(bitmap.Pixels[1], 0x10);
    EXPECT_EQ(&bitmap, &image.GetBitmap());
}

TEST(MemoryImage, BytesThatAreNoUsablePictureFailOnlyWhenDrawn)
{
    const std::string html = "<html><body>403 Forbidden</body></html>";
    const std::vector<unsigned char> jpeg = Jpeg(16, 16);
    const std::vector<std::vector<unsigned char>> cases = {
        {},
        std::vector<unsigned char>(html.begin(), html.end()),
        std::vector<unsigned char>(jpeg.begin(), jpeg.begin() + 20),
        WithSize(jpeg, 65000, 65000),
        WithSize(jpeg, 9000, 16),
        WithSize(jpeg, 0, 16),
    };
    for (const auto& bytes : cases) {
        const MemoryImage image = ImageOf(bytes);
        EXPECT_THROW(image.GetBitmap(), Orvane::SystemError) << bytes.size();
        EXPECT_THROW(image.GetBitmap(), Orvane::SystemError) << "a failed decoding is tried again";
    }
}
