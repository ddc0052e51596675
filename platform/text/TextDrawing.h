#pragma once
// Drawing and measuring strings on a cairo context.
//
// Text is laid out as TextOutline.h describes and drawn as its glyph outlines, so what is
// drawn, what AddString adds to a path and what MeasureString reports agree exactly.
// The font's size becomes an em height in the context's user space by
// Font::EmSizeInWorld(dpi): `dpi` is the resolution of the device, whose pixels the user
// space is taken to be before the context's transform (points scale by dpi / 72).
//
// Safe to call from any thread on a context that thread owns (see TextThreadContext.h).

#include "platform/geometry/PointF.h"
#include "platform/geometry/RectF.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Graphics.h"
#include "platform/text/Font.h"
#include "platform/text/StringFormat.h"

#include <cairo.h>

#include <cstdint>
#include <optional>
#include <string_view>

namespace kelmora {

// The resolution a screen is assumed to have when none is given.
constexpr float kDefaultTextDpi = 96.0f;

// Fills the glyphs of `text` with `color`, laid out in `layoutRect` in world
// coordinates: the surface's world transform, smoothing mode and clip apply as to any
// filled path. Unless the format has NoClip, the glyphs are also clipped to the rectangle
// (across or down only where it has a width or height); the surface's clip is as it was
// afterwards. False, drawing nothing, when the rectangle, the size or the resolution is
// not usable or the surface refuses the fill.
bool DrawString(Graphics& graphics, std::string_view text, const Font& font, const RectF& layoutRect,
                const StringFormat& format, Color color, float dpi = kDefaultTextDpi);
// The same, laid out from `origin` without wrapping and without clipping.
bool DrawString(Graphics& graphics, std::string_view text, const Font& font, PointF origin,
                const StringFormat& format, Color color, float dpi = kDefaultTextDpi);

// The same on a bare cairo context, in its current user space, filled antialiased. The
// context's state (source, clip, path, fill rule) is left as it was. False, drawing
// nothing, also when the context is already in an error state.
bool DrawString(cairo_t* cr, std::string_view text, const Font& font, const RectF& layoutRect,
                const StringFormat& format, Color color, float dpi = kDefaultTextDpi);
bool DrawString(cairo_t* cr, std::string_view text, const Font& font, PointF origin, const StringFormat& format,
                Color color, float dpi = kDefaultTextDpi);

// The box the laid-out lines take (TextOutline::bounds), in user space. Nothing when
// the rectangle or the size is not usable.
std::optional<RectF> MeasureString(std::string_view text, const Font& font, const RectF& layoutRect,
                                   const StringFormat& format, float dpi = kDefaultTextDpi);
std::optional<RectF> MeasureString(std::string_view text, const Font& font, PointF origin,
                                   const StringFormat& format, float dpi = kDefaultTextDpi);

} // namespace kelmora
