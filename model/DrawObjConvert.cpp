// Conversion of any drawing object into polylines built from its outline: exploded into
// one line or Bézier object per path segment, or turned as a whole into one custom path.
// The results hold the outline in document units and keep the identity transform.
//
// The results take over the source's look: the custom path its outline, fill and effects
// (it replaces the source one for one), the exploded segments the outline only (a single
// segment has no area to fill).

#include "model/DrawObj.h"
#include "model/DrawPoly.h"

#include <string>

namespace kelmora {

namespace {

constexpr StyleCopyMask kCustomStyle = StyleCopyMask::Line | StyleCopyMask::Fill | StyleCopyMask::Shadow
                                       | StyleCopyMask::Glow | StyleCopyMask::Reflection;

// A new polyline as the polygon tool makes one: built from an empty rectangle and the
// view, with the polyline defaults, the shape type and the name from the current counter.
std::unique_ptr<CDrawPoly> NewPoly(ShapeType type, const char* label, ViewServices* pView)
{
    auto poly = std::make_unique<CDrawPoly>(RectF(), pView);
    poly->m_nShapeType = type;
    poly->SetName(std::string(label) + " - " + std::to_string(g_nObjectCounter.load()));
    return poly;
}

void AppendSegment(std::vector<std::unique_ptr<CDrawObj>>& out, const CDrawObj& source, ShapeType type,
                   const char* label, std::vector<PointF> points, ViewServices* pView)
{
    std::unique_ptr<CDrawPoly> poly = NewPoly(type, label, pView);
    poly->SetPoints(std::move(points));
    poly->CopyStyleFrom(&source, StyleCopyMask::Line);
    poly->RecalcBounds(pView);
    out.push_back(std::move(poly));
}

void AppendLine(std::vector<std::unique_ptr<CDrawObj>>& out, const CDrawObj& source, PointF from, PointF to,
                ViewServices* pView)
{
    AppendSegment(out, source, ShapeType::Line, "Line", {from, to}, pView);
}

} // namespace

void CDrawObj::ConvertToPoly(std::vector<std::unique_ptr<CDrawObj>>& out, ViewServices* pView)
{
    if (m_pClipObject)
        m_pClipObject->ConvertToPoly(out, pView);

    const std::unique_ptr<GraphicsPath> path = CreatePath(nullptr, nullptr);
    const std::span<const PointF> pts = path->Points();
    const std::span<const uint8_t> types = path->Types();
    const size_t n = pts.size();

    size_t start = 0;   // first point of the current figure
    size_t i = 0;
    while (i < n) {
        const uint8_t kind = PathTypeKind(types[i]);
        if (kind == PathPointType::Start) {
            if (i > 0 && IsClosingPathType(types[i - 1]))
                AppendLine(out, *this, pts[i - 1], pts[start], pView);
            start = i;
            i += 1;
        } else if (kind == PathPointType::Bezier) {
            // A path keeps its Bézier runs whole; the guard only protects the reads.
            if (i + 2 >= n)
                break;
            AppendSegment(out, *this, ShapeType::Bezier, "Bezier", {pts[i - 1], pts[i], pts[i + 1], pts[i + 2]}, pView);
            i += 3;
        } else {
            AppendLine(out, *this, pts[i - 1], pts[i], pView);
            i += 1;
        }
    }
    if (n > 0 && IsClosingPathType(types[n - 1]))
        AppendLine(out, *this, pts[n - 1], pts[start], pView);
}

std::unique_ptr<CDrawObj> CDrawObj::ConvertToCustomPoly(ViewServices* pView)
{
    std::unique_ptr<CDrawPoly> poly = NewPoly(ShapeType::Custom, "Custom", pView);
    {
        const std::unique_ptr<GraphicsPath> path = CreatePath(nullptr, nullptr);
        poly->SetPoints(std::vector<PointF>(path->Points().begin(), path->Points().end()),
                        std::vector<uint8_t>(path->Types().begin(), path->Types().end()));
    }
    poly->CopyStyleFrom(this, kCustomStyle);
    poly->RecalcBounds(pView);
    return poly;
}

} // namespace kelmora
