#include "platform/graphics/Graphics.h"
#include "platform/graphics/LinearGradientBrush.h"
#include "platform/graphics/PathGradientBrush.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kelmora {

namespace {

constexpr Color kBlack(0xFF000000);
constexpr Color kWhite(0xFFFFFFFF);
constexpr Color kRed(0xFFFF0000);
constexpr Color kBlue(0xFF0000FF);
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

GraphicsPath Rect(float x, float y, float w, float h)
{
    GraphicsPath path;
    path.AddRectangle(RectF(x, y, w, h));
    return path;
}

ImageSurface Fill(const Brush& brush, int width, int height, bool* drawn = nullptr)
{
    ImageSurface surface = *ImageSurface::Create(width, height);
    Graphics g(surface);
    bool ok = g.FillPath(brush, Rect(0, 0, float(width), float(height)));
    if (drawn)
        *drawn = ok;
    return surface;
}

// The red channel at (x, y): a grey ramp's level.
int Level(const ImageSurface& surface, int x, int y) { return surface.GetPixel(x, y)->GetR(); }

} // namespace

TEST(LinearGradientBrush, HorizontalRampRunsFromFirstToSecondColour)
{
    LinearGradientBrush brush(RectF(0, 0, 100, 4), kBlack, kWhite, LinearGradientMode::Horizontal);
    ImageSurface s = Fill(brush, 100, 4);
    EXPECT_LE(Level(s, 0, 2), 3);
    EXPECT_GE(Level(s, 99, 2), 252);
    EXPECT_NEAR(Level(s, 50, 2), 128, 3);
    EXPECT_EQ(s.GetPixel(50, 0)->GetValue(), s.GetPixel(50, 3)->GetValue());

    // Gamma correction mixes in linear light: the middle is lighter.
    brush.SetGammaCorrection(true);
    EXPECT_NEAR(Level(Fill(brush, 100, 4), 50, 2), 186, 4);
}

TEST(LinearGradientBrush, DiagonalModesJoinTheCorners)
{
    LinearGradientBrush forward(RectF(0, 0, 80, 20), kBlack, kWhite, LinearGradientMode::ForwardDiagonal);
    ImageSurface s = Fill(forward, 80, 20);
    EXPECT_NEAR(Level(s, 1, 1), 8, 4);
    EXPECT_NEAR(Level(s, 78, 18), 239, 4);
    // Half-way along the top edge and half-way down the left edge lie on one colour line.
    EXPECT_NEAR(Level(s, 40, 0), Level(s, 0, 10), 2);
    EXPECT_NEAR(Level(s, 40, 0), 64, 4);

    LinearGradientBrush backward(RectF(0, 0, 80, 20), kBlack, kWhite, LinearGradientMode::BackwardDiagonal);
    ImageSurface b = Fill(backward, 80, 20);
    EXPECT_LE(Level(b, 78, 1), 12);
    EXPECT_NEAR(Level(b, 1, 18), 241, 4);
}

TEST(LinearGradientBrush, BlendShapesTheRamp)
{
    LinearGradientBrush brush(PointF(0, 0), PointF(100, 0), kBlack, kWhite);
    const float factors[] = {0.0f, 1.0f, 1.0f};
    const float positions[] = {0.0f, 0.5f, 1.0f};
    ASSERT_TRUE(brush.SetBlend(factors, positions));
    ImageSurface s = Fill(brush, 100, 2);
    EXPECT_NEAR(Level(s, 25, 1), 128, 4);
    EXPECT_GE(Level(s, 75, 1), 252);

    ASSERT_TRUE(brush.SetBlendTriangularShape(0.5f, 1.0f));
    ImageSurface t = Fill(brush, 100, 2);
    EXPECT_LE(Level(t, 0, 1), 6);
    EXPECT_GE(Level(t, 50, 1), 249);
    EXPECT_LE(Level(t, 99, 1), 6);

    // The bell rises slowly, then steeply, then levels out towards the focus.
    ASSERT_TRUE(brush.SetBlendBellShape(1.0f, 1.0f));
    ImageSurface b = Fill(brush, 100, 2);
    EXPECT_LT(Level(b, 10, 1), 20);
    EXPECT_NEAR(Level(b, 50, 1), 128, 6);
    EXPECT_GT(Level(b, 90, 1), 235);
}

TEST(LinearGradientBrush, RefusedRampValuesLeaveTheBrushAsItWas)
{
    LinearGradientBrush brush(PointF(0, 0), PointF(100, 0), kBlack, kWhite);
    const float factors[] = {0.0f, 1.0f, 0.5f};
    const float unsorted[] = {0.0f, 0.8f, 0.4f};
    const float notFinite[] = {0.0f, kNaN, 1.0f};
    const float outside[] = {0.0f, 0.5f, 1.5f};
    const float sortedPair[] = {0.0f, 0.5f, 1.0f};
    EXPECT_FALSE(brush.SetBlend(factors, unsorted));
    EXPECT_FALSE(brush.SetBlend(factors, notFinite));
    EXPECT_FALSE(brush.SetBlend(factors, outside));
    EXPECT_FALSE(brush.SetBlend(std::span(factors, 2), std::span(sortedPair)));
    const float nanFactors[] = {0.0f, kNaN, 1.0f};
    const float sorted[] = {0.0f, 0.5f, 1.0f};
    EXPECT_FALSE(brush.SetBlend(nanFactors, sorted));
    const Color colors[] = {kRed, kBlue};
    const float colorPositions[] = {1.0f, 0.0f};
    EXPECT_FALSE(brush.SetInterpolationColors(colors, colorPositions));
    EXPECT_FALSE(brush.SetBlendTriangularShape(kNaN));
    EXPECT_FALSE(brush.SetBlendBellShape(0.5f, 2.0f));
    EXPECT_FALSE(brush.SetWrapMode(WrapMode::Clamp));
    EXPECT_NEAR(Level(Fill(brush, 100, 2), 50, 1), 128, 3);
}

TEST(LinearGradientBrush, InterpolationColoursAndWrapModes)
{
    LinearGradientBrush brush(PointF(0, 0), PointF(50, 0), kBlack, kWhite);
    // Beyond the end the band starts again, or comes back mirrored.
    ImageSurface tiled = Fill(brush, 100, 2);
    EXPECT_NEAR(Level(tiled, 60, 1), 51, 6);
    ASSERT_TRUE(brush.SetWrapMode(WrapMode::TileFlipX));
    ImageSurface mirrored = Fill(brush, 100, 2);
    EXPECT_NEAR(Level(mirrored, 60, 1), 204, 6);

    const Color colors[] = {kRed, kWhite, kBlue};
    const float positions[] = {0.0f, 0.5f, 1.0f};
    ASSERT_TRUE(brush.SetInterpolationColors(colors, positions));
    ImageSurface ramp = Fill(brush, 50, 2);
    EXPECT_EQ(ramp.GetPixel(0, 1)->GetValue() & 0xFFFF0000u, 0xFFFF0000u);
    EXPECT_GE(ramp.GetPixel(25, 1)->GetG(), 245);
    EXPECT_GE(ramp.GetPixel(49, 1)->GetB(), 245);
    EXPECT_LE(ramp.GetPixel(49, 1)->GetR(), 10);
}

TEST(LinearGradientBrush, DegenerateGeometryPaintsNothingAndSparesTheNextDraw)
{
    LinearGradientBrush same(PointF(5, 5), PointF(5, 5), kBlack, kWhite);
    LinearGradientBrush flat(RectF(0, 0, 0, 10), kBlack, kWhite, LinearGradientMode::Horizontal);
    LinearGradientBrush nan(PointF(kNaN, 0), PointF(1, 0), kBlack, kWhite);
    EXPECT_FALSE(same.IsValid());
    EXPECT_FALSE(flat.IsValid());
    EXPECT_FALSE(nan.IsValid());

    ImageSurface surface = *ImageSurface::Create(10, 10);
    Graphics g(surface);
    EXPECT_FALSE(g.FillPath(same, Rect(0, 0, 10, 10)));
    LinearGradientBrush good(RectF(0, 0, 10, 10), kRed, kRed, LinearGradientMode::Vertical);
    EXPECT_TRUE(g.FillPath(good, Rect(0, 0, 10, 10)));
    EXPECT_EQ(surface.GetPixel(5, 5)->GetValue(), kRed.GetValue());
}

TEST(PathGradientBrush, CentreColourAtTheCentreSurroundAtTheEdge)
{
    GraphicsPath square = Rect(0, 0, 40, 40);
    PathGradientBrush brush(square);
    ASSERT_TRUE(brush.IsValid());
    EXPECT_EQ(brush.GetCenterPoint(), PointF(20, 20));
    brush.SetCenterColor(kRed);
    const Color surround[] = {kBlue};
    ASSERT_TRUE(brush.SetSurroundColors(surround));
    ImageSurface s = Fill(brush, 40, 40);
    Color centre = *s.GetPixel(20, 20);
    EXPECT_GE(centre.GetR(), 240);
    EXPECT_LE(centre.GetB(), 15);
    Color edge = *s.GetPixel(20, 0);
    EXPECT_LE(edge.GetR(), 15);
    EXPECT_GE(edge.GetB(), 240);
    // Half-way in, half of each.
    EXPECT_NEAR(s.GetPixel(20, 10)->GetR(), 128, 8);
}

TEST(PathGradientBrush, SurroundColoursFollowThePoints)
{
    const PointF corners[] = {{0, 0}, {40, 0}, {40, 40}, {0, 40}};
    PathGradientBrush brush(corners);
    const Color colors[] = {kRed, kBlue};
    ASSERT_TRUE(brush.SetSurroundColors(colors));
    const Color tooMany[] = {kRed, kRed, kRed, kRed, kRed};
    EXPECT_FALSE(brush.SetSurroundColors(tooMany));
    ImageSurface s = Fill(brush, 40, 40);
    EXPECT_GE(s.GetPixel(1, 1)->GetR(), 220);
    // The points past the last colour take the last colour.
    EXPECT_GE(s.GetPixel(38, 38)->GetB(), 220);
    EXPECT_GE(s.GetPixel(1, 38)->GetB(), 220);
}

TEST(PathGradientBrush, FocusScalesAndBlend)
{
    GraphicsPath square = Rect(0, 0, 40, 40);
    PathGradientBrush brush(square);
    brush.SetCenterColor(kWhite);
    const Color surround[] = {kBlack};
    brush.SetSurroundColors(surround);
    ASSERT_TRUE(brush.SetFocusScales(0.5f, 0.5f));
    ImageSurface focused = Fill(brush, 40, 40);
    EXPECT_GE(Level(focused, 12, 20), 250);
    EXPECT_NEAR(Level(focused, 5, 20), 128, 10);

    // A triangular blend is back at the boundary colour at the centre.
    ASSERT_TRUE(brush.SetFocusScales(0, 0));
    ASSERT_TRUE(brush.SetBlendTriangularShape(0.5f, 1.0f));
    ImageSurface tri = Fill(brush, 40, 40);
    EXPECT_GE(Level(tri, 20, 10), 245);
    EXPECT_LE(Level(tri, 20, 20), 20);
    EXPECT_FALSE(brush.SetFocusScales(kNaN, 0));
}

TEST(PathGradientBrush, ClampPaintsOnlyInsideTileRepeats)
{
    GraphicsPath small = Rect(0, 0, 10, 10);
    PathGradientBrush brush(small);
    brush.SetCenterColor(kRed);
    const Color surround[] = {kRed};
    brush.SetSurroundColors(surround);
    ImageSurface clamped = Fill(brush, 30, 10);
    EXPECT_EQ(clamped.GetPixel(5, 5)->GetValue(), kRed.GetValue());
    EXPECT_EQ(clamped.GetPixel(25, 5)->GetA(), 0);
    ASSERT_TRUE(brush.SetWrapMode(WrapMode::Tile));
    ImageSurface tiled = Fill(brush, 30, 10);
    EXPECT_EQ(tiled.GetPixel(25, 5)->GetValue(), kRed.GetValue());
}

TEST(PathGradientBrush, BoundaryInsideTheFillHasAnAntialiasedEdge)
{
    GraphicsPath circle;
    circle.AddEllipse(RectF(5, 5, 30, 30));
    const Color surround[] = {kBlue};
    ImageSurface solid = *ImageSurface::Create(40, 40);
    {
        Graphics g(solid);
        g.SetSmoothingMode(SmoothingMode::AntiAlias);
        g.FillPath(kBlue, circle);
    }
    for (WrapMode wrap : {WrapMode::Clamp, WrapMode::Tile}) {
        PathGradientBrush brush(circle);
        brush.SetCenterColor(kBlue);
        brush.SetSurroundColors(surround);
        brush.SetWrapMode(wrap);
        ImageSurface surface = *ImageSurface::Create(40, 40);
        Graphics g(surface);
        g.SetSmoothingMode(SmoothingMode::AntiAlias);
        // The boundary's own rectangle, where a repeating tile shows once.
        ASSERT_TRUE(g.FillPath(brush, Rect(5, 5, 30, 30)));
        int partial = 0;
        int worst = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                const int a = surface.GetPixel(x, y)->GetA();
                partial += a > 0 && a < 255;
                worst = std::max(worst, std::abs(a - solid.GetPixel(x, y)->GetA()));
            }
        }
        // The edge is shaded as a solid fill's is, up to the flattening of the boundary.
        EXPECT_GT(partial, 40) << int(wrap);
        EXPECT_LE(worst, 64) << int(wrap);
        EXPECT_EQ(cairo_status(g.CairoContext()), CAIRO_STATUS_SUCCESS);
    }
}

TEST(PathGradientBrush, BoundaryWithoutAreaIsRefused)
{
    const PointF twoPoints[] = {{0, 0}, {10, 10}};
    EXPECT_FALSE(PathGradientBrush(twoPoints).IsValid());
    const PointF notFinite[] = {{0, 0}, {kNaN, 10}, {10, 0}};
    EXPECT_FALSE(PathGradientBrush(notFinite).IsValid());
    EXPECT_FALSE(PathGradientBrush(GraphicsPath()).IsValid());
}

} // namespace kelmora
