#pragma once
// The text engine: lays a string out in a layout rectangle and gives its glyph outlines.
//
// Layout follows the string format:
//   - The em size is the em height in the coordinates of the result. The first line's
//     baseline lies the font's ascent below the top of the block of lines, and lines
//     follow at the font's line spacing (ascent + descent + line gap).
//   - A layout rectangle of zero (or negative) width is unbounded across: nothing wraps,
//     and alignment is about its left edge (Center centres on it, Far ends at it).
//     Zero height likewise for the block of lines against its top edge.
//   - Otherwise lines wrap at word boundaries to the width less the format's padding
//     (a word longer than a line breaks between characters), unless NoWrap is set; the
//     text's own line breaks (LF, CR LF, CR, U+2028, U+2029) always break.
//   - Near lines start at the left padding, Far lines end at the right padding, Center
//     lines are centred in the rectangle. Spaces at the end of a line take no part in
//     its alignment.
//   - With LineLimit and a height, only the lines that fit wholly in the height are laid
//     out; otherwise every line is, inside or outside the rectangle. Outlines are never
//     cut at the rectangle; drawing clips (see TextDrawing.h).
//   - Characters the family lacks come from another installed font that has them, as the
//     system's font fallback picks it; characters no font has are left out.
//   - Underline and strikeout add one rectangle per line, from the line's start to its
//     last non-space glyph, at the positions and thickness the font gives. The rectangle
//     turns the way the line's outer glyph contours do, so that under the winding rule
//     it joins the descenders it crosses.
//
// Safe to call from any thread: each thread lays out with its own engine state
// (TextThreadContext.h). Strings longer than kMaxLayoutCharacters are laid out up to
// that many characters; a logo's text is far shorter, and this keeps a hostile file's
// text from stalling the layout.

#include "platform/geometry/PathPointType.h"
#include "platform/geometry/PointF.h"
#include "platform/geometry/RectF.h"
#include "platform/text/FontFamily.h"
#include "platform/text/FontStyle.h"
#include "platform/text/StringFormat.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kelmora {

constexpr size_t kMaxLayoutCharacters = 16384;

// The largest em size laid out. Far beyond any page (a page is a few thousand units
// across), and small enough that drawn coordinates stay inside cairo's fixed-point range
// at ordinary zoom levels.
constexpr float kMaxEmSize = 1.0e6f;

struct TextOutline {
    // Outlines as path points with GDI+ point types (0 start, 1 line, 3 Bézier, 0x80 on
    // the last point of a closed figure): one closed figure per glyph contour, and per
    // decoration rectangle.
    std::vector<PointF> points;
    std::vector<uint8_t> types;
    // The box of the laid-out lines: from the left padding of the leftmost line to the
    // right padding of the rightmost, from the top of the first line to the bottom of the
    // last at the line spacing. For no lines, a box of no size at the aligned position.
    RectF bounds;
    int32_t lineCount = 0;
};

// Lays out `text` (UTF-8; malformed bytes become U+FFFD, see TextSanitize.h) in `family`
// and `style` with em size `emSize` in `layoutRect`. Outlines are made only when
// `withOutlines`. Nothing when the em size is not a finite number above zero and at most
// kMaxEmSize, or the rectangle is not finite.
std::optional<TextOutline> LayOutText(std::string_view text, const FontFamily& family, FontStyle style,
                                      float emSize, const RectF& layoutRect, const StringFormat& format,
                                      bool withOutlines = true);

} // namespace kelmora
