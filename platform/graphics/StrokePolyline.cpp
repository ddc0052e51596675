#include "platform/graphics/StrokePolyline.h"

#include <algorithm>

namespace kelmora {

StrokePolyline::StrokePolyline(std::vector<StrokeVec> points) : m_points(std::move(points))
{
    m_lengths.reserve(m_points.size());
    m_lengths.push_back(0.0);
    for (size_t i = 1; i < m_points.size(); ++i)
        m_lengths.push_back(m_lengths.back() + (m_points[i] - m_points[i - 1]).Length());
}

size_t StrokePolyline::SegmentAt(double s, bool preferNext) const
{
    size_t segments = m_points.size() - 1;
    // First vertex beyond s (or at or beyond it, when the segment before is wanted).
    auto first = preferNext ? std::upper_bound(m_lengths.begin(), m_lengths.end(), s)
                            : std::lower_bound(m_lengths.begin(), m_lengths.end(), s);
    size_t vertex = size_t(first - m_lengths.begin());
    size_t segment = vertex == 0 ? 0 : vertex - 1;
    return std::min(segment, segments - 1);
}

StrokeVec StrokePolyline::PointAt(double s) const
{
    size_t i = SegmentAt(s, true);
    double span = m_lengths[i + 1] - m_lengths[i];
    double t = span > 0.0 ? std::clamp((s - m_lengths[i]) / span, 0.0, 1.0) : 0.0;
    return m_points[i] + (m_points[i + 1] - m_points[i]) * t;
}

StrokeVec StrokePolyline::DirectionAt(double s, bool preferNext) const
{
    size_t i = SegmentAt(s, preferNext);
    return (m_points[i + 1] - m_points[i]).Normalized();
}

std::vector<StrokeVec> StrokePolyline::Extract(double a, double b) const
{
    size_t first = SegmentAt(a, true);
    size_t last = SegmentAt(b, false);
    std::vector<StrokeVec> result;
    result.push_back(PointAt(a));
    for (size_t vertex = first + 1; vertex <= last; ++vertex)
        result.push_back(m_points[vertex]);
    result.push_back(PointAt(b));
    return result;
}

// Compacts in place: no second vector.
std::vector<StrokeVec> WithoutRepeats(std::vector<StrokeVec> points, double epsilon)
{
    size_t kept = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        if (kept == 0 || (points[i] - points[kept - 1]).Length() > epsilon)
            points[kept++] = points[i];
    }
    points.resize(kept);
    return points;
}

} // namespace kelmora
