#include "platform/imaging/Bitmap.h"
#include "platform/imaging/PremultipliedPixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kelmora {

TEST(Bitmap, NewBitmapIsTransparentBlackAt96Dpi)
{
    Bitmap bitmap = Bitmap::Create(5, 3);
    ASSERT_TRUE(bitmap.IsOk());
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.Stride(), 20);
    EXPECT_EQ(bitmap.Pixels().size(), 15u);
    EXPECT_EQ(bitmap.HorizontalResolution(), 96.0f);
    EXPECT_EQ(bitmap.VerticalResolution(), 96.0f);
    for (uint32_t pixel : bitmap.Pixels())
        EXPECT_EQ(pixel, 0u);
    EXPECT_FALSE(bitmap.IsOpaque());
}

TEST(Bitmap, SizesOutsideTheBoundsFailWithoutPixels)
{
    EXPECT_EQ(Bitmap::Create(0, 10).Status(), ImageStatus::InvalidParameter);
    EXPECT_EQ(Bitmap::Create(10, -1).Status(), ImageStatus::InvalidParameter);
    EXPECT_EQ(Bitmap::Create(Bitmap::kMaxSide + 1, 1).Status(), ImageStatus::ValueOverflow);
    // Each side is allowed, but the pixels would exceed the memory cap.
    Bitmap huge = Bitmap::Create(Bitmap::kMaxSide, Bitmap::kMaxSide);
    EXPECT_EQ(huge.Status(), ImageStatus::ValueOverflow);
    EXPECT_EQ(huge.Width(), 0);
    EXPECT_TRUE(huge.Pixels().empty());
    EXPECT_TRUE(Bitmap::Create(Bitmap::kMaxSide, 1).IsOk());
    EXPECT_EQ(Bitmap::CheckSize(1000, 1000, 1000 * 1000 * 4 - 1), ImageStatus::ValueOverflow);
}

TEST(Bitmap, PixelAccessChecksBounds)
{
    Bitmap bitmap = Bitmap::Create(4, 2);
    EXPECT_EQ(bitmap.SetPixel(3, 1, 0x80FF0000u), ImageStatus::Ok);
    uint32_t argb = 0;
    EXPECT_EQ(bitmap.GetPixel(3, 1, &argb), ImageStatus::Ok);
    EXPECT_EQ(argb, 0x80FF0000u);
    EXPECT_EQ(bitmap.Row(1)[3], 0x80FF0000u);
    EXPECT_EQ(bitmap.SetPixel(4, 0, 1), ImageStatus::InvalidParameter);
    EXPECT_EQ(bitmap.GetPixel(0, -1, &argb), ImageStatus::InvalidParameter);

    Bitmap failed = Bitmap::Failed(ImageStatus::GenericError);
    EXPECT_EQ(failed.GetPixel(0, 0, &argb), ImageStatus::InvalidParameter);
    EXPECT_EQ(failed.SetPixel(0, 0, 1), ImageStatus::InvalidParameter);
}

TEST(Bitmap, CopiesAreIndependentAndMovesEmptyTheSource)
{
    Bitmap original = Bitmap::Create(2, 2);
    original.SetResolution(300, 150);
    original.Row(0)[0] = 0xFF123456u;
    Bitmap copy = original;
    copy.Row(0)[0] = 0;
    EXPECT_EQ(original.Row(0)[0], 0xFF123456u);
    EXPECT_EQ(copy.HorizontalResolution(), 300.0f);
    EXPECT_EQ(copy.VerticalResolution(), 150.0f);

    Bitmap moved = std::move(original);
    EXPECT_EQ(moved.Row(0)[0], 0xFF123456u);
    EXPECT_FALSE(original.IsOk()); // NOLINT(bugprone-use-after-move): the moved-from state is specified
    EXPECT_TRUE(original.Pixels().empty());
}

TEST(Bitmap, ResolutionMustBeFiniteAndPositive)
{
    Bitmap bitmap = Bitmap::Create(1, 1);
    EXPECT_EQ(bitmap.SetResolution(0, 96), ImageStatus::InvalidParameter);
    EXPECT_EQ(bitmap.SetResolution(96, std::numeric_limits<float>::quiet_NaN()), ImageStatus::InvalidParameter);
    EXPECT_EQ(bitmap.SetResolution(-72, 72), ImageStatus::InvalidParameter);
    EXPECT_EQ(bitmap.HorizontalResolution(), 96.0f);
}

TEST(PremultipliedPixels, PremultiplyRoundsToNearestForEveryValue)
{
    for (uint32_t a = 0; a < 256; ++a) {
        for (uint32_t c = 0; c < 256; ++c) {
            uint32_t expected = uint32_t(std::lround(double(c) * double(a) / 255.0));
            if (a == 0)
                expected = 0;
            uint32_t result = PremultiplyPixel(MakeArgb(uint8_t(a), uint8_t(c), uint8_t(c), uint8_t(c)));
            ASSERT_EQ(RedOf(result), expected) << "c=" << c << " a=" << a;
            ASSERT_EQ(AlphaOf(result), a);
        }
    }
}

TEST(PremultipliedPixels, UnpremultiplyInvertsPremultiplyWhereAlphaAllows)
{
    EXPECT_EQ(UnpremultiplyPixel(0xFF102030u), 0xFF102030u);
    EXPECT_EQ(UnpremultiplyPixel(0x00102030u), 0u);
    EXPECT_EQ(UnpremultiplyPixel(0x80808080u), 0x80FFFFFFu);
    // A value that is not validly premultiplied (colour above alpha) clamps.
    EXPECT_EQ(RedOf(UnpremultiplyPixel(0x10FF0000u)), 255);
    // Every valid premultiplied value survives unpremultiply then premultiply unchanged,
    // so handing pixels back and forth never drifts.
    for (uint32_t a = 1; a < 256; ++a) {
        for (uint32_t c = 0; c <= a; ++c) {
            uint32_t premultiplied = MakeArgb(uint8_t(a), uint8_t(c), 0, uint8_t(a - c));
            ASSERT_EQ(PremultiplyPixel(UnpremultiplyPixel(premultiplied)), premultiplied) << "c=" << c << " a=" << a;
        }
    }
}

TEST(PremultipliedPixels, BufferConversionHonoursStride)
{
    Bitmap bitmap = Bitmap::Create(3, 2);
    bitmap.Row(0)[0] = 0x80FF0000u;
    bitmap.Row(1)[2] = 0xFF00FF00u;
    constexpr int32_t stride = 16; // one word of padding a row
    std::vector<uint32_t> surface(stride / 4 * 2, 0xDEADBEEFu);
    auto* bytes = reinterpret_cast<uint8_t*>(surface.data());
    ASSERT_EQ(CopyToPremultiplied(bitmap, bytes, stride), ImageStatus::Ok);
    EXPECT_EQ(surface[0], 0x80800000u);
    EXPECT_EQ(surface[3], 0xDEADBEEFu); // padding untouched
    EXPECT_EQ(surface[4 + 2], 0xFF00FF00u);
    EXPECT_EQ(CopyToPremultiplied(bitmap, bytes, 8), ImageStatus::InvalidParameter);

    Bitmap back = BitmapFromPremultiplied(bytes, 3, 2, stride);
    ASSERT_TRUE(back.IsOk());
    EXPECT_EQ(back.Row(0)[0], 0x80FF0000u);
    EXPECT_EQ(back.Row(1)[2], 0xFF00FF00u);
    EXPECT_FALSE(BitmapFromPremultiplied(bytes, 5, 2, stride).IsOk());
}

} // namespace kelmora
