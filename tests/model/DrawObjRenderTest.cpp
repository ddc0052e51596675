// The drawing procedure, checked on pixels of small surfaces.

#include "model/DrawRect.h"
#include "model/ModelTestSupport.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"

#include <gtest/gtest.h>

namespace kelmora {

using fakes::FakeView;
using fakes::SameRect;

namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kGreen = 0xFF00FF00;

std::unique_ptr<CDrawRect> MakeShape(ShapeType type, const RectF& frame, uint32_t fill, uint32_t line, float width)
{
    auto obj = std::make_unique<CDrawRect>(frame, nullptr);
    obj->m_nShapeType = type;
    obj->SetFillColor(fill, true);
    obj->SetLineColor(line, true);
    obj->SetLineWidth(width, true);
    return obj;
}

uint32_t Pixel(const ImageSurface& surface, int x, int y)
{
    std::optional<Color> c = surface.GetPixel(x, y);
    return c ? c->GetValue() : 0xDEADBEEF;
}

ImageSurface MakeSurface(int w, int h)
{
    std::optional<ImageSurface> s = ImageSurface::Create(w, h);
    EXPECT_TRUE(s);
    return std::move(*s);
}

} // namespace

TEST(DrawObjRender, OutlineOverFillAndReturnedBounds)
{
    ImageSurface surface = MakeSurface(80, 80);
    Graphics g(surface);
    auto rect = MakeShape(ShapeType::Rectangle, RectF(10, 10, 40, 40), kRed, kBlue, 4.0f);
    RectF out;
    RectF& result = rect->Draw(out, g, nullptr, nullptr, kDrawAllParts);
    EXPECT_EQ(&result, &out);
    EXPECT_EQ(Pixel(surface, 30, 30), kRed);
    EXPECT_EQ(Pixel(surface, 10, 30), kBlue);   // on the edge: the outline covers the fill
    EXPECT_EQ(Pixel(surface, 11, 30), kBlue);
    EXPECT_EQ(Pixel(surface, 13, 30), kRed);
    EXPECT_EQ(Pixel(surface, 5, 30), 0u);

    // The path bounds, grown by half the glow radius (room kept even with the glow off) …
    EXPECT_TRUE(SameRect(out, RectF(-5, -5, 70, 70)));
    EXPECT_EQ(rect->m_rcBounds, RectF(10, 10, 40, 40));
    // … or by half the outline width where that is more.
    rect->m_fGlowRadius = 0.0f;
    rect->Draw(out, g, nullptr, nullptr, kDrawAllParts);
    EXPECT_TRUE(SameRect(out, RectF(8, 8, 44, 44)));
    rect->m_bLineEnabled = false;
    rect->Draw(out, g, nullptr, nullptr, kDrawAllParts);
    EXPECT_TRUE(SameRect(out, RectF(10, 10, 40, 40)));
}

TEST(DrawObjRender, ZoomAndExtraMatrix)
{
    ImageSurface surface = MakeSurface(100, 100);
    Graphics g(surface);
    auto rect = MakeShape(ShapeType::Rectangle, RectF(5, 5, 10, 10), kRed, kBlue, 1.0f);
    rect->m_bLineEnabled = false;
    rect->m_fGlowRadius = 0.0f;
    FakeView view(2.0f);
    const Matrix extra = Matrix::Translation(10, 0);
    RectF out;
    rect->Draw(out, g, &view, &extra, kDrawAllParts);
    // Document (15..25, 5..15), drawn at twice the size; `out` is before the zoom.
    EXPECT_TRUE(SameRect(out, RectF(15, 5, 10, 10)));
    EXPECT_EQ(Pixel(surface, 40, 20), kRed);
    EXPECT_EQ(Pixel(surface, 28, 20), 0u);
    EXPECT_EQ(Pixel(surface, 51, 20), 0u);
}

TEST(DrawObjRender, PartMask)
{
    auto rect = MakeShape(ShapeType::Rectangle, RectF(10, 10, 30, 30), kRed, kBlue, 2.0f);
    rect->m_bShadow = true;
    rect->m_fShadowBlur = 0.0f;
    rect->m_nShadowDirection = 0;
    rect->m_fShadowDepth = 30.0f;
    rect->m_bReflection = true;
    RectF out;
    // The shadow part alone paints the shadow and leaves the body out.
    ImageSurface shadowOnly = MakeSurface(80, 100);
    Graphics g1(shadowOnly);
    rect->Draw(out, g1, nullptr, nullptr, kDrawShadow);
    EXPECT_EQ(Pixel(shadowOnly, 25, 25), 0u);
    EXPECT_EQ(Pixel(shadowOnly, 55, 25), 0xFF000000u);
    EXPECT_EQ(Pixel(shadowOnly, 25, 60), 0u);
    // The body alone paints the body and nothing below it or beside it.
    ImageSurface bodyOnly = MakeSurface(80, 100);
    Graphics g2(bodyOnly);
    rect->Draw(out, g2, nullptr, nullptr, kDrawBody);
    EXPECT_EQ(Pixel(bodyOnly, 25, 25), kRed);
    EXPECT_EQ(Pixel(bodyOnly, 55, 25), 0u);
    for (int y = 45; y < 100; y += 5)
        EXPECT_EQ(Pixel(bodyOnly, 25, y), 0u) << y;
    // Bits outside the three parts are ignored.
    ImageSurface other = MakeSurface(80, 80);
    Graphics g3(other);
    rect->Draw(out, g3, nullptr, nullptr, 0x4u);
    EXPECT_EQ(Pixel(other, 25, 25), 0u);
    EXPECT_EQ(Pixel(other, 55, 25), 0u);
}

TEST(DrawObjRender, ClipObjectLimitsItsObjectAndTheOuterClipHolds)
{
    ImageSurface surface = MakeSurface(80, 80);
    Graphics g(surface);
    // The caller's clip: the left 60 columns.
    GraphicsPath outer;
    outer.AddRectangle(RectF(0, 0, 60, 80));
    g.SetClip(outer);

    auto clipped = MakeShape(ShapeType::Rectangle, RectF(0, 0, 80, 40), kRed, kRed, 0.0f);
    clipped->m_bLineEnabled = false;
    clipped->m_pClipObject = MakeShape(ShapeType::Ellipse, RectF(0, 0, 20, 20), 0, 0, 0);
    // The clip is placed by the clipped object's transform.
    clipped->m_pMatrix->Translate(10, 10, MatrixOrder::Append);
    RectF out;
    clipped->Draw(out, g, nullptr, nullptr, kDrawAllParts);
    EXPECT_EQ(Pixel(surface, 20, 20), kRed);   // the clip ellipse's centre
    EXPECT_EQ(Pixel(surface, 45, 20), 0u);     // inside the object, outside its clip
    EXPECT_EQ(Pixel(surface, 11, 11), 0u);     // the ellipse's corner region

    // The next object is no longer limited by the clip object, only by the outer clip.
    auto next = MakeShape(ShapeType::Rectangle, RectF(0, 50, 80, 30), kGreen, kGreen, 0.0f);
    next->m_bLineEnabled = false;
    next->Draw(out, g, nullptr, nullptr, kDrawAllParts);
    EXPECT_EQ(Pixel(surface, 30, 60), kGreen);
    EXPECT_EQ(Pixel(surface, 70, 60), 0u);

    // A clip object without an outline clips everything away.
    auto hidden = MakeShape(ShapeType::Rectangle, RectF(0, 0, 80, 80), kBlue, kBlue, 0.0f);
    hidden->m_pClipObject = std::make_unique<CDrawObj>();
    hidden->Draw(out, g, nullptr, nullptr, kDrawAllParts);
    EXPECT_EQ(Pixel(surface, 30, 60), kGreen);
    EXPECT_TRUE(SameRect(out, RectF(-15, -15, 110, 110)));
}

} // namespace kelmora
