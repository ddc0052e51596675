#pragma once
// How well a text or a picture stands out from what it sits on, and colours moved just far
// enough to stand out. Contrast is the ratio (L1 + 0.05) / (L2 + 0.05) of the relative
// luminances of the lighter and the darker colour (sRGB), from 1 (the same) to 21 (black
// on white). Whatever a user must read (captions, links, pictures of commands) keeps at
// least kReadableContrast against its background in every look; a greyed-out caption or
// picture keeps kDisabledContrast, low enough to read as unavailable and high enough to
// stay visible. UI thread only (the picture cache is not shared).

#include <wx/bitmap.h>
#include <wx/colour.h>

#include <initializer_list>

class wxImage;

namespace kelmora {

inline constexpr double kReadableContrast = 4.5;
inline constexpr double kDisabledContrast = 2.2;
// What sets a control's state apart from its surroundings (the edge of a pressed button).
inline constexpr double kStateContrast = 3.0;

double RelativeLuminance(const wxColour& colour);
double ContrastRatio(const wxColour& a, const wxColour& b);

// `text` when it keeps `ratio` against every one of the backgrounds; otherwise the colour
// nearest to it, mixed toward black or toward white, that keeps 7 : 1 (or, where none
// does, `ratio`; where none does that, the one that comes closest).
wxColour ReadableOn(const wxColour& text, std::initializer_list<wxColour> backgrounds,
                    double ratio = kReadableContrast);

// `colour` moved toward black or white just far enough to keep `ratio` against every
// background (or, where it cannot, to black or white, whichever comes closer): for the
// edges and fills that mark a state, which need to be told apart, not read.
wxColour MoveApart(const wxColour& colour, std::initializer_list<wxColour> backgrounds, double ratio);

// The neutral grey of a greyed-out caption: on the same side of the background as the
// caption's own colour, at kDisabledContrast.
wxColour DisabledOn(const wxColour& text, const wxColour& background);

// The picture with its outline (the opaque pixels at the edge of its shape, and the
// half-transparent rim around them) moved toward black or white until every opaque
// outline pixel keeps `ratio` against `background`; its inside keeps its colours. The
// result is cached per picture and background.
wxBitmap ReadableOn(const wxBitmap& picture, const wxColour& background, double ratio = kReadableContrast);

// The lowest contrast against `background` among the opaque outline pixels of the picture
// (21 for a picture without any).
double OutlineContrast(const wxImage& picture, const wxColour& background);

} // namespace kelmora
