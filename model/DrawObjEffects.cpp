// The effects of the drawing procedure: the drop shadow, the glow and the reflection.
//
// Shadow and reflection are painted through effect layers (EffectLayer.h) that are then
// drawn onto the target; the glow is painted directly as a stack of widening strokes.
// While a view prints, each layer passes through a temporary PNG file before it is drawn,
// as printer output has always received it; a layer that cannot make that passage is
// left off the page.
//
// Bounds: the shadow's blur is measured in device pixels and never spreads further than
// the blur's largest radius, so the margin kept around the shadow is bounded by it too.
// Layers cover only the part of their effect that the target can show, or, for the effect
// cache (DrawObjEffectCache.cpp), as much as LayerReach allows; one still larger than
// EffectLayer allows is skipped, never allocated.

#include "model/DrawObj.h"
#include "model/DrawObjRender.h"
#include "model/EffectLayer.h"
#include "model/ViewServices.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Pen.h"
#include "platform/imaging/StackBlur.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

float BlurMargin(float blur)
{
    if (!std::isfinite(blur) || blur <= 0.0f)
        return 0.0f;
    return std::min(blur, float(kMaxStackBlurRadius));
}

namespace {

RectF Grown(RectF r, float by)
{
    r.Inflate(by, by);
    return r;
}

RectF UnionOfRects(const RectF& a, const RectF& b)
{
    RectF out;
    RectF::Union(out, a, b);
    return out;
}

} // namespace

// The part of a layer's area that it covers (DrawObjRender.h). Cutting to what the target
// can show keeps layers small when an object is zoomed far beyond the window.
RectF LayerReach::Cut(const RectF& area, float margin, bool sidesOnly) const
{
    if (!visible || (cached && double(area.Width) * double(area.Height) <= kWholeLayerPixels))
        return area;
    const RectF reach = Grown(*visible, margin);
    const float left = std::max(area.X, reach.X);
    const float right = std::min(area.GetRight(), reach.GetRight());
    float top = area.Y;
    float bottom = area.GetBottom();
    if (!sidesOnly) {
        top = std::max(top, reach.Y);
        bottom = std::min(bottom, reach.GetBottom());
    }
    return RectF(left, top, std::max(right - left, 0.0f), std::max(bottom - top, 0.0f));
}

namespace {

bool Printing(const ViewServices* pView)
{
    return pView && pView->m_bPrinting;
}

// One glow stroke: the glow colour at `alpha`, `width` wide, round joins.
void StrokeGlow(Graphics& g, const GraphicsPath& path, ARGB color, int alpha, int width, bool inset)
{
    alpha = std::clamp(alpha, 0, 255);
    Pen pen(Color(uint8_t(alpha), uint8_t(color >> 16), uint8_t(color >> 8), uint8_t(color)), float(width));
    pen.SetLineJoin(LineJoin::Round);
    if (inset)
        pen.SetAlignment(PenAlignment::Inset);
    g.DrawPath(pen, path);
}

// The glow's radius: nothing to draw for a radius that is not a positive finite number;
// widths beyond the largest surface side would cover any page anyway.
constexpr double kMaxGlowWidth = kMaxSurfaceSide;

} // namespace

// A copy of the object path moved by the shadow's offset and scaled about the object's
// centre, offset included; the shadow brush is handed it for the next build.
Matrix CDrawObj::ShadowMatrix() const
{
    const PointF centre(m_rcBounds.X + m_rcBounds.Width * 0.5f, m_rcBounds.Y + m_rcBounds.Height * 0.5f);
    PointF offset(m_fShadowDepth, 0.0f);
    Matrix::Rotation(float(int32_t(m_nShadowDirection))).TransformPoints({&offset, 1});
    return Matrix::Translation(offset.X, offset.Y) * Matrix::Translation(-centre.X, -centre.Y)
        * Matrix::Scaling(float(m_nShadowScaleX) / 100.0f, float(m_nShadowScaleY) / 100.0f)
        * Matrix::Translation(centre.X, centre.Y);
}

std::unique_ptr<GraphicsPath> CDrawObj::BuildShadowPath(const GraphicsPath& path)
{
    auto shadow = std::make_unique<GraphicsPath>(path);
    if (!shadow->Transform(ShadowMatrix()))
        return nullptr;
    m_shadowBrush.m_rcBounds = shadow->GetBounds();
    m_shadowBrush.SetMatrix(nullptr);
    // The brush build applies the view's zoom to the path it holds, so it gets the
    // shadow path before the zoom.
    m_shadowBrush.SetPath(*shadow);
    return shadow;
}

// The shadow layer: the shadow path filled with the shadow brush and stroked with the
// outline pen in the shadow colour, its alpha blurred, painted under the body. A picture
// without fill casts the silhouette of what it shows instead of its frame: the picture,
// colour key and opacity applied, moved and scaled as the shadow path is, in the shadow
// colour. With a reflection to come, the reflection layer is made here, over the body and
// the shadow, and the shadow is painted into it as well. Returns the finished shadow
// layer (none while printing), for the effect cache to keep.
std::unique_ptr<EffectLayer> CDrawObj::DrawShadow(Graphics& g, ViewServices* pView, const GraphicsPath& shadowPath,
                                                  const DrawTools& tools, const Matrix* extra, const RectF& body,
                                                  bool withReflection, std::unique_ptr<EffectLayer>& reflection,
                                                  const LayerReach& reach)
{
    const bool stroked = m_bLineEnabled && tools.pen;
    PenGeometry penGeometry;
    if (stroked)
        penGeometry = tools.pen->Geometry();
    const RectF shadowBounds = shadowPath.GetBounds(nullptr, stroked ? &penGeometry : nullptr);
    const float margin = BlurMargin(m_fShadowBlur);

    if (withReflection) {
        reflection = EffectLayer::Create(reach.Cut(Grown(UnionOfRects(shadowBounds, body), margin), 0.0f, true));
        if (reflection)
            reflection->GetGraphics().SetThinDetail(g.GetThinDetail());
    }

    std::unique_ptr<EffectLayer> layer = EffectLayer::Create(reach.Cut(Grown(shadowBounds, margin), margin, withReflection));
    if (!layer)
        return nullptr;
    const ARGB shadowColor = m_shadowBrush.m_clrFore;
    Graphics& lg = layer->GetGraphics();
    lg.SetThinDetail(g.GetThinDetail());
    if (m_bFillEnabled) {
        std::unique_ptr<Brush> brush = m_shadowBrush.CreateBrush(pView);
        if (brush)
            lg.FillPath(*brush, shadowPath);
    } else if (m_nShapeType == ShapeType::Image && m_pImage) {
        const Matrix placed = extra ? *extra * ShadowMatrix() : ShadowMatrix();
        DrawObjectImage(lg, pView, &placed);
        layer->Tint(shadowColor);
    }
    if (stroked) {
        Pen pen(*tools.pen);
        pen.SetColor(Color(shadowColor));
        lg.DrawPath(pen, shadowPath);
    }
    layer->BlurAlpha(uint32_t(margin), shadowColor);
    if (Printing(pView)) {
        if (layer->PassThroughPngFile())
            PlaceShadow(g, *layer, reflection.get());
        return nullptr;
    }
    PlaceShadow(g, *layer, reflection.get());
    return layer;
}

// The finished shadow layer onto the target, and into the reflection layer when there is
// one.
void CDrawObj::PlaceShadow(Graphics& g, const EffectLayer& layer, EffectLayer* reflection)
{
    const RectF at = layer.Area();
    g.DrawSurface(layer.Surface(), at.X, at.Y);
    if (reflection)
        reflection->GetGraphics().DrawSurface(layer.Surface(), at.X, at.Y);
}

// The reflection layer, already holding the body (and the shadow), turned upside down,
// faded row by row and painted below the object; `out` grows by the shown part and the
// distance.
void CDrawObj::DrawReflection(Graphics& g, ViewServices* pView, EffectLayer& layer, RectF& out)
{
    layer.FlipVertically();
    GrowForReflection(out);
    layer.FadeRows(m_nReflectionStartTransparency, m_nReflectionEndTransparency, m_nReflectionShown);
    if (Printing(pView) && !layer.PassThroughPngFile())
        return;
    PlaceReflection(g, pView, layer);
}

void CDrawObj::GrowForReflection(RectF& out) const
{
    out.Height += float(m_nReflectionShown) * out.Height / 100.0f + m_fReflectionDistance;
}

// The finished reflection layer below the object, the distance away.
void CDrawObj::PlaceReflection(Graphics& g, ViewServices* pView, const EffectLayer& layer) const
{
    const float distance = m_fReflectionDistance * (pView ? pView->m_fZoom : 1.0f);
    const RectF at = layer.Area();
    g.DrawSurface(layer.Surface(), at.X, at.Y + at.Height + distance);
}

// The reflection layer over the body alone, when there is no shadow to widen it.
std::unique_ptr<EffectLayer> CDrawObj::CreateReflectionLayer(const RectF& body, const LayerReach& reach)
{
    return EffectLayer::Create(reach.Cut(body, 0.0f, true));
}

// Glow strokes around the outline (the glow) or inside it (the inner glow alone): a stack
// of at most about eight strokes whose opacity falls from 45 at the outline towards 0 at
// the radius.
void CDrawObj::DrawGlow(Graphics& g, ViewServices*, const GraphicsPath& path, const DrawTools& tools)
{
    const double r = m_fGlowRadius;
    if (!std::isfinite(r) || r <= 0.0)
        return;
    const double radius = std::min(r, kMaxGlowWidth);
    const double w0 = tools.pen && std::isfinite(tools.pen->GetWidth())
        ? std::clamp(double(tools.pen->GetWidth()), 0.0, kMaxGlowWidth)
        : 0.0;
    if (m_bGlow) {
        const double k = 45.0 / radius;
        const int end = int(w0 + radius);
        const int step = end / 3 > 6 ? end / 6 : 3;
        for (int w = int(w0); w < end; w += step)
            StrokeGlow(g, path, m_clrGlow, int(45.0 - (w - w0) * k), w, false);
    } else if (m_bInnerGlow) {
        const int n = int(radius * 0.5);
        const double k = (45.0 / radius) * 0.5;
        const int step = n / 3 > 6 ? n / 6 : 3;
        for (int w = 0; w < n; w += step)
            StrokeGlow(g, path, m_clrGlow, int(45.0 - w * k), w, true);
    }
}

} // namespace kelmora
