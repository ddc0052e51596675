#include "platform/imaging/ImageCodec.h"
#include "res/Resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

struct MeanColor {
    double r = 0, g = 0, b = 0;
    double Brightness() const { return (r + g + b) / 3; }
};

MeanColor Mean(const Bitmap& bitmap)
{
    MeanColor mean;
    for (uint32_t pixel : bitmap.Pixels()) {
        mean.r += RedOf(pixel);
        mean.g += GreenOf(pixel);
        mean.b += BlueOf(pixel);
    }
    double n = double(bitmap.Pixels().size());
    return { mean.r / n, mean.g / n, mean.b / n };
}

double PixelDifference(uint32_t a, uint32_t b)
{
    return std::abs(int(RedOf(a)) - int(RedOf(b))) + std::abs(int(GreenOf(a)) - int(GreenOf(b)))
        + std::abs(int(BlueOf(a)) - int(BlueOf(b)));
}

// Mean difference between column x and the column after it (wrapping round).
double ColumnStep(const Bitmap& bitmap, int32_t x)
{
    double sum = 0;
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        sum += PixelDifference(bitmap.Row(y)[x], bitmap.Row(y)[(x + 1) % bitmap.Width()]);
    return sum / bitmap.Height();
}

double RowStep(const Bitmap& bitmap, int32_t y)
{
    double sum = 0;
    const uint32_t* row = bitmap.Row(y);
    const uint32_t* next = bitmap.Row((y + 1) % bitmap.Height());
    for (int32_t x = 0; x < bitmap.Width(); ++x)
        sum += PixelDifference(row[x], next[x]);
    return sum / bitmap.Width();
}

Bitmap Texture(int index)
{
    return DecodeImage(GetResourceBytes(kFirstTextureResource + index));
}

} // namespace

TEST(Resources, TexturesAreOpaquePngTilesAndOtherNumbersAreEmpty)
{
    for (int i = 0; i < kTextureResourceCount; ++i) {
        std::span<const uint8_t> bytes = GetResourceBytes(kFirstTextureResource + i);
        ASSERT_EQ(DetectImageFormat(bytes), ImageFormat::Png) << i;
        Bitmap bitmap = DecodeImage(bytes);
        ASSERT_TRUE(bitmap.IsOk()) << i;
        EXPECT_EQ(bitmap.Width(), 128);
        EXPECT_EQ(bitmap.Height(), 124);
        EXPECT_TRUE(bitmap.IsOpaque()) << i;
    }
    for (int32_t id : { -1, 0, 399, 410, 65535 })
        EXPECT_TRUE(GetResourceBytes(id).empty()) << id;
}

TEST(Resources, TexturesRepeatWithoutVisibleSeams)
{
    // Crossing the tile's edge must change the picture no more than the largest step
    // between neighbouring columns (rows) inside it; a seam in a smooth texture stands
    // far above every inside step.
    for (int i = 0; i < kTextureResourceCount; ++i) {
        Bitmap bitmap = Texture(i);
        double largestColumnStep = 0;
        for (int32_t x = 0; x < bitmap.Width() - 1; ++x)
            largestColumnStep = std::max(largestColumnStep, ColumnStep(bitmap, x));
        EXPECT_LE(ColumnStep(bitmap, bitmap.Width() - 1), largestColumnStep * 1.05) << "texture " << i << " left/right edge";
        double largestRowStep = 0;
        for (int32_t y = 0; y < bitmap.Height() - 1; ++y)
            largestRowStep = std::max(largestRowStep, RowStep(bitmap, y));
        EXPECT_LE(RowStep(bitmap, bitmap.Height() - 1), largestRowStep * 1.05) << "texture " << i << " top/bottom edge";
    }
}

TEST(Resources, TextureColoursMatchTheirNames)
{
    MeanColor sand = Mean(Texture(0));
    EXPECT_GT(sand.r, sand.g);
    EXPECT_GT(sand.g, sand.b + 20);
    EXPECT_GT(sand.Brightness(), 150);

    MeanColor scales = Mean(Texture(1));
    EXPECT_GT(scales.g, scales.r);

    for (int grey : { 2, 5 }) {
        MeanColor c = Mean(Texture(grey));
        EXPECT_LT(std::abs(c.r - c.b), 12) << grey;
        EXPECT_LT(std::abs(c.r - c.g), 12) << grey;
    }
    for (int white : { 4, 6 })
        EXPECT_GT(Mean(Texture(white)).Brightness(), 195) << white;

    MeanColor water = Mean(Texture(7));
    EXPECT_GT(water.b, water.g + 30);
    EXPECT_GT(water.g, water.r);

    MeanColor greenMarble = Mean(Texture(8));
    EXPECT_GT(greenMarble.g, greenMarble.r + 30);
    EXPECT_GT(greenMarble.g, greenMarble.b);

    MeanColor gravel = Mean(Texture(9));
    EXPECT_GT(gravel.r, gravel.g);
    EXPECT_GT(gravel.g, gravel.b);
    EXPECT_LT(gravel.Brightness(), 140);
}

} // namespace kelmora
