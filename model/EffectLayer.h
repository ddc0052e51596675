#pragma once
// An off-screen layer for the shadow and reflection effects: a transparent pixel surface
// covering a rectangle of the target Graphics' world coordinates, with a Graphics on it
// whose world transform is a translation by minus the layer's left and top, so that
// paths in target coordinates can be drawn on it as they are.
//
// The layer's corners are the rectangle's, rounded outward to whole units, so that it
// is painted back onto the target pixel for pixel.
//
// Pixels are held premultiplied (cairo's ARGB32). BlurAlpha works on them straight (it
// converts and converts back); FadeRows works on them premultiplied, scaling all four
// channels, which is scaling the straight alpha.

#include "platform/geometry/RectF.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"

#include <cstdint>
#include <memory>

namespace kelmora {

class EffectLayer {
public:
    // Most pixel memory one effect layer may take: 8,192 × 8,192 pixels. A layer that
    // would need more is not made and its effect is skipped, rather than allowed to take
    // gigabytes.
    static constexpr int64_t kMaxBytes = int64_t(256) << 20;

    // A layer over `area`; null when the area is not finite, has no extent, or the layer
    // would exceed a side of kMaxSurfaceSide or kMaxBytes.
    static std::unique_ptr<EffectLayer> Create(const RectF& area);

    EffectLayer(const EffectLayer&) = delete;
    EffectLayer& operator=(const EffectLayer&) = delete;

    Graphics& GetGraphics() { return *m_graphics; }
    const ImageSurface& Surface() const { return m_surface; }
    // The layer's place in target coordinates.
    RectF Area() const;

    // Blurs the alpha of every pixel with StackBlurAlpha (radius 0 changes nothing).
    // Pixels that are fully transparent before the blur take `emptyColor`'s red, green
    // and blue, so that the soft edge the blur spreads over them has the layer's colour
    // instead of black.
    void BlurAlpha(uint32_t radius, uint32_t emptyColor);
    // Gives every pixel the colour's red, green and blue and multiplies its alpha by the
    // colour's alpha: the layer's content becomes its silhouette in that colour.
    void Tint(uint32_t color);
    // Turns the layer upside down.
    void FlipVertically();
    // Multiplies every pixel of row y by f(y) / 255: from `start` at the top row to `end`
    // at row L = shownPercent % of the height, linearly, and 0 from row L on. start and
    // end above 255 count as 255.
    void FadeRows(uint32_t start, uint32_t end, uint32_t shownPercent);
    // Writes the layer to a temporary PNG file, reads it back in place of the pixels and
    // deletes the file: how layers reach a printer. False, with the layer unchanged, when
    // the file cannot be written or read.
    bool PassThroughPngFile();

private:
    EffectLayer(ImageSurface surface, int left, int top);

    // The pixels as 32-bit words, rows Width() words apart; flushed for direct access.
    uint32_t* BeginPixels();
    void EndPixels();

    ImageSurface m_surface;
    std::unique_ptr<Graphics> m_graphics;
    int m_left = 0;
    int m_top = 0;
};

} // namespace kelmora
