// Storage, figure control and the straight-edged builders of GraphicsPath.

#include "platform/geometry/GraphicsPath.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

// Room for `count` more points without growing on the way. A long polygon is taken in at
// its own size: doubling towards millions of points would copy them over and over, and
// hold up to twice their size at the end. Growth stays geometric for paths built from
// many short runs.
void ReserveFor(std::vector<PointF>& points, std::vector<uint8_t>& types, size_t count)
{
    if (points.capacity() - points.size() < count) {
        const size_t wanted = std::max(points.size() + count, points.capacity() * 2);
        points.reserve(wanted);
        types.reserve(wanted);
    }
}

bool AllFinite(std::span<const PointF> points)
{
    return std::all_of(points.begin(), points.end(), [](PointF p) { return p.IsFinite(); });
}

bool IsUsableRect(const RectF& rect)
{
    return rect.IsFinite() && rect.Width != 0.0f && rect.Height != 0.0f;
}

} // namespace

std::optional<GraphicsPath> GraphicsPath::FromPathData(std::span<const PointF> points, std::span<const uint8_t> types,
                                                       FillMode fillMode)
{
    if (points.size() != types.size() || !AllFinite(points))
        return std::nullopt;
    size_t count = types.size();
    for (size_t i = 0; i < count;) {
        uint8_t type = types[i];
        if ((type & ~(PathPointType::TypeMask | PathPointType::FlagMask)) != 0)
            return std::nullopt;
        int needed = PointsForPathType(type);
        if (needed == 0)
            return std::nullopt;
        uint8_t kind = PathTypeKind(type);
        bool figureOpen = i > 0 && !IsClosingPathType(types[i - 1]);
        if (kind != PathPointType::Start && !figureOpen)
            return std::nullopt; // a segment with no open figure to continue
        if (i + needed > count)
            return std::nullopt;
        for (int k = 1; k < needed; ++k) {
            // The controls of a Bézier belong to one segment: same kind, no close flag
            // before its end point.
            if (PathTypeKind(types[i + k]) != kind || IsClosingPathType(types[i + k - 1]))
                return std::nullopt;
        }
        i += needed;
    }
    GraphicsPath path(fillMode);
    path.m_points.assign(points.begin(), points.end());
    path.m_types.assign(types.begin(), types.end());
    // Further builders continue an open last figure, as they would on the path that was stored.
    path.m_startNewFigure = path.m_types.empty() || IsClosingPathType(path.m_types.back());
    return path;
}

std::optional<PointF> GraphicsPath::GetLastPoint() const
{
    if (m_points.empty())
        return std::nullopt;
    return m_points.back();
}

void GraphicsPath::Changed()
{
    m_cachedBounds.reset();
    m_cachedFlattened.reset();
}

void GraphicsPath::Append(PointF point, uint8_t type)
{
    // Room for a whole shape at once (a star, an ellipse's Béziers) rather than doubling
    // from one point: paths are built anew at every paint.
    if (m_points.capacity() == 0) {
        m_points.reserve(kFirstCapacity);
        m_types.reserve(kFirstCapacity);
    }
    m_points.push_back(point);
    m_types.push_back(type);
}

void GraphicsPath::BeginOpenRun(PointF first)
{
    if (m_startNewFigure || m_points.empty()) {
        Append(first, PathPointType::Start);
        m_startNewFigure = false;
    } else if (m_points.back() != first) {
        Append(first, PathPointType::Line);
    }
}

void GraphicsPath::EndClosedFigure()
{
    m_types.back() |= PathPointType::CloseSubpath;
    m_startNewFigure = true;
}

void GraphicsPath::AppendBeziers(std::span<const PointF> points)
{
    for (PointF p : points)
        Append(p, PathPointType::Bezier);
}

void GraphicsPath::Reset()
{
    m_points.clear();
    m_types.clear();
    m_fillMode = FillMode::Alternate;
    m_startNewFigure = true;
    Changed();
}

void GraphicsPath::StartFigure()
{
    m_startNewFigure = true;
}

void GraphicsPath::CloseFigure()
{
    if (!m_startNewFigure && !m_types.empty() && !IsClosingPathType(m_types.back())) {
        m_types.back() |= PathPointType::CloseSubpath;
        Changed();
    }
    m_startNewFigure = true;
}

void GraphicsPath::CloseAllFigures()
{
    bool changed = false;
    for (size_t i = 0; i < m_types.size(); ++i) {
        bool lastOfFigure = i + 1 == m_types.size() || PathTypeKind(m_types[i + 1]) == PathPointType::Start;
        if (lastOfFigure && !IsClosingPathType(m_types[i])) {
            m_types[i] |= PathPointType::CloseSubpath;
            changed = true;
        }
    }
    if (changed)
        Changed();
    m_startNewFigure = true;
}

void GraphicsPath::SetMarker()
{
    if (!m_types.empty()) {
        m_types.back() |= PathPointType::Marker;
        Changed();
    }
}

void GraphicsPath::ClearMarkers()
{
    for (uint8_t& type : m_types)
        type &= uint8_t(~PathPointType::Marker);
    Changed();
}

void GraphicsPath::Reverse()
{
    size_t count = m_points.size();
    if (count < 2)
        return;
    std::vector<PointF> points;
    std::vector<uint8_t> types;
    points.reserve(count);
    types.reserve(count);
    // Figures are taken from the last to the first, each read backwards. The segment that
    // now ends at old point i − 1 is the one that used to end at old point i, so it keeps
    // that point's kind.
    size_t end = count;
    while (end > 0) {
        size_t start = end - 1;
        while (start > 0 && PathTypeKind(m_types[start]) != PathPointType::Start)
            --start;
        bool closed = IsClosingPathType(m_types[end - 1]);
        for (size_t i = end; i-- > start;) {
            uint8_t marker = m_types[i] & PathPointType::Marker;
            uint8_t kind = i == end - 1 ? PathPointType::Start : PathTypeKind(m_types[i + 1]);
            points.push_back(m_points[i]);
            types.push_back(kind | marker);
        }
        if (closed)
            types.back() |= PathPointType::CloseSubpath;
        end = start;
    }
    m_points = std::move(points);
    m_types = std::move(types);
    Changed();
}

bool GraphicsPath::AddLine(PointF from, PointF to)
{
    PointF points[] = {from, to};
    return AddLines(points);
}

bool GraphicsPath::AddLines(std::span<const PointF> points)
{
    if (points.size() < 2 || !AllFinite(points))
        return false;
    ReserveFor(m_points, m_types, points.size());
    BeginOpenRun(points[0]);
    for (size_t i = 1; i < points.size(); ++i)
        Append(points[i], PathPointType::Line);
    Changed();
    return true;
}

bool GraphicsPath::AddPolygon(std::span<const PointF> points)
{
    if (points.size() < 2 || !AllFinite(points))
        return false;
    ReserveFor(m_points, m_types, points.size());
    Append(points[0], PathPointType::Start);
    for (size_t i = 1; i < points.size(); ++i)
        Append(points[i], PathPointType::Line);
    EndClosedFigure();
    Changed();
    return true;
}

bool GraphicsPath::AddRectangle(const RectF& rect)
{
    return AddRectangles(std::span<const RectF>(&rect, 1));
}

bool GraphicsPath::AddRectangles(std::span<const RectF> rects)
{
    if (rects.empty() || !std::all_of(rects.begin(), rects.end(), IsUsableRect))
        return false;
    for (const RectF& r : rects) {
        Append(PointF(r.X, r.Y), PathPointType::Start);
        Append(PointF(r.GetRight(), r.Y), PathPointType::Line);
        Append(PointF(r.GetRight(), r.GetBottom()), PathPointType::Line);
        Append(PointF(r.X, r.GetBottom()), PathPointType::Line);
        EndClosedFigure();
    }
    Changed();
    return true;
}

bool GraphicsPath::AddBezier(PointF p1, PointF c1, PointF c2, PointF p2)
{
    PointF points[] = {p1, c1, c2, p2};
    return AddBeziers(points);
}

bool GraphicsPath::AddBeziers(std::span<const PointF> points)
{
    if (points.size() < 4 || (points.size() - 1) % 3 != 0 || !AllFinite(points))
        return false;
    BeginOpenRun(points[0]);
    AppendBeziers(points.subspan(1));
    Changed();
    return true;
}

bool GraphicsPath::AddPath(const GraphicsPath& path, bool connect)
{
    if (path.m_points.empty())
        return false;
    // Copy first: the source may be this very path.
    std::vector<PointF> points = path.m_points;
    std::vector<uint8_t> types = path.m_types;
    size_t first = 0;
    bool canConnect = connect && !m_startNewFigure && !m_points.empty();
    if (canConnect) {
        if (m_points.back() == points[0]) {
            first = 1; // the figure already ends where the added one begins
        } else {
            types[0] = PathPointType::Line | (types[0] & PathPointType::FlagMask);
        }
    }
    for (size_t i = first; i < points.size(); ++i)
        Append(points[i], types[i]);
    if (first == 1 && IsClosingPathType(types[0]))
        m_types.back() |= PathPointType::CloseSubpath; // a one-point closed figure merged away
    m_startNewFigure = IsClosingPathType(m_types.back());
    Changed();
    return true;
}

bool GraphicsPath::Transform(const Matrix& matrix)
{
    if (!matrix.IsFinite())
        return false;
    // The identity maps every finite point onto itself: nothing to map, nothing derived
    // to clear.
    if (matrix.IsIdentity())
        return AllFinite(m_points);
    // Checked first and mapped in place after, so that a refused transform leaves the path
    // as it was without a copy of it: paths are transformed at every paint.
    for (PointF p : m_points) {
        if (!matrix.TransformPoint(p).IsFinite())
            return false;
    }
    matrix.TransformPoints(m_points);
    Changed();
    return true;
}

} // namespace kelmora
