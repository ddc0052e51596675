// Paints a page of 1,000 rectangle-family shapes with solid fills and outlines, at 100 %
// zoom into a surface of the page's size at 96 dpi, through the drawing objects; and, in
// the same run, the same paths filled and stroked by cairo directly. The ratio of the two
// is what the drawing procedure costs on top of the raw rasterising.
//
// The effects case paints 200 of those shapes with a shadow and a glow: a first paint
// makes every layer, a repaint finds them in the effect cache; the reference is the same
// 200 shapes without effects.

#include "model/DrawRect.h"
#include "model/EffectCache.h"
#include "model/ViewServices.h"
#include "platform/geometry/PathPointType.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <memory>
#include <random>
#include <vector>

namespace kelmora {
namespace {

// The default page: 2478 × 3507 document units of 1/300 inch.
constexpr float kPageWidth = 2478.0f;
constexpr float kPageHeight = 3507.0f;
// 100 % zoom shows one inch as 96 pixels.
constexpr float kZoom = 96.0f / 300.0f;
constexpr int kObjectCount = 1000;
constexpr int kEffectObjectCount = 200;

class BenchView : public ViewServices {
public:
    BenchView()
    {
        m_fZoom = 1.0f;
        m_pZoomMatrix = std::make_unique<Matrix>(Matrix::Scaling(kZoom, kZoom));
    }
    bool IsJoinToolActive() const override { return false; }
    void Invalidate(bool) override { }
    void OnInitialUpdate() override { }
    void OnUpdate(ViewServices*, int, CDrawObj*) override { }
    void SelectObjects(const std::vector<CDrawObj*>&) override { }
    int GetObjectZOrder(CDrawObj*) override { return -1; }
    void SetObjectZOrder(int, CDrawObj*) override { }
    void ReapplyZoom() override { }
    void ImportXps(const std::string&) override { }
};

// The same page every run: a fixed seed. The first `count` shapes.
std::vector<std::unique_ptr<CDrawRect>> MakePage(int count = kObjectCount)
{
    static constexpr ShapeType kTypes[] = {
        ShapeType::Rectangle, ShapeType::RoundRectangle, ShapeType::Ellipse, ShapeType::Circle,
        ShapeType::Star,      ShapeType::Pentagon,       ShapeType::ComplexStar, ShapeType::Spiral,
    };
    std::mt19937 random(12345);
    std::uniform_real_distribution<float> x(0.0f, kPageWidth - 300.0f);
    std::uniform_real_distribution<float> y(0.0f, kPageHeight - 300.0f);
    std::uniform_real_distribution<float> size(40.0f, 300.0f);
    std::uniform_int_distribution<uint32_t> colour(0, 0xFFFFFF);
    std::vector<std::unique_ptr<CDrawRect>> objects;
    for (int i = 0; i < count; ++i) {
        const RectF frame(x(random), y(random), size(random), size(random));
        auto obj = std::make_unique<CDrawRect>(frame, nullptr);
        obj->m_nShapeType = kTypes[i % std::size(kTypes)];
        obj->m_fRadius = frame.Width / 2.0f;
        obj->m_fInnerRadius = frame.Width / 4.0f;
        if (obj->m_nShapeType == ShapeType::Spiral)
            obj->m_fInnerRadius = 2.0f;
        obj->SetFillColor(0xFF000000 | colour(random), true);
        obj->SetLineColor(0xFF000000 | colour(random), true);
        obj->SetLineWidth(3.0f, true);
        objects.push_back(std::move(obj));
    }
    return objects;
}

ImageSurface MakePageSurface()
{
    std::optional<ImageSurface> surface =
        ImageSurface::Create(int(kPageWidth * kZoom + 0.5f), int(kPageHeight * kZoom + 0.5f));
    if (!surface)
        std::abort();
    return std::move(*surface);
}

void PaintPage(const std::vector<std::unique_ptr<CDrawRect>>& page, ImageSurface& surface, BenchView& view)
{
    Graphics g(surface);
    // The view paints antialiased, as cairo does by default.
    g.SetSmoothingMode(SmoothingMode::AntiAlias);
    g.Clear(Color(0xFFFFFFFF));
    for (const auto& obj : page) {
        RectF out;
        obj->Draw(out, g, &view, nullptr, kDrawAllParts);
        benchmark::DoNotOptimize(out);
    }
}

void BM_DrawObjects(benchmark::State& state)
{
    std::vector<std::unique_ptr<CDrawRect>> page = MakePage();
    ImageSurface surface = MakePageSurface();
    BenchView view;
    for (auto _ : state)
        PaintPage(page, surface, view);
    state.counters["objects/s"] = benchmark::Counter(double(kObjectCount), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_DrawObjects)->Unit(benchmark::kMillisecond);

// The effects case's 200 shapes, with a shadow and a glow (their defaults) or without.
std::vector<std::unique_ptr<CDrawRect>> MakeEffectsPage(bool effects)
{
    std::vector<std::unique_ptr<CDrawRect>> page = MakePage(kEffectObjectCount);
    for (const auto& obj : page) {
        obj->m_bShadow = effects;
        obj->m_bGlow = effects;
    }
    return page;
}

// Paints of the 200 shapes. Argument 0: without effects, the reference; 1: with their
// effects, repainted (the layers found in the cache after the first paint); 2: with their
// effects, every paint a first one (the effect cache emptied before it).
void BM_EffectsPage(benchmark::State& state)
{
    const int64_t mode = state.range(0);
    std::vector<std::unique_ptr<CDrawRect>> page = MakeEffectsPage(mode != 0);
    ImageSurface surface = MakePageSurface();
    BenchView view;
    PaintPage(page, surface, view);
    for (auto _ : state) {
        if (mode == 2)
            EffectCache::ForCurrentThread()->Clear();
        PaintPage(page, surface, view);
    }
}
BENCHMARK(BM_EffectsPage)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The reference: each object's zoomed path, built once, filled and stroked by cairo.
void AppendPath(cairo_t* cr, const GraphicsPath& path)
{
    const auto points = path.Points();
    const auto types = path.Types();
    for (size_t i = 0; i < points.size(); ++i) {
        const uint8_t kind = types[i] & PathPointType::TypeMask;
        // Pixel centres on integer coordinates, as the drawing surface places them.
        const double px = points[i].X + 0.5;
        const double py = points[i].Y + 0.5;
        if (kind == PathPointType::Start) {
            cairo_move_to(cr, px, py);
        } else if (kind == PathPointType::Bezier && i + 2 < points.size()) {
            cairo_curve_to(cr, px, py, points[i + 1].X + 0.5, points[i + 1].Y + 0.5, points[i + 2].X + 0.5,
                           points[i + 2].Y + 0.5);
            i += 2;
        } else {
            cairo_line_to(cr, px, py);
        }
        if (types[i] & PathPointType::CloseSubpath)
            cairo_close_path(cr);
    }
}

void BM_CairoDirect(benchmark::State& state)
{
    std::vector<std::unique_ptr<CDrawRect>> page = MakePage();
    ImageSurface surface = MakePageSurface();
    BenchView view;
    struct Prepared {
        std::unique_ptr<GraphicsPath> path;
        uint32_t fill;
        uint32_t line;
    };
    std::vector<Prepared> prepared;
    for (const auto& obj : page)
        prepared.push_back({obj->CreatePath(&view, nullptr), obj->m_brush.m_clrFore, obj->m_pen.m_brush.m_clrFore});
    const double lineWidth = 3.0 * kZoom;
    auto setColour = [](cairo_t* cr, uint32_t argb) {
        cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0, (argb & 0xFF) / 255.0,
                              (argb >> 24) / 255.0);
    };
    for (auto _ : state) {
        cairo_t* cr = cairo_create(surface.CairoSurface());
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        cairo_set_line_width(cr, lineWidth);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        for (const Prepared& p : prepared) {
            AppendPath(cr, *p.path);
            setColour(cr, p.fill);
            cairo_fill_preserve(cr);
            setColour(cr, p.line);
            cairo_stroke(cr);
        }
        cairo_destroy(cr);
        cairo_surface_flush(surface.CairoSurface());
    }
    state.counters["objects/s"] = benchmark::Counter(double(kObjectCount), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_CairoDirect)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelmora

BENCHMARK_MAIN();
