// Drawing a group: the children back to front through the group's transform, either each
// in its own style, or with the group's outline, fill, glow and shadow imposed ("Use group
// settings"), in which case the group's clip object and reflection apply to the group as a
// whole: one reflection below all the children, not one per child.

#include "model/DrawObjGroup.h"

#include "model/ViewServices.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/TextureBrush.h"
#include "platform/imaging/PremultipliedPixels.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelmora {

namespace {

// Gives a child its own style back after a step drew it in the group's, whatever happens
// in between.
class BorrowedStyle {
public:
    BorrowedStyle(CDrawObj& child, const CDrawObj& groupStyle, StyleCopyMask mask)
        : m_child(child), m_own(child.CreateStyleCopy(StyleCopyMask::All))
    {
        m_child.CopyStyleFrom(&groupStyle, mask);
    }
    ~BorrowedStyle() { m_child.CopyStyleFrom(m_own.get(), StyleCopyMask::All); }
    BorrowedStyle(const BorrowedStyle&) = delete;
    BorrowedStyle& operator=(const BorrowedStyle&) = delete;

private:
    CDrawObj& m_child;
    std::unique_ptr<CDrawObj> m_own;
};

// The fade of the reflection's row y (from the top of the flipped picture): from the
// start transparency down or up to the end one over the first `shown` rows, then nothing.
uint32_t ReflectionFactor(int64_t y, int64_t shown, int64_t start, int64_t end)
{
    if (y >= shown)
        return 0;
    int64_t f = start;
    if (start > end)
        f = start - y * (start - end) / shown;
    else if (start < end)
        f = start + y * (end - start) / shown;
    return uint32_t(std::clamp<int64_t>(f, 0, 255));
}

// The reflection picture is made only up to this many pixels (64 MiB a copy); a larger
// one is left out, as one that cannot be allocated is.
constexpr int64_t kMaxReflectionPixels = int64_t(1) << 24;

} // namespace

RectF& CDrawObjGroup::Draw(RectF& out, Graphics& g, ViewServices* pView, const Matrix* extra, DrawPartMask parts)
{
    out = RectF();
    Matrix m;
    if (m_pPendingMatrix) {
        m = *m_pPendingMatrix;
    } else {
        m = *m_pMatrix;
        m_rcRefBounds = m_rcBounds;
    }
    if (extra)
        m = m * *extra;

    if (!m_bUseGroupSettings) {
        for (const std::unique_ptr<CDrawObj>& child : m_children) {
            if (!child || child->m_bDeleted)
                continue;
            RectF painted;
            child->Draw(painted, g, pView, &m, parts);
            out = UnionOfPainted(out, painted);
        }
        return out;
    }

    // The clip narrows the caller's own clip only until the group is drawn.
    const GraphicsState saved = g.Save();
    if (ApplyClipObject(g, pView, extra)) {
        if (parts & kDrawShadow)
            out = DrawWithGroupSettings(pView, m, g, kDrawShadow);
        if (parts & kDrawBody) {
            const RectF body = DrawWithGroupSettings(pView, m, g, kDrawBody);
            constexpr float kEpsilon = std::numeric_limits<float>::epsilon();
            out = (out.Width <= kEpsilon || out.Height <= kEpsilon) ? body : UnionOfPainted(out, body);
        }
        if ((parts & kDrawReflection) && m_bReflection)
            DrawGroupReflection(g, pView, m, out, parts);
    }
    g.Restore(saved);
    return out;
}

RectF CDrawObjGroup::DrawWithGroupSettings(ViewServices* pView, const Matrix& m, Graphics& g, DrawPartMask pass)
{
    StyleCopyMask mask = StyleCopyMask::None;
    if (m_bGroupStroke)
        mask = mask | StyleCopyMask::Line;
    if (m_bGroupFill)
        mask = mask | StyleCopyMask::Fill;
    if (m_bGlow || m_bInnerGlow)
        mask = mask | StyleCopyMask::Glow;
    if (m_bShadow)
        mask = mask | StyleCopyMask::Shadow;
    const std::unique_ptr<CDrawObj> groupStyle = CreateStyleCopy(mask);

    RectF result;
    for (const std::unique_ptr<CDrawObj>& child : m_children) {
        if (!child || child->m_bDeleted)
            continue;
        RectF painted;
        {
            BorrowedStyle borrowed(*child, *groupStyle, mask);
            child->Draw(painted, g, pView, &m, pass);
        }
        result = UnionOfPainted(result, painted);
    }
    return result;
}

// The group is painted with its settings into a picture over `painted` (zoomed by the
// view), which is flipped upside down, faded row by row and drawn right below `painted`.
void CDrawObjGroup::DrawGroupReflection(Graphics& g, ViewServices* pView, const Matrix& m, const RectF& painted,
                                        DrawPartMask parts)
{
    RectF r = painted;
    if (pView)
        pView->ZoomRectF(&r);
    if (!std::isfinite(r.X) || !std::isfinite(r.Y) || !(r.Width >= 1.0f) || !(r.Height >= 1.0f) ||
        r.Width > float(kMaxSurfaceSide) || r.Height > float(kMaxSurfaceSide))
        return;
    const int width = int(r.Width);
    const int height = int(r.Height);
    if (int64_t(width) * height > kMaxReflectionPixels)
        return;
    std::optional<ImageSurface> surface = ImageSurface::Create(width, height);
    if (!surface)
        return;  // no room for the picture: the reflection is left out
    {
        Graphics picture(*surface);
        picture.SetSmoothingMode(SmoothingMode::AntiAlias);
        picture.TranslateTransform(-r.X, -r.Y);
        if (parts & kDrawShadow)
            DrawWithGroupSettings(pView, m, picture, kDrawShadow);
        if (parts & kDrawBody)
            DrawWithGroupSettings(pView, m, picture, kDrawBody);
    }
    cairo_surface_flush(surface->CairoSurface());
    Bitmap reflection = BitmapFromPremultiplied(cairo_image_surface_get_data(surface->CairoSurface()), width, height,
                                                cairo_image_surface_get_stride(surface->CairoSurface()));
    surface.reset();
    if (!reflection.IsOk())
        return;

    // Upside down, then each row's alpha scaled by its fade factor (straight ARGB: the
    // colours stay, only the coverage fades).
    for (int y = 0; y < height / 2; ++y)
        std::swap_ranges(reflection.Row(y), reflection.Row(y) + width, reflection.Row(height - 1 - y));
    const int64_t shown = int64_t(double(m_nReflectionShown) / 100.0 * height);
    for (int y = 0; y < height; ++y) {
        const uint32_t f = ReflectionFactor(y, shown, m_nReflectionStartTransparency, m_nReflectionEndTransparency);
        uint32_t* row = reflection.Row(y);
        for (int x = 0; x < width; ++x) {
            const uint32_t alpha = AlphaOf(row[x]) * f / 255;
            row[x] = (alpha << 24) | (row[x] & 0x00FFFFFF);
        }
    }

    const float distance = m_fReflectionDistance * (pView ? pView->m_fZoom : 1.0f);
    const RectF target(r.X, r.Y + r.Height + distance, float(width), float(height));
    if (!std::isfinite(target.Y))
        return;
    TextureBrush brush(reflection, WrapMode::Clamp);
    brush.TranslateTransform(target.X, target.Y);
    GraphicsPath area;
    area.AddRectangle(target);
    g.FillPath(brush, area);
}

} // namespace kelmora
