// The drawing procedure every drawing object paints itself with: the clip, the path and
// its bounds, the zoom, the pen, the shadow stage, the fill brush, the body (fill,
// picture, glow, outline), the reflection stage, the returned bounds and the clean-up.
//
// Coordinates: the object's path comes out of CreatePath in document units with the
// object's matrix and `extra` applied; the view's zoom maps it into the coordinates of the
// Graphics. `out` is measured before the zoom.
//
// The clip. A clip object narrows the Graphics' clip inside a saved state that is restored
// at the end, so the caller's own clip (a clipped group drawing its children, a view
// drawing an update region) still holds for everything drawn after this object.

#include "model/DrawObj.h"
#include "model/DrawObjRender.h"
#include "model/DrawRect.h"
#include "model/EffectLayer.h"
#include "model/ViewServices.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Pen.h"

#include <algorithm>

namespace kelmora {

namespace {

bool HasPart(DrawPartMask parts, DrawPartMask part)
{
    return (parts & part) != 0;
}

} // namespace

// Paints the outline path of the clip object into the Graphics' clip, placed as this
// object is placed. False when the clip leaves nothing to draw: a clip object without an
// outline clips everything away, as an empty clip region does.
bool CDrawObj::ApplyClipObject(Graphics& g, ViewServices* pView, const Matrix* extra)
{
    if (!m_pClipObject)
        return true;
    std::unique_ptr<GraphicsPath> clipPath = m_pClipObject->CreatePath(nullptr, nullptr);
    if (clipPath->IsEmpty())
        return false;
    Matrix m;
    if (m_pPendingMatrix) {
        m = *m_pPendingMatrix;
    } else {
        m = *m_pMatrix;
        m_rcRefBounds = m_rcBounds;
    }
    if (extra)
        m = m * *extra;
    if (pView)
        m = m * pView->ZoomMatrix();
    // A transform that cannot be applied leaves the clip as it was, as a failed clip call
    // does; the object is then drawn unclipped rather than lost.
    if (clipPath->Transform(m))
        g.IntersectClip(*clipPath);
    return true;
}

RectF& CDrawObj::Draw(RectF& out, Graphics& g, ViewServices* pView, const Matrix* extra, DrawPartMask parts)
{
    out = RectF();
    const GraphicsState saved = g.Save();
    const bool visible = ApplyClipObject(g, pView, extra);

    std::unique_ptr<GraphicsPath> path = CreatePath(nullptr, extra);
    m_rcBounds = path->GetBounds();
    const RectF pathBounds = m_rcBounds;
    out = pathBounds;

    std::unique_ptr<GraphicsPath> shadowPath;
    if (m_bShadow && HasPart(parts, kDrawShadow) && !path->IsEmpty()) {
        shadowPath = BuildShadowPath(*path);
        if (shadowPath)
            out = UnionOfPainted(out, shadowPath->GetBounds());
    }

    if (pView && pView->m_pZoomMatrix) {
        if (shadowPath)
            shadowPath->Transform(*pView->m_pZoomMatrix);
        path->Transform(*pView->m_pZoomMatrix);
    }

    const bool reflect = m_bReflection && HasPart(parts, kDrawReflection);
    std::unique_ptr<EffectLayer> reflection;
    // A finished reflection layer from the effect cache.
    std::shared_ptr<const EffectLayer> keptReflection;
    if (visible) {
        DrawTools tools = CreateDrawTools(pView);
        PenGeometry penGeometry;
        const bool stroked = m_bLineEnabled && tools.pen;
        if (stroked)
            penGeometry = tools.pen->Geometry();
        const RectF body = path->GetBounds(nullptr, stroked ? &penGeometry : nullptr);

        // Finished layers are taken from the effect cache where it holds them for this
        // very state of the object; a shadow only together with the reflection that
        // shows it.
        LayerReach reach;
        const EffectLayers layers =
            OpenEffectLayers(g, pView, extra, parts, *path, shadowPath.get(), tools, body, reach);
        using Kind = EffectCache::LayerKind;
        if (reflect)
            keptReflection = layers.Find(Kind::Reflection, shadowPath ? 1 : 0);
        if (shadowPath) {
            const std::shared_ptr<const EffectLayer> keptShadow = layers.Find(Kind::Shadow, reflect ? 1 : 0);
            if (keptShadow && (!reflect || keptReflection)) {
                PlaceShadow(g, *keptShadow, nullptr);
            } else {
                keptReflection.reset();
                layers.Keep(Kind::Shadow, reflect ? 1 : 0,
                            DrawShadow(g, pView, *shadowPath, tools, extra, body, reflect, reflection, reach));
            }
        }
        if (HasPart(parts, kDrawBody)) {
            const std::shared_ptr<const EffectLayer> glow = GlowLayer(g, pView, *path, tools, layers, reach);
            DrawBody(g, pView, *path, tools, extra, true, glow.get());
        }
        if (reflect && !reflection && !keptReflection && !path->IsEmpty()) {
            reflection = CreateReflectionLayer(body, reach);
            if (reflection)
                reflection->GetGraphics().SetThinDetail(g.GetThinDetail());
        }
        if (reflection)
            DrawFillStroke(reflection->GetGraphics(), pView, *path, tools, extra, true);

        // Room for the glow, whether or not it is on; and, where the glow room falls short
        // of the outline, room for half the outline's width, so that `out` always holds
        // what was painted.
        GrowForPainting(out, pathBounds, path->IsEmpty());
        if (keptReflection) {
            GrowForReflection(out);
            PlaceReflection(g, pView, *keptReflection);
        } else if (reflection) {
            DrawReflection(g, pView, *reflection, out);
            layers.Keep(Kind::Reflection, shadowPath ? 1 : 0, std::move(reflection));
        }
    } else {
        GrowForPainting(out, pathBounds, path->IsEmpty());
    }

    g.Restore(saved);
    return out;
}

// The glow's room, whether or not it is on: half its radius on the left and top, the whole
// radius on width and height; and, where that falls short of the outline, half the
// outline's width.
void CDrawObj::GrowForPainting(RectF& out, const RectF& pathBounds, bool emptyPath) const
{
    out.X -= m_fGlowRadius / 2.0f;
    out.Y -= m_fGlowRadius / 2.0f;
    out.Width += m_fGlowRadius;
    out.Height += m_fGlowRadius;
    if (m_bLineEnabled && m_pen.m_fWidth > 0.0f && !emptyPath) {
        RectF stroked = pathBounds;
        stroked.Inflate(m_pen.m_fWidth / 2.0f, m_pen.m_fWidth / 2.0f);
        out = UnionOfPainted(out, stroked);
    }
}

// The body in one of four orders chosen by the glow flags: an outer glow lies under the
// fill, an inner glow over it; the outline always comes last.
void CDrawObj::DrawFillStroke(Graphics& g, ViewServices* pView, const GraphicsPath& path, const DrawTools& tools,
                              const Matrix* extra, bool drawPicture)
{
    DrawBody(g, pView, path, tools, extra, drawPicture, nullptr);
}

// A glow layer holds the very strokes DrawGlow paints, in the coordinates of `g`.
void CDrawObj::DrawBody(Graphics& g, ViewServices* pView, const GraphicsPath& path, const DrawTools& tools,
                        const Matrix* extra, bool drawPicture, const EffectLayer* glow)
{
    auto paintGlow = [&] {
        if (!glow) {
            DrawGlow(g, pView, path, tools);
            return;
        }
        const RectF at = glow->Area();
        g.DrawSurface(glow->Surface(), at.X, at.Y);
    };
    const bool glowUnder = m_bGlow && !m_bInnerGlow;
    const bool glowOver = m_bInnerGlow;
    if (glowUnder)
        paintGlow();
    FillBody(g, path, tools);
    if (drawPicture && m_nShapeType == ShapeType::Image && m_pImage)
        DrawObjectImage(g, pView, extra);
    if (glowOver)
        paintGlow();
    if (m_bLineEnabled)
        StrokeOutline(g, path, tools);
}

RectF& CDrawObj::DrawInView(RectF& out, Graphics& g, DeviceContext*, ViewServices* pView, const Matrix* extra,
                            DrawPartMask parts)
{
    return Draw(out, g, pView, extra, parts);
}

RectF& CDrawObj::DrawAlt(RectF& out, Graphics& g, ViewServices* pView, const Matrix* extra, DrawPartMask parts)
{
    return Draw(out, g, pView, extra, parts);
}

RectF& CDrawObj::DrawPlain(RectF& out, Graphics& g, ViewServices* pView)
{
    return Draw(out, g, pView, nullptr, kDrawAllParts);
}

RectF& CDrawObj::DrawPlainAlt(RectF& out, Graphics& g, ViewServices* pView, const Matrix* extra)
{
    return Draw(out, g, pView, extra, kDrawAllParts);
}

// The pen is always built (the glow takes its width from it); the brush only when the
// fill is on. Both read the path and matrix that the path build just handed them.
DrawTools CDrawObj::CreateDrawTools(ViewServices* pView)
{
    DrawTools tools;
    tools.pen = m_pen.CreatePen(pView);
    if (m_bFillEnabled)
        tools.brush = m_brush.CreateBrush(pView);
    return tools;
}

void CDrawObj::FillBody(Graphics& g, const GraphicsPath& path, const DrawTools& tools)
{
    if (tools.brush)
        g.FillPath(*tools.brush, path);
}

void CDrawObj::StrokeOutline(Graphics& g, const GraphicsPath& path, const DrawTools& tools)
{
    if (tools.pen)
        g.DrawPath(*tools.pen, path);
}

// Pictures belong to the image objects, which are CDrawRects.
void CDrawObj::DrawObjectImage(Graphics& g, ViewServices* pView, const Matrix* extra)
{
    if (auto* rect = dynamic_cast<CDrawRect*>(this))
        rect->DrawImage(g, pView, extra);
}

} // namespace kelmora
