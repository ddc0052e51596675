#include "app/ribbon/RibbonArt.h"

#include "dialogs/SurfaceBlit.h"

#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "platform/graphics/Graphics.h"
#include "platform/geometry/Matrix.h"
#include "platform/graphics/ImageSurface.h"
#include "view/StylePresets.h"


#include <cmath>
#include <memory>

namespace kelmora {

namespace {

// The editing view draws 300 logical units to the inch on a screen of 96 pixels to the
// inch; the samples are drawn the same way, so an effect's offsets and radii look here
// as they look on a small object on the page.
constexpr double kScreenScale = 96.0 / 300.0;
constexpr float kUnitsPerPoint = 300.0f / 72.0f;

enum class Placement { AsIs, Centred };

wxBitmap RenderObjects(int width, int height, const std::vector<CDrawObj*>& objects,
                       Placement placement = Placement::AsIs)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(width, height);
    if (!surface)
        return wxBitmap();
    const auto draw = [&objects](ImageSurface& target, const Matrix* extra) {
        RectF all;
        cairo_t* cr = cairo_create(target.CairoSurface());
        cairo_scale(cr, kScreenScale, kScreenScale);
        {
            Graphics g(cr);
            g.SetSmoothingMode(SmoothingMode::AntiAlias);
            bool first = true;
            for (CDrawObj* object : objects) {
                RectF painted;
                object->Draw(painted, g, nullptr, extra, kDrawAllParts);
                if (first)
                    all = painted;
                else
                    RectF::Union(all, all, painted);
                first = false;
            }
        }
        cairo_destroy(cr);
        return all;
    };
    if (placement == Placement::AsIs) {
        draw(*surface, nullptr);
        return SurfaceToBitmap(*surface);
    }
    // What the objects paint, moved into the middle of the picture: a first drawing
    // measures it.
    std::optional<ImageSurface> scratch = ImageSurface::Create(width, height);
    if (!scratch)
        return wxBitmap();
    const RectF painted = draw(*scratch, nullptr);
    const float cx = float(width / kScreenScale) / 2;
    const float cy = float(height / kScreenScale) / 2;
    const Matrix centre = Matrix::Translation(cx - (painted.X + painted.Width / 2), cy - (painted.Y + painted.Height / 2));
    draw(*surface, painted.Width > 0 && painted.Height > 0 ? &centre : nullptr);
    return SurfaceToBitmap(*surface);
}

// The sample the effect galleries show: a rounded square in the first accent colour with
// a darker outline, placed in logical units of a 40-pixel item.
std::unique_ptr<CDrawRect> MakeSample(const RectF& frame)
{
    auto sample = std::make_unique<CDrawRect>(frame, nullptr);
    sample->m_nShapeType = ShapeType::RoundRectangle;
    sample->EnableFill(true);
    sample->SetFillColor(0xFF4F81BD, true);
    sample->EnableLine(true);
    sample->SetLineColor(0xFF385D8A, true);
    sample->m_pen.m_fWidth = 4.0f;
    sample->RecalcBounds(nullptr);
    return sample;
}

constexpr float kItemUnits = float(kGalleryItemSize / kScreenScale);   // 125 logical units

} // namespace

wxBitmap RenderArt(int width, int height, const std::function<void(cairo_t*)>& draw)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(width, height);
    if (!surface)
        return wxBitmap();
    cairo_t* cr = cairo_create(surface->CairoSurface());
    draw(cr);
    cairo_destroy(cr);
    return SurfaceToBitmap(*surface);
}

std::vector<wxBitmap> MakeStylesGalleryImages()
{
    std::vector<wxBitmap> images;
    for (int row = 0; row < kStylesGalleryItems; ++row) {
        auto sample = MakeSample(RectF(22, 22, kItemUnits - 44, kItemUnits - 44));
        sample->m_pen.m_fWidth = 6.0f;
        // The fill of a style without one shows the item's background.
        ApplyQuickStyleTo(*sample, QuickStyleTable[size_t(row)], true);
        images.push_back(RenderObjects(kGalleryItemSize, kGalleryItemSize, {sample.get()}));
    }
    return images;
}

std::vector<wxBitmap> MakeShadowGalleryImages()
{
    std::vector<wxBitmap> images;
    for (const ShadowPreset& preset : ShadowPresetTable) {
        // The sample and its shadow together sit in the middle of the item.
        constexpr float kSide = 62.0f;
        const double angle = preset.direction * M_PI / 180.0;
        const float dx = float(preset.depth * std::cos(angle));
        const float dy = float(preset.depth * std::sin(angle));
        const float x = (kItemUnits - kSide - std::abs(dx)) / 2 + (dx < 0 ? -dx : 0);
        const float y = (kItemUnits - kSide - std::abs(dy)) / 2 + (dy < 0 ? -dy : 0);
        auto sample = MakeSample(RectF(x, y, kSide, kSide));
        ApplyShadowPresetTo(*sample, preset);
        sample->m_fGlowRadius = 0.0f;
        sample->RecalcBounds(nullptr);
        images.push_back(RenderObjects(kGalleryItemSize, kGalleryItemSize, {sample.get()}));
    }
    return images;
}

std::vector<wxBitmap> MakeGlowGalleryImages()
{
    std::vector<wxBitmap> images;
    for (const GlowPreset& preset : GlowPresetTable) {
        auto sample = MakeSample(RectF(34, 34, kItemUnits - 68, kItemUnits - 68));
        ApplyGlowPresetTo(*sample, preset);
        sample->RecalcBounds(nullptr);
        images.push_back(RenderObjects(kGalleryItemSize, kGalleryItemSize, {sample.get()}));
    }
    return images;
}

std::vector<wxBitmap> MakeReflectionGalleryImages()
{
    std::vector<wxBitmap> images;
    for (const ReflectionPreset& preset : ReflectionPresetTable) {
        auto sample = MakeSample(RectF(28, 6, kItemUnits - 56, 54));
        ApplyReflectionPresetTo(*sample, preset);
        sample->m_fGlowRadius = 0.0f;
        sample->RecalcBounds(nullptr);
        images.push_back(RenderObjects(kGalleryItemSize, kGalleryItemSize, {sample.get()}));
    }
    return images;
}

std::vector<wxBitmap> MakeTextGalleryImages()
{
    std::vector<wxBitmap> images;
    for (int32_t style : TextEffectTable) {
        auto text = std::make_unique<CDrawRect>(RectF(4, 4, kItemUnits - 8, kItemUnits - 8), nullptr);
        text->m_nShapeType = ShapeType::Text;
        text->m_strText = "Abc";
        text->m_strFontName = "Arial";
        text->m_fFontSize = 42.0f;
        text->m_nFontStyle = 1;   // bold
        text->m_nTextStyle = style;
        text->EnableFill(true);
        text->SetFillColor(0xFF4F81BD, true);
        text->EnableLine(false);
        text->RecalcBounds(nullptr);
        images.push_back(RenderObjects(kGalleryItemSize, kGalleryItemSize, {text.get()}, Placement::Centred));
    }
    return images;
}

namespace {

std::unique_ptr<CDrawPoly> MakeLine(float y, float width)
{
    const float units = float(kListImageWidth / kScreenScale);
    auto line = std::make_unique<CDrawPoly>();
    line->m_nShapeType = ShapeType::Line;
    line->SetPoints({PointF(6.0f, y), PointF(units - 6.0f, y)});
    line->EnableLine(true);
    line->SetLineColor(0xFF000000, true);
    line->m_pen.m_fWidth = width;
    line->RecalcBounds(nullptr);
    return line;
}

} // namespace

std::vector<wxBitmap> MakeLineWeightImages()
{
    std::vector<wxBitmap> images;
    const float middle = float(kLineWeightImageHeight / kScreenScale / 2.0);
    for (int weight = 1; weight <= kLineWeightCount; ++weight) {
        auto line = MakeLine(middle, float(weight) * kUnitsPerPoint);
        images.push_back(RenderObjects(kListImageWidth, kLineWeightImageHeight, {line.get()}));
    }
    return images;
}

std::vector<wxBitmap> MakeDashStyleImages()
{
    std::vector<wxBitmap> images;
    const float middle = float(kDashStyleImageHeight / kScreenScale / 2.0);
    for (int style = 0; style < kDashStyleCount; ++style) {
        auto line = MakeLine(middle, 2.0f * kUnitsPerPoint);
        line->SetDashStyle(style, true);
        images.push_back(RenderObjects(kListImageWidth, kDashStyleImageHeight, {line.get()}));
    }
    return images;
}

} // namespace kelmora
