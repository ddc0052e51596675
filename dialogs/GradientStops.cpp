#include "dialogs/GradientStops.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

void SortByPosition(GradientStopList& stops)
{
    std::stable_sort(stops.begin(), stops.end(),
                     [](const GradientStop& a, const GradientStop& b) { return a.position < b.position; });
}

bool IsStopIndex(const GradientStopList& stops, int32_t index)
{
    return index >= 0 && size_t(index) < stops.size();
}

// Half-open rectangle test: right and bottom edges are outside.
bool Inside(int32_t x, int32_t y, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return x >= left && x < right && y >= top && y < bottom;
}

} // namespace

float StopMarkerGeometry::PositionAt(int32_t x) const
{
    if (stripWidth <= 0)
        return x > stripLeft ? 1.0f : 0.0f;
    const double p = double(x - int64_t(stripLeft)) / stripWidth;
    return float(std::clamp(p, 0.0, 1.0));
}

int32_t StopMarkerGeometry::HitTest(const GradientStopList& stops, int32_t x, int32_t y) const
{
    const int32_t mid = barHeight / 2;
    if (Inside(x, y, 0, mid - 3, 6, mid + 3))
        return kStartHandle;
    if (Inside(x, y, barWidth - 7, mid - 3, barWidth, mid + 3))
        return kEndHandle;
    for (size_t i = 0; i < stops.size(); ++i) {
        const double mx = MarkerX(stops[i].position);
        if (!std::isfinite(mx))
            continue;
        if (Inside(x, y, int32_t(std::trunc(mx - 4)), mid - 4, int32_t(std::trunc(mx + 4)), mid + 4))
            return int32_t(i);
    }
    return kNoStop;
}

int32_t AddGradientStop(GradientStopList& stops, float position, uint32_t colour)
{
    stops.push_back({position, colour});
    SortByPosition(stops);
    for (size_t i = 0; i < stops.size(); ++i) {
        if (stops[i].position == position)
            return int32_t(i);
    }
    return int32_t(stops.size()) - 1; // only for a position that is not a number
}

int32_t MoveGradientStop(GradientStopList& stops, int32_t index, float position)
{
    if (!IsStopIndex(stops, index))
        return index;
    const uint32_t colour = stops[size_t(index)].colour;
    stops[size_t(index)].position = position;
    SortByPosition(stops);
    for (size_t i = 0; i < stops.size(); ++i) {
        if (stops[i].position == position && stops[i].colour == colour)
            return int32_t(i);
    }
    return index;
}

bool RemoveGradientStop(GradientStopList& stops, int32_t index)
{
    if (!IsStopIndex(stops, index))
        return false;
    stops.erase(stops.begin() + index);
    return true;
}

uint32_t GetGradientStopColour(const GradientStopList& stops, uint32_t start, uint32_t end, int32_t index)
{
    if (index == kStartHandle)
        return start;
    if (index == kEndHandle)
        return end;
    return IsStopIndex(stops, index) ? stops[size_t(index)].colour : 0;
}

bool SetGradientStopColour(GradientStopList& stops, uint32_t& start, uint32_t& end, int32_t index, uint32_t colour)
{
    if (index == kStartHandle)
        start = colour;
    else if (index == kEndHandle)
        end = colour;
    else if (IsStopIndex(stops, index))
        stops[size_t(index)].colour = colour;
    else
        return false;
    return true;
}

} // namespace kelmora
