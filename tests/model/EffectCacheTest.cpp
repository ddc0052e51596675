// The effect cache: an unchanged object's layers are found again, a changed one's never
// are, whatever changed it; the budget; and the drawing that must go without it.

#include "model/DrawRect.h"
#include "model/EffectCache.h"
#include "model/ModelTestSupport.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/imaging/Bitmap.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace kelmora {

using fakes::FakeView;

namespace {

EffectCache& Cache()
{
    return *EffectCache::ForCurrentThread();
}

// A star with an outline, a blurred shadow, a glow and a reflection: every kind of layer.
std::unique_ptr<CDrawRect> MakeShape()
{
    auto obj = std::make_unique<CDrawRect>(RectF(60, 40, 160, 140), nullptr);
    obj->m_nShapeType = ShapeType::Star;
    obj->m_fRadius = 80.0f;
    obj->m_fInnerRadius = 40.0f;
    obj->SetFillColor(0xFFCC3322, true);
    obj->SetLineColor(0xFF112244, true);
    obj->SetLineWidth(4.0f, true);
    obj->m_bShadow = true;
    obj->m_shadowBrush.m_clrFore = 0xC0203040;
    obj->m_fShadowBlur = 5.0f;
    obj->m_bGlow = true;
    obj->m_clrGlow = 0xFF22AA55;
    obj->m_fGlowRadius = 12.0f;
    obj->m_bReflection = true;
    return obj;
}

ImageSurface Paint(CDrawObj& obj, FakeView& view)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(220, 260);
    {
        Graphics g(*surface);
        g.SetSmoothingMode(SmoothingMode::AntiAlias);
        g.Clear(Color(0xFFFFFFFF));
        RectF out;
        obj.Draw(out, g, &view, nullptr, kDrawAllParts);
    }
    return std::move(*surface);
}

bool SamePixels(const ImageSurface& a, const ImageSurface& b)
{
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.GetPixel(x, y) != b.GetPixel(x, y))
                return false;
        }
    }
    return true;
}

// A paint with the cache as the edits left it against one with the cache emptied.
void ExpectNothingStale(CDrawObj& obj, FakeView& view, const std::string& edit)
{
    const ImageSurface cached = Paint(obj, view);
    Cache().Clear();
    const ImageSurface fresh = Paint(obj, view);
    EXPECT_TRUE(SamePixels(cached, fresh)) << edit;
}

} // namespace

TEST(EffectCacheTest, ARepaintOfAnUnchangedObjectPaintsItsKeptLayers)
{
    Cache().Clear();
    auto obj = MakeShape();
    FakeView view(0.5f);
    const ImageSurface first = Paint(*obj, view);
    ASSERT_EQ(Cache().LayerCount(), 3u); // shadow, glow, reflection
    const auto shadow = Cache().Find(obj.get(), EffectCache::LayerKind::Shadow, 1);
    ASSERT_TRUE(shadow);
    const size_t bytes = Cache().BytesHeld();

    const ImageSurface second = Paint(*obj, view);
    EXPECT_TRUE(SamePixels(first, second));
    EXPECT_EQ(Cache().Find(obj.get(), EffectCache::LayerKind::Shadow, 1), shadow);
    EXPECT_EQ(Cache().BytesHeld(), bytes);

    obj.reset();
    EXPECT_EQ(Cache().ObjectCount(), 0u);
    EXPECT_EQ(Cache().BytesHeld(), 0u);
}

TEST(EffectCacheTest, NoEditShowsAStaleLayer)
{
    Cache().Clear();
    auto obj = MakeShape();
    FakeView view(0.5f);
    const std::pair<const char*, std::function<void()>> edits[] = {
        {"moved", [&] { obj->Offset(PointF(7, 3), nullptr); }},
        {"filled", [&] { obj->SetFillColor(0xFF3355CC, false); }},
        {"outline widened", [&] { obj->SetLineWidth(9.0f, false); }},
        // Members that the editor writes directly, as the properties pane does.
        {"shadow colour", [&] { obj->m_shadowBrush.m_clrFore = 0xFF0000FF; }},
        {"shadow blur", [&] { obj->m_fShadowBlur = 11.0f; }},
        {"shadow direction", [&] { obj->m_nShadowDirection = 200; }},
        {"glow colour", [&] { obj->m_clrGlow = 0xFFAA2288; }},
        {"inner glow", [&] { obj->m_bInnerGlow = true; }},
        {"reflection fade", [&] { obj->m_nReflectionShown = 40; }},
        {"zoomed", [&] { view.SetZoom(0.6f); }},
        {"dragged", [&] { obj->m_pPendingMatrix = std::make_unique<Matrix>(Matrix::Rotation(12.0f)); }},
        {"reshaped", [&] { obj->m_fInnerRadius = 20.0f; }},
    };
    Paint(*obj, view);
    for (const auto& [what, edit] : edits) {
        edit();
        ExpectNothingStale(*obj, view, what);
    }

    // A picture object whose picture is replaced.
    auto picture = std::make_unique<CDrawRect>(RectF(20, 20, 40, 40), nullptr);
    picture->m_nShapeType = ShapeType::Image;
    picture->m_bFillEnabled = false;
    picture->m_bReflection = true;
    picture->m_fGlowRadius = 0.0f;
    Bitmap pixels = Bitmap::Create(40, 40);
    for (uint32_t& p : pixels.Pixels())
        p = 0xFF2040A0;
    picture->m_pImage = std::make_shared<const Bitmap>(pixels);
    FakeView unzoomed(1.0f);
    Paint(*picture, unzoomed);
    for (uint32_t& p : pixels.Pixels())
        p = 0xFFE0A020;
    picture->m_pImage = std::make_shared<const Bitmap>(pixels);
    ExpectNothingStale(*picture, unzoomed, "picture replaced");
}

TEST(EffectCacheTest, StaysWithinItsBudgetDroppingTheLeastRecentlyPainted)
{
    EffectCache cache(1 << 20);
    auto a = MakeShape();
    auto b = MakeShape();
    auto layer = [](int side) { return std::shared_ptr<const EffectLayer>(EffectLayer::Create(RectF(0, 0, float(side), float(side)))); };
    cache.Begin(a.get(), {1});
    cache.Keep(a.get(), EffectCache::LayerKind::Shadow, 0, layer(300)); // 360,000 bytes
    cache.Begin(b.get(), {2});
    cache.Keep(b.get(), EffectCache::LayerKind::Shadow, 0, layer(300));
    cache.Begin(a.get(), {1}); // a painted again: b is now the least recent
    cache.Keep(a.get(), EffectCache::LayerKind::Glow, 0, layer(300));
    EXPECT_LE(cache.BytesHeld(), size_t(1) << 20);
    EXPECT_FALSE(cache.Find(b.get(), EffectCache::LayerKind::Shadow, 0));
    EXPECT_TRUE(cache.Find(a.get(), EffectCache::LayerKind::Shadow, 0));

    // A new fingerprint finds none of the layers of another; those of the state before it
    // stay for a while (an undo brings it back), until two newer states have come.
    cache.Begin(a.get(), {3});
    EXPECT_FALSE(cache.Find(a.get(), EffectCache::LayerKind::Shadow, 0));
    cache.Begin(a.get(), {1});
    EXPECT_TRUE(cache.Find(a.get(), EffectCache::LayerKind::Shadow, 0));
    cache.Begin(a.get(), {4});
    cache.Begin(a.get(), {5});
    cache.Begin(a.get(), {1});
    EXPECT_FALSE(cache.Find(a.get(), EffectCache::LayerKind::Shadow, 0));
    EXPECT_EQ(cache.BytesHeld(), 0u);
    // More than the whole budget is not kept.
    cache.Keep(a.get(), EffectCache::LayerKind::Shadow, 0, layer(600));
    EXPECT_EQ(cache.LayerCount(), 0u);
}

TEST(EffectCacheTest, PrintingAndOtherThreadsDrawWithoutTheCache)
{
    Cache().Clear();
    auto obj = MakeShape();
    FakeView printer(0.5f);
    printer.m_bPrinting = true;
    Paint(*obj, printer);
    EXPECT_EQ(Cache().ObjectCount(), 0u);

    FakeView view(0.5f);
    const ImageSurface here = Paint(*obj, view);
    Cache().Clear();
    std::optional<ImageSurface> there;
    std::thread worker([&] { there = Paint(*obj, view); });
    worker.join();
    EXPECT_EQ(Cache().ObjectCount(), 0u);
    // Without the cache the glow is stroked straight onto the target, which rounds a few
    // pixels a little differently from painting its layer.
    int differing = 0;
    int worst = 0;
    for (int y = 0; y < here.Height(); ++y) {
        for (int x = 0; x < here.Width(); ++x) {
            const Color a = *here.GetPixel(x, y);
            const Color b = *there->GetPixel(x, y);
            const int most = std::max({std::abs(a.GetR() - b.GetR()), std::abs(a.GetG() - b.GetG()),
                                       std::abs(a.GetB() - b.GetB()), std::abs(a.GetA() - b.GetA())});
            worst = std::max(worst, most);
            differing += most > 0;
        }
    }
    EXPECT_LE(worst, 6);
    EXPECT_LT(differing, here.Width() * here.Height() / 20);
}

} // namespace kelmora
