#include "model/BrushMan.h"

#include "DrawObjRecordBytes.h"

#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/LinearGradientBrush.h"
#include "platform/graphics/PathGradientBrush.h"

#include <gtest/gtest.h>

#include <limits>

namespace kelmora {

namespace {

constexpr ARGB kBlack = 0xFF000000;
constexpr ARGB kWhite = 0xFFFFFFFF;
constexpr ARGB kRed = 0xFFFF0000;
constexpr ARGB kBlue = 0xFF0000FF;

GraphicsPath Rect(const RectF& r)
{
    GraphicsPath path;
    path.AddRectangle(r);
    return path;
}

// Builds the fill for a rectangle at `bounds` and paints it; false when there was no brush.
bool Paint(BrushMan& fill, ImageSurface& surface, const RectF& bounds, const Matrix* owner = nullptr,
           SmoothingMode smoothing = SmoothingMode::Default)
{
    GraphicsPath path = Rect(bounds);
    std::unique_ptr<Brush> brush = fill.CreateBrushFor(&path, owner, nullptr, bounds);
    if (!brush)
        return false;
    Graphics g(surface);
    g.SetSmoothingMode(smoothing);
    if (owner)
        path.Transform(*owner);
    return g.FillPath(*brush, path);
}

uint32_t At(const ImageSurface& s, int x, int y) { return s.GetPixel(x, y)->GetValue(); }
int Red(const ImageSurface& s, int x, int y) { return s.GetPixel(x, y)->GetR(); }

// The largest difference of any channel between two surfaces of the same size.
int LargestDifference(const ImageSurface& a, const ImageSurface& b)
{
    int worst = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            const Color p = *a.GetPixel(x, y);
            const Color q = *b.GetPixel(x, y);
            for (int d : {p.GetA() - q.GetA(), p.GetR() - q.GetR(), p.GetG() - q.GetG(), p.GetB() - q.GetB()})
                worst = std::max(worst, std::abs(d));
        }
    }
    return worst;
}

// The fill as a record stores and loads it.
BrushMan Reloaded(BrushMan& fill)
{
    const test::Bytes stored = test::Stored([&](Archive& ar) { fill.Serialize(ar); });
    BrushMan loaded;
    test::Loaded(stored, [&](Archive& ar) {
        loaded.Serialize(ar);
        return 0;
    });
    return loaded;
}

// A radial gradient as imported: blue at the ellipse's edge, red at its centre.
BrushMan Radial(int32_t spread, PointF centre, float radius)
{
    BrushMan fill;
    fill.m_nKind = BrushKind::RadialGradient;
    fill.m_nSpread = spread;
    fill.m_ptCenter = centre;
    fill.m_ptFocus = centre;
    fill.m_fRadiusX = radius;
    fill.m_fRadiusY = radius;
    fill.m_interpColors = {kBlue, kRed};
    fill.m_interpPositions = {0.0f, 1.0f};
    fill.m_nWrapMode = int32_t(WrapMode::Clamp);
    fill.m_bGammaCorrection = 0;
    return fill;
}

BrushMan Linear()
{
    BrushMan fill;
    fill.m_nKind = BrushKind::LinearGradient;
    fill.m_clrFore = kBlack;
    fill.m_clrBack = kWhite;
    fill.m_bGammaCorrection = 0;
    return fill;
}

} // namespace

TEST(BrushManGradient, PresetsSetTheLinearModeOrKeepTheStoredOne)
{
    BrushMan fill = Linear();
    fill.m_nLinearMode = 1;
    fill.m_nGradientPreset = 0;
    ImageSurface s = *ImageSurface::Create(40, 40);
    ASSERT_TRUE(Paint(fill, s, RectF(0, 0, 40, 40)));
    EXPECT_EQ(fill.m_nLinearMode, 0);
    EXPECT_LT(Red(s, 2, 20), 20);
    EXPECT_GT(Red(s, 37, 20), 235);
    EXPECT_NEAR(Red(s, 20, 2), Red(s, 20, 37), 2);

    BrushMan custom = Linear();
    custom.m_nLinearMode = 1;
    custom.m_nGradientPreset = -1;
    ImageSurface v = *ImageSurface::Create(40, 40);
    ASSERT_TRUE(Paint(custom, v, RectF(0, 0, 40, 40)));
    EXPECT_LT(Red(v, 20, 2), 20);
    EXPECT_GT(Red(v, 20, 37), 235);
}

TEST(BrushManGradient, PathPresetsWriteTheirValues)
{
    BrushMan fill;
    fill.m_nKind = BrushKind::LinearGradient;
    fill.m_clrFore = kRed;
    fill.m_clrBack = kBlue;
    fill.m_nGradientPreset = 5;
    GraphicsPath path = Rect(RectF(10, 20, 40, 60));
    ASSERT_NE(fill.CreateBrushFor(&path, nullptr, nullptr, RectF(10, 20, 40, 60)), nullptr);
    EXPECT_EQ(fill.m_nKind, BrushKind::PathGradient);
    EXPECT_EQ(fill.m_interpColors, (std::vector<ARGB>{kRed, kBlue, kRed}));
    EXPECT_EQ(fill.m_interpPositions, (std::vector<float>{0.0f, 0.3f, 1.0f}));
    EXPECT_EQ(fill.m_ptCenter, PointF(30, 50));

    // Mapped through the owner matrix: reset from the bounds first, so repeated builds
    // land on the same point.
    const Matrix twice = Matrix::Scaling(2, 2);
    for (int i = 0; i < 2; ++i) {
        fill.CreateBrushFor(&path, &twice, nullptr, RectF(10, 20, 40, 60));
        EXPECT_EQ(fill.m_ptCenter, PointF(60, 100));
    }
}

TEST(BrushManGradient, LinearPresetsLeaveTheStoredCentreAlone)
{
    // Mapping an unused centre through the owner matrix at each build would move the
    // stored value further at every redraw.
    BrushMan fill = Linear();
    fill.m_ptCenter = PointF(3, 4);
    const Matrix zoom = Matrix::Scaling(2, 2);
    GraphicsPath path = Rect(RectF(0, 0, 10, 10));
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(fill.CreateBrushFor(&path, &zoom, nullptr, RectF(0, 0, 10, 10)), nullptr);
    EXPECT_EQ(fill.m_ptCenter, PointF(3, 4));
}

TEST(BrushManGradient, InvalidBlendDrawsNothingAndSparesTheNextFill)
{
    ImageSurface s = *ImageSurface::Create(40, 20);
    BrushMan bad = Linear();
    bad.m_blendFactors = {0.0f, 1.0f, 0.5f};
    bad.m_blendPositions = {0.0f, 0.9f, 0.3f};
    EXPECT_FALSE(Paint(bad, s, RectF(0, 0, 40, 20)));
    bad.m_blendPositions = {0.0f, std::numeric_limits<float>::quiet_NaN(), 1.0f};
    EXPECT_FALSE(Paint(bad, s, RectF(0, 0, 40, 20)));
    bad.m_blendPositions = {0.0f, 1.0f};   // fewer positions than factors
    EXPECT_FALSE(Paint(bad, s, RectF(0, 0, 40, 20)));
    bad.m_blendFactors.clear();
    bad.m_interpColors = {kRed, kBlue};
    bad.m_interpPositions = {1.0f, 0.0f};
    EXPECT_FALSE(Paint(bad, s, RectF(0, 0, 40, 20)));
    EXPECT_EQ(At(s, 20, 10), 0u);

    BrushMan good = Linear();
    good.m_blendFactors = {0.0f, 1.0f, 1.0f};
    good.m_blendPositions = {0.0f, 0.5f, 1.0f};
    ASSERT_TRUE(Paint(good, s, RectF(0, 0, 40, 20)));
    EXPECT_NEAR(Red(s, 10, 10), 128, 8);
    EXPECT_GT(Red(s, 30, 10), 245);
}

TEST(BrushManGradient, CentrePointPathGradient)
{
    BrushMan fill;
    fill.m_nKind = BrushKind::PathGradient;
    fill.m_nGradientPreset = -1;
    fill.m_nPathStyle = 0;
    fill.m_clrFore = kRed;
    fill.m_surroundColors = {kBlue};
    fill.m_ptCenter = PointF(10, 20);
    fill.m_nWrapMode = int32_t(WrapMode::Clamp);
    ImageSurface s = *ImageSurface::Create(40, 40);
    ASSERT_TRUE(Paint(fill, s, RectF(0, 0, 40, 40)));
    EXPECT_GT(Red(s, 10, 20), 235);
    EXPECT_GT(s.GetPixel(39, 20)->GetB(), 235);
    EXPECT_GT(s.GetPixel(20, 0)->GetB(), 235);
}

TEST(BrushManGradient, PathStylesBuildTheirOwnBoundary)
{
    BrushMan fill;
    fill.m_nKind = BrushKind::PathGradient;
    fill.m_nGradientPreset = -1;
    fill.m_nWrapMode = int32_t(WrapMode::Clamp);
    fill.m_surroundColors = {kBlue};
    for (int32_t style : {5, -1}) {
        fill.m_nPathStyle = style;
        GraphicsPath path = Rect(RectF(0, 0, 40, 40));
        EXPECT_EQ(fill.CreateBrushFor(&path, nullptr, nullptr, RectF(0, 0, 40, 40)), nullptr) << style;
    }

    // Stops 0, 0.5, 1 give the diamond of the ellipse's left, bottom, right and top.
    fill.m_nPathStyle = 4;
    fill.m_interpPositions = {0.0f, 0.5f, 1.0f};
    ImageSurface s = *ImageSurface::Create(40, 40);
    ASSERT_TRUE(Paint(fill, s, RectF(0, 0, 40, 40)));
    EXPECT_EQ(At(s, 20, 20) >> 24, 0xFFu);
    EXPECT_EQ(At(s, 2, 2), 0u);
    EXPECT_EQ(At(s, 37, 37), 0u);

    // With no inner stop the conical blend still fills the diamond, the start colour on
    // the left turning into the end colour on the right.
    fill.m_interpPositions = {0.0f, 1.0f};
    fill.m_surroundColors = {kRed, kBlue};
    ImageSurface c = *ImageSurface::Create(40, 40);
    ASSERT_TRUE(Paint(fill, c, RectF(0, 0, 40, 40)));
    EXPECT_EQ(c.GetPixel(20, 20)->GetA(), 0xFF);
    EXPECT_GT(Red(c, 2, 20), 200);
    EXPECT_LT(Red(c, 37, 20), 55);
    fill.m_surroundColors = {kBlue};
    fill.m_interpPositions = {0.0f, 0.5f, 1.0f};

    // The rectangle style: transparent centre, surround colour at the edges.
    fill.m_nPathStyle = 2;
    ImageSurface r = *ImageSurface::Create(40, 40);
    ASSERT_TRUE(Paint(fill, r, RectF(0, 0, 40, 40)));
    EXPECT_LT(r.GetPixel(20, 20)->GetA(), 20);
    EXPECT_GT(r.GetPixel(20, 0)->GetA(), 235);
}

TEST(BrushManGradient, RadialGradientBySpread)
{
    BrushMan fill;
    fill.m_nKind = BrushKind::RadialGradient;
    fill.m_ptCenter = PointF(20, 20);
    fill.m_ptFocus = PointF(20, 20);
    fill.m_fRadiusX = 10;
    fill.m_fRadiusY = 10;
    fill.m_interpColors = {kBlue, kRed};
    fill.m_interpPositions = {0.0f, 1.0f};
    fill.m_nWrapMode = int32_t(WrapMode::Clamp);
    // No spread: nothing to paint.
    ImageSurface none = *ImageSurface::Create(40, 40);
    EXPECT_FALSE(Paint(fill, none, RectF(0, 0, 40, 40)));

    // Pad: the first colour around the ellipse, the gradient's colours inside; the tile
    // is kept.
    fill.m_nSpread = 1;
    ImageSurface pad = *ImageSurface::Create(40, 40);
    ASSERT_TRUE(Paint(fill, pad, RectF(0, 0, 40, 40)));
    EXPECT_EQ(At(pad, 2, 2), kBlue);
    EXPECT_GT(Red(pad, 20, 20), 235);
    EXPECT_NE(fill.m_pImage, nullptr);

    // Repeat: rings of the ellipse scaled 1, 2, 3 ... times about the origin.
    fill.m_pImage.reset();
    fill.m_nSpread = 3;
    fill.m_bGammaCorrection = 0;
    fill.m_ptCenter = PointF(0, 0);
    fill.m_ptFocus = PointF(0, 0);
    ImageSurface repeat = *ImageSurface::Create(40, 40);
    ASSERT_TRUE(Paint(fill, repeat, RectF(0, 0, 40, 40)));
    // Just inside the innermost ring its boundary colour; just outside, well into the
    // next ring. (Row 2: the tile's edge row is only partly covered.)
    EXPECT_GT(Red(repeat, 2, 2), 160);
    EXPECT_GT(repeat.GetPixel(9, 2)->GetB(), 200);
    EXPECT_LT(repeat.GetPixel(11, 2)->GetB(), 170);
}

TEST(BrushManGradient, RadialFillsLieInTheShapeSpaceAndSurviveCopiesAndRecords)
{
    // A shape well away from the origin, the gradient centred in it.
    const RectF bounds(100, 60, 40, 40);
    const PointF centre(120, 80);
    constexpr SmoothingMode kSmooth = SmoothingMode::AntiAlias;
    for (int32_t spread : {1, 2, 3}) {
        BrushMan fill = Radial(spread, centre, 10);
        ImageSurface drawn = *ImageSurface::Create(160, 120);
        ASSERT_TRUE(Paint(fill, drawn, bounds, nullptr, kSmooth)) << spread;
        EXPECT_GT(Red(drawn, 120, 80), 200) << spread;
        if (spread == 1) {
            EXPECT_EQ(At(drawn, 102, 62), kBlue);
        }
        if (spread == 3) {
            // Rings about the gradient's centre: the same on either side of it.
            for (int d : {7, 13, 17})
                EXPECT_NEAR(Red(drawn, 120 - d, 80), Red(drawn, 120 + d, 80), 24) << d;
        }

        BrushMan copy(fill);
        ImageSurface copied = *ImageSurface::Create(160, 120);
        ASSERT_TRUE(Paint(copy, copied, bounds, nullptr, kSmooth)) << spread;
        EXPECT_LE(LargestDifference(drawn, copied), 2) << spread;

        // Stored before it was ever drawn: the record carries the tile.
        BrushMan fresh = Radial(spread, centre, 10);
        fresh.m_rcBounds = bounds;
        BrushMan loaded = Reloaded(fresh);
        EXPECT_EQ(loaded.m_nSpread, 0);
        ImageSurface reopened = *ImageSurface::Create(160, 120);
        ASSERT_TRUE(Paint(loaded, reopened, bounds, nullptr, kSmooth)) << spread;
        EXPECT_LE(LargestDifference(drawn, reopened), 8) << spread;
    }
}

} // namespace kelmora
