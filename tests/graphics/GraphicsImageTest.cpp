#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageAttributes.h"
#include "platform/imaging/Bitmap.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <limits>
#include <vector>

namespace kelmora {

namespace {

// Pixel (x, y) is opaque with red = 10·x + 1 and green = 10·y + 1.
Bitmap Numbered(int width, int height)
{
    Bitmap bitmap = Bitmap::Create(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, MakeArgb(255, uint8_t(10 * x + 1), uint8_t(10 * y + 1), 0));
    return bitmap;
}

Bitmap Filled(int width, int height, uint32_t argb)
{
    Bitmap bitmap = Bitmap::Create(width, height);
    for (uint32_t& p : bitmap.Pixels())
        p = argb;
    return bitmap;
}

bool Near(Color actual, Color expected, int tolerance = 2)
{
    return std::abs(actual.GetA() - expected.GetA()) <= tolerance && std::abs(actual.GetR() - expected.GetR()) <= tolerance
        && std::abs(actual.GetG() - expected.GetG()) <= tolerance && std::abs(actual.GetB() - expected.GetB()) <= tolerance;
}

ImageSurface Surface(int w, int h)
{
    return std::move(*ImageSurface::Create(w, h));
}

} // namespace

TEST(GraphicsImageTest, UnscaledPictureLandsPixelForPixelAndNowhereElse)
{
    ImageSurface surface = Surface(10, 8);
    Graphics g(surface);
    const Bitmap image = Numbered(4, 3);
    ASSERT_TRUE(g.DrawImage(image, RectF(2, 1, 4, 3)));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x) {
            const Color c = *surface.GetPixel(x, y);
            const bool inside = x >= 2 && x < 6 && y >= 1 && y < 4;
            if (inside)
                EXPECT_EQ(c, Color(255, uint8_t(10 * (x - 2) + 1), uint8_t(10 * (y - 1) + 1), 0)) << x << "," << y;
            else
                EXPECT_EQ(c.GetA(), 0) << x << "," << y;
        }
    }
}

TEST(GraphicsImageTest, StretchedAndTurnedPicturesKeepTheirPixelsInPlace)
{
    const Bitmap image = Numbered(2, 2);
    {
        // Each source pixel becomes a 4 × 4 block; block centres show it unblended.
        ImageSurface surface = Surface(8, 8);
        Graphics g(surface);
        ASSERT_TRUE(g.DrawImage(image, RectF(0, 0, 8, 8)));
        EXPECT_TRUE(Near(*surface.GetPixel(1, 1), Color(255, 1, 1, 0), 3));
        EXPECT_TRUE(Near(*surface.GetPixel(6, 1), Color(255, 11, 1, 0), 3));
        EXPECT_TRUE(Near(*surface.GetPixel(1, 6), Color(255, 1, 11, 0), 3));
        EXPECT_TRUE(Near(*surface.GetPixel(6, 6), Color(255, 11, 11, 0), 3));
        // Edges take the edge pixels rather than fading out.
        EXPECT_EQ(surface.GetPixel(0, 0)->GetA(), 255);
        EXPECT_EQ(surface.GetPixel(7, 7)->GetA(), 255);
    }
    {
        // Turned a quarter clockwise: the upper-left corner goes to the upper right.
        ImageSurface surface = Surface(4, 4);
        Graphics g(surface);
        const std::array<PointF, 3> points = {PointF(4, 0), PointF(4, 4), PointF(0, 0)};
        ASSERT_TRUE(g.DrawImage(image, points, RectF(0, 0, 2, 2)));
        EXPECT_TRUE(Near(*surface.GetPixel(3, 0), Color(255, 1, 1, 0), 3));   // source (0, 0)
        EXPECT_TRUE(Near(*surface.GetPixel(3, 3), Color(255, 11, 1, 0), 3));  // source (1, 0)
        EXPECT_TRUE(Near(*surface.GetPixel(0, 0), Color(255, 1, 11, 0), 3));  // source (0, 1)
    }
    {
        // A source sub-rectangle: only pixel (1, 1), at its own size.
        ImageSurface surface = Surface(3, 3);
        Graphics g(surface);
        ASSERT_TRUE(g.DrawImage(image, RectF(1, 1, 1, 1), RectF(1, 1, 1, 1)));
        EXPECT_EQ(*surface.GetPixel(1, 1), Color(255, 11, 11, 0));
        EXPECT_EQ(surface.GetPixel(0, 0)->GetA(), 0);
        EXPECT_EQ(surface.GetPixel(2, 2)->GetA(), 0);
    }
}

TEST(GraphicsImageTest, ColourMatrixAndColourKeyChangeThePixels)
{
    ImageAttributes redToBlue;
    ColorMatrix m = ColorMatrix::Identity();
    m.m[0] = {0, 0, 1, 0, 0}; // red feeds blue
    m.m[2] = {0, 0, 0, 0, 0}; // blue feeds nothing
    ASSERT_TRUE(redToBlue.SetColorMatrix(m));
    {
        ImageSurface surface = Surface(2, 2);
        Graphics g(surface);
        ASSERT_TRUE(g.DrawImage(Filled(2, 2, 0xFFFF0000), RectF(0, 0, 2, 2), RectF(0, 0, 2, 2), &redToBlue));
        EXPECT_EQ(*surface.GetPixel(1, 1), Color(255, 0, 0, 255));
    }

    // Keys 0..0 take out black whatever its alpha; the alpha scale halves the rest.
    ImageAttributes keyed;
    ASSERT_TRUE(keyed.SetColorKey(Color(0), Color(0)));
    ColorMatrix half = ColorMatrix::Identity();
    half.m[3][3] = 128.0f / 255.0f;
    ASSERT_TRUE(keyed.SetColorMatrix(half));
    EXPECT_EQ(keyed.AdjustBitmapPixel(0x80000000), 0u);
    EXPECT_EQ(keyed.AdjustBitmapPixel(0xFF000000), 0u);
    EXPECT_EQ(keyed.AdjustBitmapPixel(0xFF000001), 0x80000001u);
    EXPECT_EQ(keyed.AdjustBitmapPixel(0xFF00FF00), 0x8000FF00u);

    // The bitmap category, once it has a setting, replaces every default one.
    ImageAttributes own;
    own.SetColorKey(Color(0), Color(0));
    ASSERT_TRUE(own.SetColorMatrix(m, ColorMatrixFlags::Default, ColorAdjustType::Bitmap));
    EXPECT_EQ(own.AdjustBitmapPixel(0xFF000000), 0xFF000000u);
    EXPECT_EQ(own.AdjustBitmapPixel(0xFFFF0000), 0xFF0000FFu);
    // Settings of other categories never reach bitmaps; bad categories are refused.
    ImageAttributes pen;
    pen.SetColorMatrix(m, ColorMatrixFlags::Default, ColorAdjustType::Pen);
    EXPECT_FALSE(pen.ChangesBitmaps());
    EXPECT_FALSE(pen.SetColorKey(Color(0), Color(0), ColorAdjustType(6)));
    EXPECT_FALSE(pen.SetColorMatrix(m, ColorMatrixFlags::AltGray));
    ColorMatrix bad = m;
    bad.m[1][1] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(pen.SetColorMatrix(bad));
    // Greys left alone when asked.
    ImageAttributes skip;
    skip.SetColorMatrix(m, ColorMatrixFlags::SkipGrays);
    EXPECT_EQ(skip.AdjustBitmapPixel(0xFF808080), 0xFF808080u);
}

TEST(GraphicsImageTest, PreparedAdjustmentGivesTheSamePixels)
{
    ColorMatrix mixing = ColorMatrix::Identity();
    mixing.m[0] = {0.3f, 0.59f, 0.11f, 0, 0};
    mixing.m[1] = {-0.2f, 1.4f, 0.5f, 0.1f, 0};
    mixing.m[3][3] = 0.7f;
    mixing.m[4] = {0.05f, -0.1f, 0.2f, 0.0f, 1};
    ColorMatrix half = ColorMatrix::Identity();
    half.m[3][3] = 128.0f / 255.0f;
    ColorMatrix gray = ColorMatrix::Identity();
    gray.m[4] = {0.5f, 0.5f, 0.5f, 0, 1};

    std::vector<ImageAttributes> cases(5);
    cases[0].SetColorMatrix(mixing);
    cases[1].SetColorKey(Color(0xFF102030), Color(0xFF405060));
    cases[1].SetColorMatrix(half);
    cases[2].SetColorMatrix(mixing, ColorMatrixFlags::SkipGrays);
    cases[3].SetColorMatrices(mixing, &gray, ColorMatrixFlags::AltGray);
    cases[4].SetColorMatrix(half, ColorMatrixFlags::SkipGrays, ColorAdjustType::Bitmap);
    for (size_t i = 0; i < cases.size(); ++i) {
        const ImageAttributes::BitmapAdjustment prepared = cases[i].PrepareForBitmaps();
        for (uint32_t a = 0; a < 256; a += 15)
            for (uint32_t r = 0; r < 256; r += 17)
                for (uint32_t g = 0; g < 256; g += 51)
                    for (uint32_t b : {0u, 32u, 51u, 255u, g}) {
                        const uint32_t argb = a << 24 | r << 16 | g << 8 | b;
                        ASSERT_EQ(prepared(argb), cases[i].AdjustBitmapPixel(argb)) << i << " " << std::hex << argb;
                    }
    }
}

TEST(GraphicsImageTest, RefusedDrawsLeaveTheSurfaceAndLaterDrawsWork)
{
    ImageSurface surface = Surface(4, 4);
    Graphics g(surface);
    const Bitmap image = Numbered(2, 2);
    EXPECT_FALSE(g.DrawImage(Bitmap::Failed(ImageStatus::UnknownImageFormat), RectF(0, 0, 4, 4)));
    EXPECT_FALSE(g.DrawImage(image, RectF(0, 0, 0, 4)));
    EXPECT_FALSE(g.DrawImage(image, RectF(0, 0, 4, 4), RectF(0, 0, 0, 2)));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(g.DrawImage(image, RectF(nan, 0, 4, 4)));
    const std::array<PointF, 2> two = {PointF(0, 0), PointF(1, 0)};
    EXPECT_FALSE(g.DrawImage(image, two, RectF(0, 0, 2, 2)));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(surface.GetPixel(x, y)->GetA(), 0);
    EXPECT_TRUE(g.DrawImage(image, RectF(0, 0, 2, 2)));
    EXPECT_EQ(*surface.GetPixel(1, 1), Color(255, 11, 11, 0));
}

} // namespace kelmora
