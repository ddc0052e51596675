#pragma once
// Glyph outlines added to a path.

#include "platform/geometry/GraphicsPath.h"
#include "platform/geometry/PointF.h"
#include "platform/geometry/RectF.h"
#include "platform/text/FontFamily.h"
#include "platform/text/FontStyle.h"
#include "platform/text/StringFormat.h"

#include <string_view>

namespace kelmora {

// Adds the outlines of `text` (UTF-8) in `family` and `style` to `path`, laid out in
// `layoutRect` with `format` as TextOutline.h describes. `emSize` is the em height in the
// path's own units: no point or resolution conversion applies. Each glyph contour, and
// each underline or strikeout bar, becomes a closed figure of its own, of lines and
// Béziers; figures already in `path` are not joined to them. Outlines are not
// cut at the rectangle.
//
// An empty string adds nothing and succeeds. False, leaving the path as it was, when the
// em size is not a finite number in (0, kMaxEmSize] or the rectangle is not finite.
// Safe to call from any thread on a path that thread owns.
bool AddString(GraphicsPath& path, std::string_view text, const FontFamily& family, FontStyle style, float emSize,
               const RectF& layoutRect, const StringFormat& format);

// The same laid out from `origin`, without wrapping.
bool AddString(GraphicsPath& path, std::string_view text, const FontFamily& family, FontStyle style, float emSize,
               PointF origin, const StringFormat& format);

} // namespace kelmora
