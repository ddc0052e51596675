// How a drawing step uses the effect cache (EffectCache.h): the object's fingerprint, the
// reach of layers made for the cache, and the glow, which is painted through a layer of its
// own when the cache can keep it.
//
// The fingerprint is everything the layers are made from: the object's archive record
// (its geometry, style, effects, picture and subclass data, stored as for the undo file,
// pictures by their content id), the transforms the record does not hold (a drag under
// way, the caller's extra matrix, the view's zoom), the outline as drawn in the target's
// coordinates (which also holds what a text's fonts made of it), and, for layers too large
// to be made whole, the tiles they are cut to. Every edit changes the record or the outline,
// whichever way it reached the object; undo and redo read records back into it.

#include "model/DrawObj.h"
#include "model/DrawObjRender.h"
#include "model/GraphicsValues.h"
#include "model/ViewServices.h"
#include "platform/archive/Archive.h"
#include "platform/archive/ArchiveException.h"
#include "platform/archive/MemoryStream.h"
#include "platform/graphics/Graphics.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

RectF Grown(RectF r, float by)
{
    r.Inflate(by, by);
    return r;
}

// Half the widest glow stroke: the glow's strokes reach no further from the outline, their
// joins being round. 0 without a glow to draw.
float GlowReach(const CDrawObj& object, const DrawTools& tools)
{
    const float radius = object.m_fGlowRadius;
    if (!(object.m_bGlow || object.m_bInnerGlow) || !std::isfinite(radius) || radius <= 0.0f)
        return 0.0f;
    const float pen = tools.pen && std::isfinite(tools.pen->GetWidth())
        ? std::clamp(tools.pen->GetWidth(), 0.0f, float(kMaxSurfaceSide))
        : 0.0f;
    return (pen + std::min(radius, float(kMaxSurfaceSide))) / 2.0f;
}

// The rectangle rounded out to whole tiles.
RectF TileAligned(const RectF& r)
{
    constexpr float tile = LayerReach::kTile;
    const float left = std::floor(r.X / tile) * tile;
    const float top = std::floor(r.Y / tile) * tile;
    const float right = std::ceil(r.GetRight() / tile) * tile;
    const float bottom = std::ceil(r.GetBottom() / tile) * tile;
    return RectF(left, top, right - left, bottom - top);
}

} // namespace

EffectLayers CDrawObj::OpenEffectLayers(Graphics& g, ViewServices* pView, const Matrix* extra, DrawPartMask parts,
                                        const GraphicsPath& path, const GraphicsPath* shadowPath,
                                        const DrawTools& tools, const RectF& body, LayerReach& reach)
{
    const float glow = GlowReach(*this, tools);
    const bool layered = shadowPath || (glow > 0.0f && (parts & kDrawBody)) || (m_bReflection && (parts & kDrawReflection));
    // Without a layer nothing asks how far one may reach.
    reach = LayerReach{layered ? g.GetVisibleClipBounds() : std::nullopt, false};
    if (!layered || (pView && pView->m_bPrinting))
        return {};
    EffectCache* cache = EffectCache::ForCurrentThread();
    if (!cache)
        return {};

    // Every layer lies within the body and the shadow grown by the blur and the glow:
    // while that is small enough, none is cut, and the visible part plays no part.
    RectF extent = body;
    if (shadowPath) {
        PenGeometry penGeometry;
        if (m_bLineEnabled && tools.pen)
            penGeometry = tools.pen->Geometry();
        RectF::Union(extent, extent, shadowPath->GetBounds(nullptr, m_bLineEnabled && tools.pen ? &penGeometry : nullptr));
    }
    extent = Grown(extent, BlurMargin(m_fShadowBlur) + glow + 2.0f);
    std::optional<RectF> tiles;
    if (!(double(extent.Width) * double(extent.Height) <= LayerReach::kWholeLayerPixels) && reach.visible)
        tiles = TileAligned(*reach.visible);

    std::optional<std::vector<uint8_t>> fingerprint = EffectFingerprint(path, pView, extra, tiles);
    if (!fingerprint)
        return {};
    cache->Begin(this, std::move(*fingerprint));
    reach.cached = true;
    if (tiles)
        reach.visible = tiles;
    return EffectLayers{cache, this};
}

std::optional<std::vector<uint8_t>> CDrawObj::EffectFingerprint(const GraphicsPath& path, ViewServices* pView,
                                                                const Matrix* extra, const std::optional<RectF>& tiles)
{
    MemoryStream stream;
    try {
        Archive ar(stream, ArchiveMode::Store);
        ar.SetForComparison(true);
        Serialize(ar);
        WriteMatrix(ar, m_pPendingMatrix.get());
        WriteMatrix(ar, extra);
        WriteMatrix(ar, pView ? pView->m_pZoomMatrix.get() : nullptr);
        ar << (pView ? pView->m_fZoom : 1.0f);
        const std::span<const PointF> points = path.Points();
        const std::span<const uint8_t> types = path.Types();
        ar << uint64_t(points.size());
        ar.Write(points.data(), points.size_bytes());
        ar.Write(types.data(), types.size_bytes());
        ar << tiles.has_value();
        if (tiles) {
            RectF cut = *tiles;
            SerializeRectF(ar, cut);
        }
    } catch (const ArchiveException&) {
        // A record that cannot be stored (nested too deep, say) has no fingerprint: the
        // effects are made afresh.
        return std::nullopt;
    }
    return stream.TakeBytes();
}

std::shared_ptr<const EffectLayer> CDrawObj::GlowLayer(Graphics& g, ViewServices* pView, const GraphicsPath& path,
                                                       const DrawTools& tools, const EffectLayers& layers,
                                                       const LayerReach& reach)
{
    const float glow = GlowReach(*this, tools);
    if (!layers.cache || glow == 0.0f)
        return nullptr;
    // The strokes are antialiased as the target draws them.
    const uint32_t variant = uint32_t(g.GetSmoothingMode());
    if (std::shared_ptr<const EffectLayer> kept = layers.Find(EffectCache::LayerKind::Glow, variant))
        return kept;
    std::unique_ptr<EffectLayer> layer = EffectLayer::Create(reach.Cut(Grown(path.GetBounds(), glow + 1.0f), 0.0f, false));
    if (!layer)
        return nullptr;
    layer->GetGraphics().SetSmoothingMode(g.GetSmoothingMode());
    layer->GetGraphics().SetThinDetail(g.GetThinDetail());
    DrawGlow(layer->GetGraphics(), pView, path, tools);
    std::shared_ptr<const EffectLayer> made(std::move(layer));
    layers.Keep(EffectCache::LayerKind::Glow, variant, made);
    return made;
}

} // namespace kelmora
