#pragma once
// Text laid along a curve: the characters of a text object whose text style is an arc or
// an ellipse, each in a box of its own, turned to the direction of the curve.

#include "platform/geometry/GraphicsPath.h"
#include "platform/text/FontFamily.h"
#include "platform/text/FontStyle.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace kelmora {

// The guide is flattened this finely before the characters are placed on it.
inline constexpr float kTextGuideFlatness = 0.7f;

// Points along the polyline `points`, each `spacing` away (in a straight line) from the
// one before, the first being the polyline's first point; at most `maxSamples`, fewer
// when the polyline ends first. From each sample the walk goes on along the polyline
// from where it stands, taking the point of the current or a later segment at exactly
// that distance; where a segment holds two such points, the one with the larger x, and on
// a vertical segment the upper one.
std::vector<PointF> ResampleByChord(std::span<const PointF> points, float spacing, size_t maxSamples);

// The angle in degrees that turns a character set between samples p0 and p1, `spacing`
// apart, to the direction from p0 to p1: 0 for a chord running right, negative where it
// rises, positive where it falls. 0 when the samples coincide.
float ChordAngle(PointF p0, PointF p1, float spacing);

// Adds the characters of `text` (one per code point) to `out`, character i between
// samples i and i + 1 of the flattened `guide` taken `spacing` apart: laid out centred in
// a box `spacing` square, turned to the direction from the first sample to the second,
// and placed with the box's corner a quarter of the way along. Characters beyond the
// guide's last pair of samples are dropped. Each character's outlines are figures of
// their own.
void AddTextAlongGuide(const GraphicsPath& guide, GraphicsPath& out, std::string_view text, const FontFamily& family,
                       FontStyle style, float emSize, float spacing);

} // namespace kelmora
