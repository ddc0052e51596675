#pragma once
// What paints the inside of a filled area or a stroke: the base of every brush.
//
// A brush is a value made for one drawing step and copied with Clone(). It reaches cairo
// as the context's source, set in the context's user space at the time of the call; the
// drawing surface sets that space to the world space of the step (world coordinates in,
// device pixels out) before asking, so a brush laid out in world units stays put while the
// pen or fill that uses it changes the transform afterwards.
//
// A brush built from values it has to refuse (an unknown hatch style, a bitmap without
// pixels, a source rectangle outside the image) is kept but is not valid: it paints
// nothing, and neither does a pen that carries it. The linear and path gradients derive
// from it through GradientBrush.

#include <cairo.h>

#include <cstdint>
#include <memory>

namespace kelmora {

// The kinds of brush, with the GDI+ values.
enum class BrushType : int32_t {
    SolidColor = 0,
    HatchFill = 1,
    TextureFill = 2,
    PathGradient = 3,
    LinearGradient = 4,
};

class Brush {
public:
    virtual ~Brush() = default;

    virtual BrushType GetType() const = 0;
    virtual std::unique_ptr<Brush> Clone() const = 0;
    // False for a brush that paints nothing because it refused the values it was made from.
    virtual bool IsValid() const = 0;
    // Makes this brush the source of cr for painting in cr's current user space. False,
    // with the source left as it was, when the brush paints nothing.
    virtual bool SetAsSource(cairo_t* cr) const = 0;
    // For a brush that paints only inside an area of its own and draws that area's edge
    // without antialiasing (cairo's mesh patches): adds the area to cr's path in cr's
    // current user space and returns true, so that a fill can clip to it smoothly. False,
    // path unchanged, for every other brush.
    virtual bool AppendPaintedArea(cairo_t*) const { return false; }

protected:
    Brush() = default;
    Brush(const Brush&) = default;
    Brush& operator=(const Brush&) = default;
};

} // namespace kelmora
