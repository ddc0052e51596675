#include "platform/graphics/Graphics.h"
#include "platform/graphics/TextureBrush.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kelmora {

namespace {

// A bitmap whose pixel (x, y) is opaque with red = 10·x + 1 and green = 10·y + 1, so that
// every pixel names where it came from.
Bitmap Numbered(int width, int height)
{
    Bitmap bitmap = Bitmap::Create(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, MakeArgb(255, uint8_t(10 * x + 1), uint8_t(10 * y + 1), 0));
    return bitmap;
}

GraphicsPath Rect(float x, float y, float w, float h)
{
    GraphicsPath path;
    path.AddRectangle(RectF(x, y, w, h));
    return path;
}

// The source pixel the surface shows at (x, y), from the numbering above; (-1, -1) for a
// transparent pixel.
std::pair<int, int> SourceAt(const ImageSurface& surface, int x, int y)
{
    Color c = *surface.GetPixel(x, y);
    if (c.GetA() == 0)
        return {-1, -1};
    return {(c.GetR() - 1) / 10, (c.GetG() - 1) / 10};
}

std::optional<ImageSurface> Filled(const TextureBrush& brush, int width, int height)
{
    auto surface = ImageSurface::Create(width, height);
    Graphics g(*surface);
    if (!g.FillPath(brush, Rect(0, 0, float(width), float(height))))
        return std::nullopt;
    return surface;
}

} // namespace

TEST(TextureBrush, TilesMirrorByWrapMode)
{
    // For a 3 × 2 tile: which source pixel each device pixel shows, per mode, over two
    // tiles each way.
    struct Case {
        WrapMode mode;
        bool mirrorsColumns;
        bool mirrorsRows;
    };
    for (Case c : {Case{WrapMode::Tile, false, false}, Case{WrapMode::TileFlipX, true, false},
                   Case{WrapMode::TileFlipY, false, true}, Case{WrapMode::TileFlipXY, true, true}}) {
        TextureBrush brush(Numbered(3, 2), c.mode);
        ASSERT_TRUE(brush.IsValid());
        auto surface = Filled(brush, 12, 8);
        ASSERT_TRUE(surface);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 12; ++x) {
                int column = x % 3;
                int row = y % 2;
                if (c.mirrorsColumns && (x / 3) % 2 == 1)
                    column = 2 - column;
                if (c.mirrorsRows && (y / 2) % 2 == 1)
                    row = 1 - row;
                EXPECT_EQ(SourceAt(*surface, x, y), std::make_pair(column, row))
                    << "mode " << int(c.mode) << " at " << x << "," << y;
            }
        }
    }
}

TEST(TextureBrush, ClampPaintsOneCopyOnly)
{
    TextureBrush brush(Numbered(4, 4), WrapMode::Clamp);
    brush.TranslateTransform(6, 2);
    auto surface = Filled(brush, 16, 10);
    ASSERT_TRUE(surface);
    EXPECT_EQ(SourceAt(*surface, 6, 2), std::make_pair(0, 0));
    EXPECT_EQ(SourceAt(*surface, 9, 5), std::make_pair(3, 3));
    EXPECT_EQ(surface->GetPixel(6 + 5, 3)->GetA(), 0);
    EXPECT_EQ(surface->GetPixel(1, 3)->GetA(), 0);
    EXPECT_EQ(surface->GetPixel(7, 8)->GetA(), 0);
}

TEST(TextureBrush, SourceRectangleCutsTheTile)
{
    TextureBrush brush(Numbered(5, 4), WrapMode::Tile, RectF(1, 2, 3, 2));
    ASSERT_TRUE(brush.IsValid());
    EXPECT_EQ(brush.GetImage().Width(), 3);
    EXPECT_EQ(brush.GetImage().Height(), 2);
    auto surface = Filled(brush, 6, 4);
    ASSERT_TRUE(surface);
    EXPECT_EQ(SourceAt(*surface, 0, 0), std::make_pair(1, 2));
    EXPECT_EQ(SourceAt(*surface, 2, 1), std::make_pair(3, 3));
    EXPECT_EQ(SourceAt(*surface, 3, 2), std::make_pair(1, 2)); // the next tile
}

TEST(TextureBrush, LaidOutInWorldSpace)
{
    // Unlike a hatch, a texture moves with the world transform and the brush transform.
    TextureBrush brush(Numbered(4, 4));
    brush.TranslateTransform(1, 0);
    auto surface = ImageSurface::Create(8, 8);
    ASSERT_TRUE(surface);
    Graphics g(*surface);
    g.TranslateTransform(0, 2);
    ASSERT_TRUE(g.FillPath(brush, Rect(0, 0, 6, 6)));
    EXPECT_EQ(SourceAt(*surface, 1, 2), std::make_pair(0, 0));
    EXPECT_EQ(SourceAt(*surface, 0, 3), std::make_pair(3, 1));

    // Scaled up, each texel covers two pixels.
    TextureBrush doubled(Numbered(4, 4), WrapMode::Clamp);
    doubled.ScaleTransform(2, 2);
    auto big = Filled(doubled, 8, 8);
    ASSERT_TRUE(big);
    EXPECT_EQ(SourceAt(*big, 4, 6), std::make_pair(2, 3));
}

TEST(TextureBrush, KeepsStraightAlpha)
{
    Bitmap bitmap = Bitmap::Create(2, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            bitmap.SetPixel(x, y, MakeArgb(128, 200, 100, 50));
    auto surface = Filled(TextureBrush(bitmap), 4, 4);
    ASSERT_TRUE(surface);
    Color c = *surface->GetPixel(1, 1);
    EXPECT_EQ(c.GetA(), 128);
    EXPECT_NEAR(c.GetR(), 200, 1);
    EXPECT_NEAR(c.GetG(), 100, 1);
    EXPECT_NEAR(c.GetB(), 50, 1);
}

TEST(TextureBrush, RefusesWhatItCannotDraw)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Bitmap image = Numbered(4, 4);
    TextureBrush bad[] = {
        TextureBrush(Bitmap(), WrapMode::Tile),
        TextureBrush(image, WrapMode(5)),
        TextureBrush(image, WrapMode::Tile, RectF(2, 2, 3, 1)), // reaches past the right edge
        TextureBrush(image, WrapMode::Tile, RectF(-1, 0, 2, 2)),
        TextureBrush(image, WrapMode::Tile, RectF(1, 1, 0.2f, 2)), // nothing left once rounded
        TextureBrush(image, WrapMode::Tile, RectF(nan, 0, 2, 2)),
    };
    for (const TextureBrush& brush : bad) {
        EXPECT_FALSE(brush.IsValid());
        EXPECT_FALSE(Filled(brush, 4, 4));
    }

    TextureBrush brush(image);
    EXPECT_FALSE(brush.SetWrapMode(WrapMode(-1)));
    EXPECT_FALSE(brush.SetTransform(Matrix(1, 2, 2, 4, 0, 0))); // singular
    EXPECT_FALSE(brush.ScaleTransform(0, 1));
    EXPECT_FALSE(brush.RotateTransform(nan));
    EXPECT_TRUE(brush.IsValid());
    EXPECT_TRUE(brush.GetTransform().IsIdentity());
    EXPECT_EQ(brush.GetWrapMode(), WrapMode::Tile);
    EXPECT_TRUE(Filled(brush, 4, 4));
}

TEST(TextureBrush, CopiesAreIndependent)
{
    TextureBrush original(Numbered(3, 2), WrapMode::TileFlipX);
    ASSERT_TRUE(Filled(original, 6, 2)); // builds the cached surface
    TextureBrush copy = original;
    ASSERT_TRUE(copy.SetWrapMode(WrapMode::Tile));
    auto flipped = Filled(original, 6, 2);
    auto tiled = Filled(copy, 6, 2);
    ASSERT_TRUE(flipped && tiled);
    EXPECT_EQ(SourceAt(*flipped, 3, 0), std::make_pair(2, 0));
    EXPECT_EQ(SourceAt(*tiled, 3, 0), std::make_pair(0, 0));
}

} // namespace kelmora
