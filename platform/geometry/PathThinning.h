#pragma once
// Thinning a path down to what a small picture of it can show. A drawing of a million
// points, or a word of sixty thousand letters, squeezed into a picture a few dozen pixels
// across puts thousands of edges into every pixel row, and the rasteriser's cost grows
// faster than the number of edges: the picture would take many times longer than a large
// one of the same drawing. Thinned, the path costs about what its picture shows.

#include "platform/geometry/GraphicsPath.h"
#include "platform/geometry/Matrix.h"

#include <optional>

namespace kelmora {

// Within a figure, points closer than this (device pixels) to the last point kept are
// left out: a tenth of a pixel moves no edge by more than antialiasing shows.
inline constexpr float kThinSpacing = 0.1f;
// A path with more points than this for every pixel of its extent on the device (width
// plus height) is thinned, and keeps no more than that. Ordinary shapes and text have a
// few points per pixel even in a 64-pixel picture and are drawn as they are. A figure far
// more winding than the limit allows after spacing (a zigzag of sub-pixel teeth) keeps
// only every n-th point, n odd, so that it still fills the band it winds through.
inline constexpr float kThinPointsPerPixel = 128.0f;

// The path, in its own coordinates, flattened and thinned as it appears through `toDevice`:
// curves become straight lines within kThinSpacing, each figure keeps its first and last
// point and its close flag, the fill mode stays. Nothing when the path has no more points
// than kThinPointsPerPixel for each pixel of its extent (it is to be drawn as it is), or
// when `toDevice` cannot be inverted.
std::optional<GraphicsPath> ThinnedPath(const GraphicsPath& path, const Matrix& toDevice);

} // namespace kelmora
