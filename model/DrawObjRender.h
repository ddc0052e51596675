#pragma once
// What one drawing step of an object works with: the pen and the fill built from its
// PenMan and BrushMan for that step, how far its effect layers reach, and its access to
// the effect cache.

#include "model/EffectCache.h"
#include "platform/geometry/RectF.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Pen.h"

#include <memory>
#include <optional>

namespace kelmora {

class CDrawObj;
class Graphics;

struct DrawTools {
    std::unique_ptr<Pen> pen;       // always built, even with the outline off; null when it cannot be
    std::unique_ptr<Brush> brush;   // null when the fill is off or cannot be built
};

// The shadow's blur radius and margin in device pixels: 0 for a negative or non-finite
// value, at most the blur's largest radius.
float BlurMargin(float blur);

// Which part of an effect's area (target coordinates) its layer covers. A layer made for
// one paint covers what the target can show, `visible`, grown by the effect's margin (a
// blur near the cut still sees every pixel it reads); a reflection shows rows of its
// layer elsewhere than they were drawn and is cut at the sides only. A layer made for the
// effect cache covers its whole area while that has at most kWholeLayerPixels, so that
// scrolling and partial repaints find it again; a larger one is cut to `visible`, which is
// then the visible part rounded out to whole tiles. Without `visible` nothing is cut.
struct LayerReach {
    // 2048 × 2048 pixels (16 MiB): a logo-sized object's shadow at any usual zoom.
    static constexpr double kWholeLayerPixels = 2048.0 * 2048.0;
    // The side of the tiles a larger cached layer is cut to, in target units: large enough
    // that a layer is made again only when the view moves far.
    static constexpr float kTile = 512.0f;

    std::optional<RectF> visible;
    bool cached = false;

    RectF Cut(const RectF& area, float margin, bool sidesOnly) const;
};

// A drawing step's access to the effect cache: none (printing, other threads, an object
// whose record cannot be stored), or the cache with the object's fingerprint begun.
struct EffectLayers {
    EffectCache* cache = nullptr;
    const CDrawObj* object = nullptr;

    std::shared_ptr<const EffectLayer> Find(EffectCache::LayerKind kind, uint32_t variant) const
    {
        return cache ? cache->Find(object, kind, variant) : nullptr;
    }
    void Keep(EffectCache::LayerKind kind, uint32_t variant, std::shared_ptr<const EffectLayer> layer) const
    {
        if (cache)
            cache->Keep(object, kind, variant, std::move(layer));
    }
};

} // namespace kelmora
