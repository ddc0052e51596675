#include "model/PenMan.h"

#include "BrushManTestShapes.h"

#include <gtest/gtest.h>

namespace kelmora {

using test::PixelAt;

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kClear = 0x00000000;

std::unique_ptr<test::PaintedLine> Line(PointF from, PointF to, float width)
{
    auto line = std::make_unique<test::PaintedLine>(from, to);
    line->m_pen.m_fWidth = width;
    return line;
}

void Paint(CDrawObj& object, ImageSurface& surface, ViewServices* view = nullptr)
{
    Graphics g(surface);
    RectF painted;
    object.Draw(painted, g, view, nullptr, kDrawAllParts);
}

} // namespace

TEST(PenManRaster, BuiltInCapAtTheLineEnd)
{
    // A filled "Arrow2" triangle at the end of a 2-wide line: tip on the end point, base
    // 5 cap units (10 document units) back, 10 units to either side.
    auto line = Line(PointF(10, 30), PointF(60, 30), 2);
    line->m_pen.m_nEndCap = PenMan::kCustomLineCap;
    line->m_pen.m_endCap.Init(2);
    line->m_pen.m_endCap.m_bFilled = true;
    ImageSurface surface = test::NewSurface(80, 60);
    Paint(*line, surface);

    EXPECT_EQ(PixelAt(surface, 30, 30), kBlack); // the line
    EXPECT_EQ(PixelAt(surface, 30, 25), kClear); // beside the line
    EXPECT_EQ(PixelAt(surface, 52, 25), kBlack); // inside the arrow head
    EXPECT_EQ(PixelAt(surface, 52, 35), kBlack);
    EXPECT_EQ(PixelAt(surface, 45, 25), kClear); // before its base
    EXPECT_EQ(PixelAt(surface, 64, 30), kClear); // beyond its tip

    // Without the custom cap the end is flat.
    line->m_pen.m_nEndCap = 0;
    ImageSurface plain = test::NewSurface(80, 60);
    Paint(*line, plain);
    EXPECT_EQ(PixelAt(plain, 52, 25), kClear);
}

TEST(PenManRaster, DashPresetScalesWithTheZoomedWidth)
{
    // Style 16 is preset 11, {8, 8}: 16 units on and 16 off for a width of 2.
    auto line = Line(PointF(0, 10), PointF(100, 10), 2);
    line->m_pen.m_nDashStyle = 16;
    line->m_pen.ApplyDashPreset(11);
    ImageSurface surface = test::NewSurface(100, 20);
    Paint(*line, surface);
    for (int x : {4, 12, 36, 44, 68})
        EXPECT_EQ(PixelAt(surface, x, 10), kBlack) << x;
    for (int x : {20, 28, 52, 60, 84})
        EXPECT_EQ(PixelAt(surface, x, 10), kClear) << x;

    // At zoom 2 the width is 4 and every dash and gap 32 pixels.
    fakes::FakeView view(2.0f);
    ImageSurface zoomed = test::NewSurface(200, 40);
    Paint(*line, zoomed, &view);
    for (int x : {8, 24, 72, 88})
        EXPECT_EQ(PixelAt(zoomed, x, 20), kBlack) << x;
    for (int x : {40, 56, 104, 120})
        EXPECT_EQ(PixelAt(zoomed, x, 20), kClear) << x;
}

TEST(PenManRaster, DamagedDashPatternStillDrawsTheOutline)
{
    auto line = Line(PointF(0, 10), PointF(100, 10), 2);
    line->m_pen.m_nDashStyle = 5;
    line->m_pen.m_dashArray = {4, std::nanf("")};
    ImageSurface surface = test::NewSurface(100, 20);
    Paint(*line, surface);
    for (int x : {10, 30, 50, 70, 90})
        EXPECT_EQ(PixelAt(surface, x, 10), kBlack) << x;
}

} // namespace kelmora
