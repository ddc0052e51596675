#include "platform/imaging/BmpCodec.h"

#include <gtest/gtest.h>

// The files below are spelled out with designated initialisers that name only the fields
// each case sets; the others keep their defaults on purpose.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace kelmora {

namespace {

// Builds BMP files field by field, the way other programs write them.
struct BmpFile {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    uint32_t headerSize = 40;
    std::vector<uint32_t> headerMasks;     // at DIB offset 40 (v2 and later headers)
    std::vector<uint32_t> masksAfterHeader; // after a 40-byte header (BI_BITFIELDS)
    std::vector<uint32_t> palette;         // 0x00RRGGBB
    std::vector<uint8_t> pixels;

    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> out;
        auto u16 = [&](uint32_t v) { out.push_back(uint8_t(v)); out.push_back(uint8_t(v >> 8)); };
        auto u32 = [&](uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
        bool core = headerSize == 12;
        size_t paletteBytes = palette.size() * (core ? 3 : 4);
        uint32_t offset = uint32_t(14 + headerSize + masksAfterHeader.size() * 4 + paletteBytes);
        out.push_back('B');
        out.push_back('M');
        u32(offset + uint32_t(pixels.size()));
        u32(0);
        u32(offset);
        u32(headerSize);
        if (core) {
            u16(uint32_t(width));
            u16(uint32_t(height));
            u16(1);
            u16(bitsPerPixel);
        } else {
            u32(uint32_t(width));
            u32(uint32_t(height));
            u16(1);
            u16(bitsPerPixel);
            u32(compression);
            u32(uint32_t(pixels.size()));
            u32(2835);
            u32(2835);
            u32(uint32_t(palette.size()));
            u32(0);
            for (uint32_t mask : headerMasks)
                u32(mask);
            while (out.size() < 14 + headerSize)
                out.push_back(0);
        }
        for (uint32_t mask : masksAfterHeader)
            u32(mask);
        for (uint32_t color : palette) {
            out.push_back(uint8_t(color));
            out.push_back(uint8_t(color >> 8));
            out.push_back(uint8_t(color >> 16));
            if (!core)
                out.push_back(0);
        }
        out.insert(out.end(), pixels.begin(), pixels.end());
        return out;
    }
};

Bitmap Decode(const BmpFile& file)
{
    return DecodeBmp(file.Bytes());
}

} // namespace

TEST(BmpCodec, PaletteDepthsReadBottomUpWithRowPadding)
{
    BmpFile file { .width = 10, .height = 2, .bitsPerPixel = 1, .palette = { 0x000000, 0xFFFFFF } };
    // Bottom row first: 1010101010, then 0000000001; each row padded to 4 bytes.
    file.pixels = { 0xAA, 0x80, 0, 0, 0x00, 0x40, 0, 0 };
    Bitmap bitmap = Decode(file);
    ASSERT_TRUE(bitmap.IsOk());
    EXPECT_EQ(bitmap.Row(1)[0], 0xFFFFFFFFu);
    EXPECT_EQ(bitmap.Row(1)[1], 0xFF000000u);
    EXPECT_EQ(bitmap.Row(1)[8], 0xFFFFFFFFu);
    EXPECT_EQ(bitmap.Row(0)[8], 0xFF000000u);
    EXPECT_EQ(bitmap.Row(0)[9], 0xFFFFFFFFu);
    EXPECT_NEAR(bitmap.HorizontalResolution(), 72.0f, 0.01f);

    // The old core header has 3-byte palette entries and 16-bit sizes.
    BmpFile core { .width = 3, .height = 1, .bitsPerPixel = 8, .headerSize = 12, .palette = { 0x112233, 0x445566 } };
    core.pixels = { 1, 0, 7, 0 }; // index 7 is past the palette: black
    Bitmap fromCore = Decode(core);
    ASSERT_TRUE(fromCore.IsOk());
    EXPECT_EQ(fromCore.Row(0)[0], 0xFF445566u);
    EXPECT_EQ(fromCore.Row(0)[1], 0xFF112233u);
    EXPECT_EQ(fromCore.Row(0)[2], 0xFF000000u);
}

TEST(BmpCodec, RunLengthEncodingWithDeltasLeavesSkippedPixelsTransparent)
{
    const uint32_t a = 0x0000FF, b = 0x00FF00, c = 0xFF0000;
    BmpFile rle8 { .width = 6, .height = 2, .bitsPerPixel = 8, .compression = 1, .palette = { a, b, c } };
    rle8.pixels = {
        3, 1,             // three of index 1
        0, 3, 2, 0, 1, 0, // three literal indices, padded to an even count
        0, 0,             // end of line
        0, 2, 4, 0,       // move right by 4
        2, 2,             // two of index 2
        0, 1,             // end of picture
    };
    Bitmap bitmap = Decode(rle8);
    ASSERT_TRUE(bitmap.IsOk());
    EXPECT_EQ(bitmap.Row(1)[0], 0xFF00FF00u);
    EXPECT_EQ(bitmap.Row(1)[3], 0xFFFF0000u);
    EXPECT_EQ(bitmap.Row(1)[4], 0xFF0000FFu);
    EXPECT_EQ(bitmap.Row(1)[5], 0xFF00FF00u);
    EXPECT_EQ(bitmap.Row(0)[0], 0u);
    EXPECT_EQ(bitmap.Row(0)[3], 0u);
    EXPECT_EQ(bitmap.Row(0)[4], 0xFFFF0000u);
    EXPECT_EQ(bitmap.Row(0)[5], 0xFFFF0000u);

    BmpFile rle4 { .width = 6, .height = 1, .bitsPerPixel = 4, .compression = 2, .palette = { a, b, c } };
    rle4.pixels = { 3, 0x12, 0, 3, 0x20, 0x10, 0, 1 }; // 1 2 1, then literal 2 0 1
    Bitmap nibbles = Decode(rle4);
    ASSERT_TRUE(nibbles.IsOk());
    EXPECT_EQ(nibbles.Row(0)[0], 0xFF00FF00u);
    EXPECT_EQ(nibbles.Row(0)[1], 0xFFFF0000u);
    EXPECT_EQ(nibbles.Row(0)[2], 0xFF00FF00u);
    EXPECT_EQ(nibbles.Row(0)[3], 0xFFFF0000u);
    EXPECT_EQ(nibbles.Row(0)[4], 0xFF0000FFu);
    EXPECT_EQ(nibbles.Row(0)[5], 0xFF00FF00u);
}

TEST(BmpCodec, MaskedAndDirectColourDepths)
{
    // 16-bit 5-6-5 with the masks after a 40-byte header.
    BmpFile rgb565 { .width = 2, .height = 1, .bitsPerPixel = 16, .compression = 3 };
    rgb565.masksAfterHeader = { 0xF800, 0x07E0, 0x001F };
    rgb565.pixels = { 0x00, 0xF8, 0x1F, 0x00 };
    Bitmap bitmap = Decode(rgb565);
    ASSERT_TRUE(bitmap.IsOk());
    EXPECT_EQ(bitmap.Row(0)[0], 0xFFFF0000u);
    EXPECT_EQ(bitmap.Row(0)[1], 0xFF0000FFu);

    // 24-bit top-down (negative height), rows padded to 4 bytes.
    BmpFile topDown { .width = 1, .height = -2, .bitsPerPixel = 24 };
    topDown.pixels = { 1, 2, 3, 0, 4, 5, 6, 0 };
    Bitmap flipped = Decode(topDown);
    ASSERT_TRUE(flipped.IsOk());
    EXPECT_EQ(flipped.Row(0)[0], 0xFF030201u);
    EXPECT_EQ(flipped.Row(1)[0], 0xFF060504u);

    // A v5 header with an alpha mask keeps alpha.
    BmpFile v5 { .width = 1, .height = 1, .bitsPerPixel = 32, .compression = 3, .headerSize = 124 };
    v5.headerMasks = { 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000 };
    v5.pixels = { 0x30, 0x20, 0x10, 0x80 };
    EXPECT_EQ(Decode(v5).Row(0)[0], 0x80102030u);
}

TEST(BmpCodec, PlainThirtyTwoBitUsesTheFourthByteUnlessItIsAlwaysZero)
{
    BmpFile zero { .width = 2, .height = 1, .bitsPerPixel = 32 };
    zero.pixels = { 1, 2, 3, 0, 4, 5, 6, 0 };
    Bitmap opaque = Decode(zero);
    EXPECT_EQ(opaque.Row(0)[0], 0xFF030201u);
    EXPECT_EQ(opaque.Row(0)[1], 0xFF060504u);

    BmpFile some = zero;
    some.pixels[7] = 0x40;
    Bitmap withAlpha = Decode(some);
    EXPECT_EQ(withAlpha.Row(0)[0], 0x00030201u);
    EXPECT_EQ(withAlpha.Row(0)[1], 0x40060504u);
}

TEST(BmpCodec, DamagedFilesFail)
{
    BmpFile good { .width = 4, .height = 4, .bitsPerPixel = 24, .pixels = std::vector<uint8_t>(48, 0x7F) };
    ASSERT_TRUE(Decode(good).IsOk());

    BmpFile shortPixels = good;
    shortPixels.pixels.resize(40);
    EXPECT_EQ(Decode(shortPixels).Status(), ImageStatus::GenericError);

    BmpFile badDepth = good;
    badDepth.bitsPerPixel = 7;
    EXPECT_EQ(Decode(badDepth).Status(), ImageStatus::GenericError);

    BmpFile badHeader = good;
    badHeader.headerSize = 99;
    EXPECT_EQ(Decode(badHeader).Status(), ImageStatus::GenericError);

    BmpFile rleTopDown { .width = 2, .height = -2, .bitsPerPixel = 8, .compression = 1, .palette = { 0 }, .pixels = { 0, 1 } };
    EXPECT_EQ(Decode(rleTopDown).Status(), ImageStatus::GenericError);

    BmpFile rleUnfinished { .width = 2, .height = 2, .bitsPerPixel = 8, .compression = 1, .palette = { 0 }, .pixels = { 2, 0, 0, 0 } };
    EXPECT_EQ(Decode(rleUnfinished).Status(), ImageStatus::GenericError);

    // The pixel data may not start beyond the end of the file.
    std::vector<uint8_t> bytes = good.Bytes();
    bytes[10] = 0xFF;
    bytes[11] = 0xFF;
    EXPECT_EQ(DecodeBmp(bytes).Status(), ImageStatus::GenericError);
}

TEST(BmpCodec, AlphaMaskAfterAFiftyTwoByteHeader)
{
    // The 52-byte header holds three masks; with alpha bitfields the fourth follows it.
    BmpFile file { .width = 1, .height = 1, .bitsPerPixel = 32, .compression = 6, .headerSize = 52,
                   .headerMasks = { 0x00FF0000, 0x0000FF00, 0x000000FF },
                   .masksAfterHeader = { 0xFF000000 },
                   .pixels = { 0x30, 0x20, 0x10, 0x80 } };
    Bitmap decoded = Decode(file);
    ASSERT_TRUE(decoded.IsOk());
    uint32_t pixel = 0;
    decoded.GetPixel(0, 0, &pixel);
    EXPECT_EQ(pixel, 0x80102030u);

    // Cut off right after the header: the missing alpha mask is not read past the end.
    std::vector<uint8_t> bytes = file.Bytes();
    bytes.resize(14 + 52);
    EXPECT_EQ(DecodeBmp(bytes).Status(), ImageStatus::GenericError);
}

} // namespace kelmora
