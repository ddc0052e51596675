#pragma once
// The inner colour stops of a gradient strip and the marker bar's geometry, free of any
// window so that the rules can be exercised on their own.
//
// A stop list is kept in ascending position order; the start and end colours are not
// stops, they sit at 0 and 1 and are held by whoever shows the strip. The marker bar shows
// a square handle at each end and one triangle per stop at position × strip width + strip
// left; hit rectangles exclude their right and bottom edges and stops are tested in list
// order, the first hit winning.

#include <cstdint>
#include <vector>

namespace kelmora {

struct GradientStop {
    float position = 0.0f; // 0.0 (start) to 1.0 (end)
    uint32_t colour = 0;   // ARGB
};

using GradientStopList = std::vector<GradientStop>;

// Selection of the marker bar: a stop index (≥ 0) or one of these.
inline constexpr int32_t kStartHandle = -1;
inline constexpr int32_t kEndHandle = -2;
inline constexpr int32_t kNoStop = -3;

// The colour a stop added by the user starts with: opaque black.
inline constexpr uint32_t kNewStopColour = 0xFF000000;

// Where the strip lies within the marker bar, and the bar's own size, in pixels.
struct StopMarkerGeometry {
    int32_t stripLeft = 0;
    int32_t stripWidth = 0;
    int32_t barWidth = 0;
    int32_t barHeight = 0;

    // The marker x of a stop at `position`.
    double MarkerX(float position) const { return double(position) * stripWidth + stripLeft; }
    // The strip position under bar x, clamped to 0..1. A strip without width gives 0 left
    // of (or at) its left edge and 1 right of it rather than a position that is not a number.
    float PositionAt(int32_t x) const;
    // What bar point (x, y) hits: kStartHandle, kEndHandle, a stop index or kNoStop.
    int32_t HitTest(const GradientStopList& stops, int32_t x, int32_t y) const;
};

// Appends {position, colour}, re-sorts stably (equal positions keep their order) and
// returns the first index whose position equals `position`.
int32_t AddGradientStop(GradientStopList& stops, float position, uint32_t colour = kNewStopColour);

// Moves stop `index` to `position` keeping its colour, re-sorts stably and returns the
// first index holding that position and colour. An index outside the list changes nothing
// and is returned as it is.
int32_t MoveGradientStop(GradientStopList& stops, int32_t index, float position);

// Removes stop `index`; false for an index outside the list (the start and end are no stops
// and so cannot be removed).
bool RemoveGradientStop(GradientStopList& stops, int32_t index);

// Colour of `index` among the strip's colours: kStartHandle the start, kEndHandle the end,
// otherwise the stop. Nothing is changed (and 0 read) for an index that is none of these.
uint32_t GetGradientStopColour(const GradientStopList& stops, uint32_t start, uint32_t end, int32_t index);
bool SetGradientStopColour(GradientStopList& stops, uint32_t& start, uint32_t& end, int32_t index, uint32_t colour);

} // namespace kelmora
