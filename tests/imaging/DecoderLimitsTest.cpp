// Declared sizes beyond the limits are refused before anything that size is allocated.
// The test binary replaces the global operator new to watch the largest allocation.

#include "platform/imaging/ImageCodec.h"

#include "imaging/TestPictures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <zlib.h>

namespace {
std::atomic<size_t> g_largestAllocation { 0 };
}

void* operator new(size_t size)
{
    size_t seen = g_largestAllocation.load(std::memory_order_relaxed);
    while (size > seen && !g_largestAllocation.compare_exchange_weak(seen, size, std::memory_order_relaxed)) { }
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, size_t) noexcept
{
    std::free(p);
}

namespace kelmora {

namespace {

std::vector<uint8_t> Encoded(ImageFormat format, int32_t width = 16, int32_t height = 16)
{
    std::vector<uint8_t> bytes;
    EncodeImage(test::MakeRampPicture(width, height, false), format, bytes);
    return bytes;
}

void PutBigEndian32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

void PutLittleEndian16(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

// Each file declares width x height in its header; its data stays that of 16 x 16.
std::vector<uint8_t> PngDeclaring(uint32_t width, uint32_t height)
{
    std::vector<uint8_t> bytes = Encoded(ImageFormat::Png);
    PutBigEndian32(&bytes[16], width); // IHDR data starts at 16
    PutBigEndian32(&bytes[20], height);
    PutBigEndian32(&bytes[29], uint32_t(crc32(0, &bytes[12], 17))); // type and data
    return bytes;
}

std::vector<uint8_t> BmpDeclaring(uint32_t width, uint32_t height)
{
    std::vector<uint8_t> bytes = Encoded(ImageFormat::Bmp);
    for (int i = 0; i < 4; ++i) {
        bytes[18 + size_t(i)] = uint8_t(width >> (8 * i));
        bytes[22 + size_t(i)] = uint8_t(height >> (8 * i));
    }
    return bytes;
}

std::vector<uint8_t> GifDeclaring(uint32_t width, uint32_t height)
{
    std::vector<uint8_t> bytes = Encoded(ImageFormat::Gif);
    PutLittleEndian16(&bytes[6], width);
    PutLittleEndian16(&bytes[8], height);
    return bytes;
}

std::vector<uint8_t> JpegDeclaring(uint32_t width, uint32_t height)
{
    std::vector<uint8_t> bytes = Encoded(ImageFormat::Jpeg);
    for (size_t i = 2; i + 9 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) { // start of frame
            bytes[i + 5] = uint8_t(height >> 8);
            bytes[i + 6] = uint8_t(height);
            bytes[i + 7] = uint8_t(width >> 8);
            bytes[i + 8] = uint8_t(width);
            return bytes;
        }
    }
    ADD_FAILURE() << "no start-of-frame marker";
    return bytes;
}

std::vector<uint8_t> TiffDeclaring(uint32_t width, uint32_t height)
{
    std::vector<uint8_t> bytes = Encoded(ImageFormat::Tiff);
    auto u16 = [&](size_t at) { return uint32_t(bytes[at] | bytes[at + 1] << 8); };
    size_t ifd = size_t(u16(4) | u16(6) << 16);
    uint32_t entries = u16(ifd);
    for (uint32_t i = 0; i < entries; ++i) {
        size_t entry = ifd + 2 + 12 * size_t(i);
        uint32_t tag = u16(entry);
        if (tag != 256 && tag != 257)
            continue;
        uint32_t value = tag == 256 ? width : height;
        bytes[entry + 2] = 4; // type LONG, so that any size can be written
        bytes[entry + 3] = 0;
        for (int k = 0; k < 4; ++k)
            bytes[entry + 8 + size_t(k)] = uint8_t(value >> (8 * k));
    }
    return bytes;
}

using Declaring = std::vector<uint8_t> (*)(uint32_t, uint32_t);

struct FormatCase {
    const char* name;
    Declaring make;
    uint32_t maxSide; // the largest side the format can declare
};

const FormatCase kCases[] = {
    { "png", PngDeclaring, 0x7FFFFFFF },
    { "bmp", BmpDeclaring, 0x7FFFFFFF },
    { "gif", GifDeclaring, 0xFFFF },
    { "jpeg", JpegDeclaring, 65500 }, // libjpeg itself refuses more
    { "tiff", TiffDeclaring, 0xFFFFFFFF },
};

} // namespace

TEST(DecoderLimits, HugeDeclaredSizesAreRefusedWithoutAllocating)
{
    for (const FormatCase& format : kCases) {
        // Over the side limit, and within it but over the memory cap.
        for (auto [width, height] : { std::pair { format.maxSide, 10u }, std::pair { 30000u, 30000u } }) {
            std::vector<uint8_t> bytes = format.make(width, height);
            g_largestAllocation = 0;
            Bitmap bitmap = DecodeImage(bytes);
            EXPECT_EQ(bitmap.Status(), ImageStatus::ValueOverflow) << format.name << " " << width << "x" << height;
            EXPECT_LT(g_largestAllocation.load(), size_t(1) << 20) << format.name;
        }
    }
}

TEST(DecoderLimits, CallerLimitsApplyToEveryFormat)
{
    DecoderLimits narrow;
    narrow.maxWidth = 15;
    DecoderLimits small;
    small.maxPixelBytes = 16 * 16 * 4 - 1;
    for (ImageFormat format : { ImageFormat::Bmp, ImageFormat::Jpeg, ImageFormat::Gif, ImageFormat::Tiff, ImageFormat::Png }) {
        std::vector<uint8_t> bytes = Encoded(format);
        EXPECT_TRUE(DecodeImage(bytes).IsOk());
        EXPECT_EQ(DecodeImage(bytes, narrow).Status(), ImageStatus::ValueOverflow) << int(format);
        EXPECT_EQ(DecodeImage(bytes, small).Status(), ImageStatus::ValueOverflow) << int(format);
    }
}

TEST(DecoderLimits, PngTooShortToFillItsDeclaredSizeIsRefusedBeforeAllocating)
{
    // 4000 x 4000 (64 MB) is within every limit, but 16 x 16 of compressed data cannot
    // possibly inflate to it.
    std::vector<uint8_t> bytes = PngDeclaring(4000, 4000);
    g_largestAllocation = 0;
    EXPECT_EQ(DecodeImage(bytes).Status(), ImageStatus::GenericError);
    EXPECT_LT(g_largestAllocation.load(), size_t(1) << 20);
}

} // namespace kelmora
