// Shadow, glow and reflection, checked on the pixels they paint.

#include "model/DrawRect.h"
#include "model/ModelTestSupport.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/imaging/Bitmap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace kelmora {

using fakes::FakeView;
using fakes::SameRect;

namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;

// A red square without outline or glow room, casting a hard green shadow.
std::unique_ptr<CDrawRect> MakeSquare(const RectF& frame)
{
    auto obj = std::make_unique<CDrawRect>(frame, nullptr);
    obj->m_nShapeType = ShapeType::Rectangle;
    obj->SetFillColor(kRed, true);
    obj->m_bLineEnabled = false;
    obj->m_fGlowRadius = 0.0f;
    obj->m_shadowBrush.m_clrFore = kGreen;
    obj->m_fShadowBlur = 0.0f;
    return obj;
}

uint32_t Pixel(const ImageSurface& surface, int x, int y)
{
    std::optional<Color> c = surface.GetPixel(x, y);
    return c ? c->GetValue() : 0xDEADBEEF;
}

uint32_t AlphaAt(const ImageSurface& surface, int x, int y)
{
    return Pixel(surface, x, y) >> 24;
}

ImageSurface MakeSurface(int w, int h)
{
    std::optional<ImageSurface> s = ImageSurface::Create(w, h);
    EXPECT_TRUE(s);
    return std::move(*s);
}

} // namespace

TEST(DrawObjEffects, ShadowLiesUnderTheBodyOffsetByDirectionAndDepth)
{
    const struct {
        uint32_t direction;
        int x, y;
    } cases[] = {{0, 75, 45}, {90, 45, 75}, {180, 15, 45}, {270, 45, 15}, {uint32_t(-90), 45, 15}};
    for (const auto& c : cases) {
        ImageSurface surface = MakeSurface(100, 100);
        Graphics g(surface);
        auto square = MakeSquare(RectF(35, 35, 20, 20));
        square->m_bShadow = true;
        square->m_nShadowDirection = c.direction;
        square->m_fShadowDepth = 30.0f;
        RectF out;
        square->Draw(out, g, nullptr, nullptr, kDrawAllParts);
        EXPECT_EQ(Pixel(surface, c.x, c.y), kGreen) << c.direction;
        EXPECT_EQ(Pixel(surface, 45, 45), kRed) << c.direction;
        EXPECT_EQ(Pixel(surface, 100 - c.x, 100 - c.y), 0u) << c.direction;
        if (c.direction == 0) {
            EXPECT_TRUE(SameRect(out, RectF(35, 35, 50, 20)));
        }
    }

    // Scaled about the object's centre, offset included: 50 % halves the 30-unit offset.
    ImageSurface surface = MakeSurface(100, 100);
    Graphics g(surface);
    auto square = MakeSquare(RectF(35, 35, 20, 20));
    square->m_bShadow = true;
    square->m_nShadowDirection = 0;
    square->m_fShadowDepth = 30.0f;
    square->m_nShadowScaleX = 50;
    square->m_nShadowScaleY = 50;
    RectF out;
    square->Draw(out, g, nullptr, nullptr, kDrawShadow);
    EXPECT_EQ(Pixel(surface, 60, 45), kGreen);
    EXPECT_EQ(Pixel(surface, 60, 38), 0u);
    EXPECT_EQ(Pixel(surface, 67, 45), 0u);
}

TEST(DrawObjEffects, BlurSoftensTheShadowInItsOwnColourAndFollowsTheZoom)
{
    ImageSurface surface = MakeSurface(120, 120);
    Graphics g(surface);
    auto square = MakeSquare(RectF(15, 15, 20, 20));
    square->m_bShadow = true;
    square->m_nShadowDirection = 0;
    square->m_fShadowDepth = 0.0f;
    square->m_fShadowBlur = 6.0f;
    FakeView view(2.0f);
    RectF out;
    square->Draw(out, g, &view, nullptr, kDrawShadow);
    // The zoomed shadow covers 30..70; the blur spreads 6 pixels past its edges.
    EXPECT_EQ(Pixel(surface, 50, 50), kGreen);
    const uint32_t outside = Pixel(surface, 72, 50);
    EXPECT_GT(outside >> 24, 0u);
    EXPECT_LT(outside >> 24, 128u);
    EXPECT_EQ(outside & 0x00FFFFFFu, kGreen & 0x00FFFFFFu);   // green fading out, not black
    EXPECT_LT(AlphaAt(surface, 68, 50), 255u);
    EXPECT_GT(AlphaAt(surface, 68, 50), AlphaAt(surface, 72, 50));
    EXPECT_EQ(AlphaAt(surface, 77, 50), 0u);
    EXPECT_EQ(AlphaAt(surface, 50, 77), 0u);
    // Symmetric about the shape's centre, 50 (pixel centres sit on whole coordinates).
    EXPECT_EQ(AlphaAt(surface, 72, 50), AlphaAt(surface, 28, 50));
    EXPECT_EQ(AlphaAt(surface, 50, 73), AlphaAt(surface, 50, 27));
}

TEST(DrawObjEffects, ReflectionFadesDownwardBelowTheObject)
{
    ImageSurface surface = MakeSurface(80, 80);
    Graphics g(surface);
    auto square = MakeSquare(RectF(20, 10, 30, 20));
    square->m_bReflection = true;
    square->m_nReflectionStartTransparency = 255;
    square->m_nReflectionEndTransparency = 0;
    square->m_nReflectionShown = 100;
    square->m_fReflectionDistance = 5.0f;
    RectF out;
    square->Draw(out, g, nullptr, nullptr, kDrawAllParts);
    EXPECT_EQ(Pixel(surface, 35, 20), kRed);
    EXPECT_EQ(Pixel(surface, 35, 32), 0u);   // the gap
    const uint32_t top = AlphaAt(surface, 35, 35);
    const uint32_t middle = AlphaAt(surface, 35, 45);
    const uint32_t bottom = AlphaAt(surface, 35, 54);
    EXPECT_GT(top, 240u);
    EXPECT_GT(top, middle);
    EXPECT_GT(middle, bottom);
    EXPECT_EQ(Pixel(surface, 35, 45) & 0x00FFFFFFu, kRed & 0x00FFFFFFu);
    EXPECT_EQ(Pixel(surface, 35, 56), 0u);
    EXPECT_TRUE(SameRect(out, RectF(20, 10, 30, 45)));

    // Only 40 % shown: the rows past the first 8 vanish; start below end grows opaque.
    ImageSurface partial = MakeSurface(80, 80);
    Graphics g2(partial);
    square->m_nReflectionShown = 40;
    square->m_nReflectionStartTransparency = 120;
    square->m_nReflectionEndTransparency = 180;
    square->Draw(out, g2, nullptr, nullptr, kDrawReflection);
    EXPECT_EQ(Pixel(partial, 35, 20), 0u);
    EXPECT_LT(AlphaAt(partial, 35, 35), AlphaAt(partial, 35, 42));
    EXPECT_EQ(AlphaAt(partial, 35, 44), 0u);
}

TEST(DrawObjEffects, GlowStrokesShowOutsideTheOutline)
{
    ImageSurface surface = MakeSurface(80, 80);
    Graphics g(surface);
    auto square = MakeSquare(RectF(20, 20, 40, 40));
    square->m_bLineEnabled = true;
    square->SetLineColor(0xFF0000FF, true);
    square->SetLineWidth(1.0f, true);
    square->m_bGlow = true;
    square->m_clrGlow = kGreen;
    square->m_fGlowRadius = 10.0f;
    RectF out;
    square->Draw(out, g, nullptr, nullptr, kDrawBody);
    const uint32_t near = Pixel(surface, 17, 40);
    EXPECT_GT(near >> 24, 0u);
    EXPECT_LE(near >> 24, 45u * 3);
    EXPECT_EQ(near & 0x00FFFFFFu, kGreen & 0x00FFFFFFu);
    EXPECT_GT(near >> 24, AlphaAt(surface, 12, 40));
    EXPECT_EQ(AlphaAt(surface, 8, 40), 0u);
    EXPECT_EQ(Pixel(surface, 40, 40), kRed);   // the fill covers the glow inside
}

TEST(DrawObjEffects, HugeValuesFromAFileAreSkippedOrClamped)
{
    ImageSurface surface = MakeSurface(60, 60);
    Graphics g(surface);
    auto square = MakeSquare(RectF(10, 10, 20, 20));
    square->m_bShadow = true;
    square->m_fShadowBlur = 1.0e30f;                  // clamped to the largest blur radius
    square->m_nShadowScaleX = 4000000000u;            // a shadow far too large for a layer
    square->m_bReflection = true;
    square->m_nReflectionShown = 0xFFFFFFFFu;
    square->m_nReflectionStartTransparency = 100000;
    square->m_bGlow = true;
    square->m_fGlowRadius = 1.0e30f;
    RectF out;
    square->Draw(out, g, nullptr, nullptr, kDrawAllParts);
    EXPECT_EQ(Pixel(surface, 20, 20), kRed);

    square->m_nShadowScaleX = 100;
    square->m_fGlowRadius = std::numeric_limits<float>::quiet_NaN();
    square->m_fShadowBlur = -5.0f;
    ImageSurface again = MakeSurface(60, 60);
    Graphics g2(again);
    square->Draw(out, g2, nullptr, nullptr, kDrawAllParts);
    EXPECT_EQ(Pixel(again, 20, 20), kRed);

    // An object zoomed far past any layer keeps its body and loses only its effects.
    auto huge = MakeSquare(RectF(0, 0, 20, 20));
    huge->m_bShadow = true;
    huge->m_bReflection = true;
    FakeView view(5000.0f);
    ImageSurface zoomed = MakeSurface(30, 30);
    Graphics g3(zoomed);
    huge->Draw(out, g3, &view, nullptr, kDrawAllParts);
    EXPECT_EQ(Pixel(zoomed, 15, 15), kRed);

    // The shadow layer covers only what the target shows, so a shadow far larger than any
    // layer still appears where it is seen.
    huge->m_fShadowDepth = 0.0f;
    huge->m_bReflection = false;
    ImageSurface shadowed = MakeSurface(30, 30);
    Graphics g4(shadowed);
    huge->Draw(out, g4, &view, nullptr, kDrawShadow);
    EXPECT_EQ(Pixel(shadowed, 15, 15), kGreen);
}

TEST(DrawObjEffects, PictureWithoutFillCastsItsSilhouette)
{
    // A 20 × 20 picture: its left half opaque blue with a black corner (the colour key's
    // default, so not drawn), its right half transparent.
    Bitmap picture = Bitmap::Create(20, 20);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 10; ++x)
            picture.Row(y)[x] = x < 4 && y < 4 ? 0xFF000000 : 0xFF0000FF;
    }
    auto image = std::make_unique<CDrawRect>(RectF(10, 10, 20, 20), nullptr);
    image->m_nShapeType = ShapeType::Image;
    image->m_pImage = std::make_shared<const Bitmap>(picture);
    image->m_bFillEnabled = false;
    image->m_bLineEnabled = false;
    image->m_fGlowRadius = 0.0f;
    image->m_bShadow = true;
    image->m_nShadowDirection = 0;
    image->m_fShadowDepth = 30.0f;
    image->m_fShadowBlur = 0.0f;
    for (bool printing : {false, true}) {
        for (ARGB shadow : {kGreen, 0x8000FF00u}) {
            image->m_shadowBrush.m_clrFore = shadow;
            ImageSurface surface = MakeSurface(80, 40);
            Graphics g(surface);
            FakeView view(1.0f);
            view.m_bPrinting = printing;
            RectF out;
            image->Draw(out, g, &view, nullptr, kDrawShadow);
            EXPECT_EQ(AlphaAt(surface, 45, 20), shadow >> 24) << printing;   // under the blue half
            EXPECT_EQ(Pixel(surface, 45, 20) & 0xFFFFFF, 0x00FF00u) << printing;
            EXPECT_EQ(AlphaAt(surface, 55, 20), 0u) << printing;             // the transparent half
            EXPECT_EQ(AlphaAt(surface, 41, 11), 0u) << printing;             // the keyed-out corner
        }
    }
}

TEST(DrawObjEffects, PrintingPassesLayersThroughFilesAndLeavesNoneBehind)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kelmora-effects-print-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const char* previous = std::getenv("TMPDIR");
    const std::string saved = previous ? previous : "";
    setenv("TMPDIR", folder.c_str(), 1);

    ImageSurface surface = MakeSurface(100, 100);
    Graphics g(surface);
    auto square = MakeSquare(RectF(20, 10, 20, 20));
    square->m_bShadow = true;
    square->m_nShadowDirection = 0;
    square->m_fShadowDepth = 30.0f;
    square->m_bReflection = true;
    square->m_nReflectionStartTransparency = 255;
    square->m_nReflectionEndTransparency = 255;
    FakeView view(1.0f);
    view.m_bPrinting = true;
    RectF out;
    square->Draw(out, g, &view, nullptr, kDrawAllParts);

    if (previous)
        setenv("TMPDIR", saved.c_str(), 1);
    else
        unsetenv("TMPDIR");
    EXPECT_EQ(Pixel(surface, 55, 20), kGreen);   // the shadow
    EXPECT_EQ(Pixel(surface, 30, 35), kRed);     // the reflection of the body
    EXPECT_EQ(Pixel(surface, 60, 35), kGreen);   // and of the shadow
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    std::filesystem::remove_all(folder);
}

} // namespace kelmora
