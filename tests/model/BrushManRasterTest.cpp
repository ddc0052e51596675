#include "model/BrushMan.h"

#include "BrushManTestShapes.h"
#include "DrawObjRecordBytes.h"
#include "platform/imaging/Bitmap.h"

#include <gtest/gtest.h>

namespace kelmora {

using test::PixelAt;

namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kClear = 0x00000000;

// A square filled with a pattern: a 10 × 10 red square in the corner of a 20 × 20 tile.
std::unique_ptr<test::PaintedRect> PatternSquare(float side)
{
    auto square = std::make_unique<test::PaintedRect>(RectF(0, 0, side, side));
    square->m_bLineEnabled = false;
    square->m_bFillEnabled = true;
    square->m_brush.m_nKind = BrushKind::Pattern;
    square->m_brush.m_pAttached = test::FilledSquare(RectF(0, 0, 10, 10), kRed);
    square->m_brush.m_rcSource = RectF(0, 0, 20, 20);
    square->m_brush.m_rcTile = RectF(0, 0, 20, 20);
    return square;
}

} // namespace

TEST(BrushManRaster, PatternTileRepeats)
{
    ImageSurface surface = test::NewSurface(40, 40);
    Graphics g(surface);
    auto square = PatternSquare(40);
    RectF painted;
    square->Draw(painted, g, nullptr, nullptr, kDrawAllParts);

    EXPECT_EQ(PixelAt(surface, 5, 5), kRed);
    EXPECT_EQ(PixelAt(surface, 15, 5), kClear);
    EXPECT_EQ(PixelAt(surface, 5, 15), kClear);
    EXPECT_EQ(PixelAt(surface, 25, 5), kRed);
    EXPECT_EQ(PixelAt(surface, 25, 25), kRed);
    EXPECT_EQ(PixelAt(surface, 35, 35), kClear);
}

TEST(BrushManRaster, PatternLooksTheSameWhateverTheZoomAtFirstRender)
{
    // First rendered at zoom 2: the tile is still made at document resolution, and the
    // zoom reaches the page through the placement.
    fakes::FakeView zoomed(2.0f);
    ImageSurface big = test::NewSurface(80, 80);
    auto square = PatternSquare(40);
    {
        Graphics g(big);
        RectF painted;
        square->Draw(painted, g, &zoomed, nullptr, kDrawAllParts);
    }
    EXPECT_EQ(square->m_brush.m_pImage->Width(), 20);
    EXPECT_EQ(PixelAt(big, 10, 10), kRed);
    EXPECT_EQ(PixelAt(big, 30, 10), kClear);
    EXPECT_EQ(PixelAt(big, 50, 10), kRed);
    EXPECT_EQ(PixelAt(big, 50, 50), kRed);

    // The same object drawn afterwards at zoom 1 shows the pattern at its own size.
    ImageSurface small = test::NewSurface(40, 40);
    {
        Graphics g(small);
        RectF painted;
        square->Draw(painted, g, nullptr, nullptr, kDrawAllParts);
    }
    EXPECT_EQ(PixelAt(small, 5, 5), kRed);
    EXPECT_EQ(PixelAt(small, 15, 5), kClear);
    EXPECT_EQ(PixelAt(small, 25, 25), kRed);
}

TEST(BrushManRaster, TextureFromARecord)
{
    BrushMan stored;
    stored.m_nKind = BrushKind::Texture;
    auto picture = std::make_shared<Bitmap>(Bitmap::Create(2, 2));
    picture->SetPixel(0, 0, kRed);
    picture->SetPixel(1, 0, kGreen);
    picture->SetPixel(0, 1, kBlue);
    picture->SetPixel(1, 1, kWhite);
    stored.m_pImage = picture;
    stored.m_strImageFile = "/nonexistent/picture.png";
    const test::Bytes record = test::Stored([&](Archive& ar) { stored.Serialize(ar); });

    auto square = std::make_unique<test::PaintedRect>(RectF(0, 0, 8, 8));
    square->m_bLineEnabled = false;
    square->m_bFillEnabled = true;
    test::Loaded(record, [&](Archive& ar) {
        square->m_brush.Serialize(ar);
        return 0;
    });

    ImageSurface surface = test::NewSurface(8, 8);
    {
        Graphics g(surface);
        RectF painted;
        square->Draw(painted, g, nullptr, nullptr, kDrawAllParts);
    }
    EXPECT_EQ(PixelAt(surface, 2, 2), kRed);
    EXPECT_EQ(PixelAt(surface, 3, 2), kGreen);
    EXPECT_EQ(PixelAt(surface, 2, 3), kBlue);
    EXPECT_EQ(PixelAt(surface, 5, 5), kWhite);

    // The picture survives the build: the next save embeds it again (the bounds are the
    // object's, handed in by the drawing step).
    square->m_brush.m_rcBounds = stored.m_rcBounds;
    const test::Bytes again = test::Stored([&](Archive& ar) { square->m_brush.Serialize(ar); });
    EXPECT_EQ(again, record);
}

TEST(BrushManRaster, TextureFollowsTheObjectBounds)
{
    auto square = std::make_unique<test::PaintedRect>(RectF(3, 3, 6, 6));
    square->m_bLineEnabled = false;
    square->m_bFillEnabled = true;
    square->m_brush.m_nKind = BrushKind::Texture;
    auto picture = std::make_shared<Bitmap>(Bitmap::Create(2, 1));
    picture->SetPixel(0, 0, kRed);
    picture->SetPixel(1, 0, kBlue);
    square->m_brush.m_pImage = picture;

    ImageSurface surface = test::NewSurface(10, 10);
    {
        Graphics g(surface);
        RectF painted;
        square->Draw(painted, g, nullptr, nullptr, kDrawAllParts);
    }
    // The tiles start at the object's corner (3, 3), not at the page origin.
    EXPECT_EQ(PixelAt(surface, 5, 5), kRed);
    EXPECT_EQ(PixelAt(surface, 6, 5), kBlue);
    EXPECT_EQ(PixelAt(surface, 7, 5), kRed);
}

} // namespace kelmora

namespace kelmora {

TEST(BrushManRaster, ExtremeTextureMatricesLeaveTheSurfaceUsable)
{
    // Fill matrices from damaged records: invertible, but shrinking the picture or moving
    // it so far that no surface could sample it.
    const Matrix matrices[] = {Matrix(-5.9e20f, 0, 0, 2.35e-38f, 0, 0), Matrix(0, 780, 4.15e9f, 0, -1.69e38f, 0),
                               Matrix(1, 0, 0, 1, 3e30f, -3e30f)};
    for (int32_t wrap : {0, 1, 4}) {
        for (const Matrix& matrix : matrices) {
            auto square = std::make_unique<test::PaintedRect>(RectF(0, 0, 8, 8));
            square->m_bLineEnabled = false;
            square->m_bFillEnabled = true;
            square->m_brush.m_nKind = BrushKind::Texture;
            square->m_brush.m_nTexture = 0;
            square->m_brush.m_nWrapMode = wrap;
            square->m_brush.m_matrix = matrix;

            ImageSurface surface = test::NewSurface(10, 10);
            Graphics g(surface);
            RectF painted;
            square->Draw(painted, g, nullptr, nullptr, kDrawAllParts);
            EXPECT_EQ(cairo_status(g.CairoContext()), CAIRO_STATUS_SUCCESS) << wrap;

            // The next object still draws.
            auto next = test::FilledSquare(RectF(0, 0, 8, 8), 0xFF00FF00);
            next->Draw(painted, g, nullptr, nullptr, kDrawAllParts);
            EXPECT_EQ(PixelAt(surface, 4, 4), 0xFF00FF00u) << wrap;
        }
    }
}

} // namespace kelmora
