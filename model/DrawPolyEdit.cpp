// Point editing of polylines: removing a point, inserting one on the outline, breaking the
// outline at a point, and joining two polylines at their end points.
//
// Custom paths carry one type byte per point, and the bytes must always describe a path
// (a Start first, Bézier points in whole runs of three, a close flag only before a Start
// or at the end). Every edit works on copies of the arrays, checks the result with the
// same test that path building applies, and changes the object only when it passes.

#include "model/DrawPoly.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>

namespace kelmora {

namespace {

// The stroke width within which a click counts as on the outline.
constexpr float kInsertHitWidth = 15.0f;
// Distance along the diagonal of the controls made up around an inserted Bézier anchor.
constexpr float kCustomInsertSpread = 30.0f;
constexpr float kBezierInsertSpread = 120.0f;

struct PointList {
    std::vector<PointF> points;
    std::vector<uint8_t> types;   // empty unless the list is a custom path

    int Count() const { return int(points.size()); }
    bool IsBezier(int i) const
    {
        return i >= 0 && i < int(types.size()) && PathTypeKind(types[size_t(i)]) == PathPointType::Bezier;
    }
    bool IsStart(int i) const
    {
        return i >= 0 && i < int(types.size()) && PathTypeKind(types[size_t(i)]) == PathPointType::Start;
    }
    void Erase(int first, int count)
    {
        points.erase(points.begin() + first, points.begin() + first + count);
        if (!types.empty())
            types.erase(types.begin() + first, types.begin() + first + count);
    }
    void Insert(int at, std::span<const PointF> pts, uint8_t type)
    {
        points.insert(points.begin() + at, pts.begin(), pts.end());
        if (!types.empty())
            types.insert(types.begin() + at, pts.size(), type);
    }
};

bool IsValidPath(const PointList& list)
{
    return GraphicsPath::FromPathData(list.points, list.types).has_value();
}

PointList PointsOf(const CDrawPoly& poly)
{
    PointList list;
    const size_t n = size_t(std::max(poly.m_nPoints, 0));
    list.points.assign(poly.m_points.begin(), poly.m_points.begin() + ptrdiff_t(n));
    if (poly.m_pointTypes.size() >= n)
        list.types.assign(poly.m_pointTypes.begin(), poly.m_pointTypes.begin() + ptrdiff_t(n));
    return list;
}

PointList PointsOf(const GraphicsPath& path)
{
    return {std::vector<PointF>(path.Points().begin(), path.Points().end()),
            std::vector<uint8_t>(path.Types().begin(), path.Types().end())};
}

// Removes point k of a custom path with whatever has to go with it. False when the
// result would not be a path.
bool RemoveCustomPoint(PointList& list, int k)
{
    const int n = list.Count();
    int first = k;
    int count = 1;
    bool opensFigure = false;
    if (!list.IsBezier(k)) {
        // A figure's start takes the controls of a Bézier that leaves it; the point after
        // it opens the figure.
        if (list.IsStart(k)) {
            opensFigure = true;
            if (list.IsBezier(k + 1) && list.IsBezier(k + 2))
                count = 3;
        }
    } else if (k == n - 1) {
        first = n - 3;
        count = 3;
    } else if (list.IsBezier(k - 1) && list.IsBezier(k + 1)) {
        first = k - 1;
        count = 3;
    } else if (list.IsBezier(k + 1)) {
        count = 3;
    } else {
        first = k - 2;
        count = 3;
    }
    if (first < 0 || first + count > n)
        return false;

    const bool closing = IsClosingPathType(list.types[size_t(first + count - 1)]);
    list.Erase(first, count);
    if (opensFigure) {
        if (first < list.Count() && !list.IsStart(first))
            list.types[size_t(first)] = PathPointType::Start;
    } else if (closing && first > 0 && !list.IsStart(first - 1)) {
        // The figure stays closed: the point before the removed ones now ends it.
        list.types[size_t(first - 1)] |= PathPointType::CloseSubpath;
    }
    if (!list.types.empty())
        list.types[0] = PathPointType::Start;
    return IsValidPath(list);
}

// Whether `p` lies under a stroke kInsertHitWidth wide along the piece.
bool HitsLine(PointF p, PointF a, PointF b)
{
    PenGeometry pen;
    pen.width = kInsertHitWidth;
    GraphicsPath piece;
    return piece.AddLine(a, b) && piece.IsOutlineVisible(p, pen);
}

bool HitsBezier(PointF p, std::span<const PointF> four)
{
    PenGeometry pen;
    pen.width = kInsertHitWidth;
    GraphicsPath piece;
    return piece.AddBezier(four[0], four[1], four[2], four[3]) && piece.IsOutlineVisible(p, pen);
}

std::array<PointF, 3> AnchorWithControls(PointF p, float spread)
{
    return {PointF(p.X - spread, p.Y - spread), p, PointF(p.X + spread, p.Y + spread)};
}

// Inserts p into a custom path; the index of the new point or -1.
int InsertIntoCustom(PointList& list, PointF p, bool closedFlag)
{
    const int n = list.Count();
    int figureStart = 0;
    for (int i = 1; i <= n; ++i) {
        // The closing edge of a closed figure ends at the point before the next Start.
        const bool lastOfFigure = i == n || list.IsStart(i);
        const bool closes = IsClosingPathType(list.types[size_t(i - 1)]) || (i == n && closedFlag);
        if (lastOfFigure && closes && HitsLine(p, list.points[size_t(i - 1)], list.points[size_t(figureStart)])) {
            const uint8_t closeFlag = list.types[size_t(i - 1)] & PathPointType::CloseSubpath;
            list.types[size_t(i - 1)] &= uint8_t(~PathPointType::CloseSubpath);
            list.Insert(i, std::span<const PointF>(&p, 1), uint8_t(PathPointType::Line | closeFlag));
            return i;
        }
        if (i == n)
            break;
        if (list.IsStart(i)) {
            figureStart = i;
            continue;
        }
        if (list.IsBezier(i)) {
            if (i + 2 < n && HitsBezier(p, std::span<const PointF>(list.points).subspan(size_t(i - 1), 4))) {
                // A new anchor at p between the segment's controls, with its own controls.
                const auto added = AnchorWithControls(p, kCustomInsertSpread);
                list.Insert(i + 1, added, PathPointType::Bezier);
                return i + 2;
            }
            i += 2;   // with the loop's step: the next segment starts at the run's anchor
        } else if (HitsLine(p, list.points[size_t(i - 1)], list.points[size_t(i)])) {
            list.Insert(i, std::span<const PointF>(&p, 1), PathPointType::Line);
            return i;
        }
    }
    return -1;
}

// Page-space copies of an object's points.
std::vector<PointF> PagePoints(const CDrawPoly& poly)
{
    std::vector<PointF> pts = PointsOf(poly).points;
    poly.m_pMatrix->TransformPoints(pts);
    return pts;
}

// Two pieces put end to end; the joint is the first point of `tail`. Without keepBoth the
// other object's end point, `tail`'s first point or `head`'s last (`dropHeadEnd`), goes.
struct JoinedPieces {
    PointList head;
    PointList tail;
    bool dropHeadEnd = false;
};

// Orients the pieces so that the picked end points meet: `mine` joins at its first point
// unless `mineLast`, `theirs` at its last point when `theirsLast`. Reverse reverses a
// piece, keeping it a valid list of points.
template <class Piece, class ReverseFn>
void Arrange(Piece mine, Piece theirs, bool mineLast, bool theirsLast, ReverseFn reverse, Piece& head, Piece& tail,
             bool& dropHeadEnd)
{
    if (mineLast) {
        if (theirsLast)
            reverse(theirs);
        head = std::move(mine);
        tail = std::move(theirs);
        dropHeadEnd = false;
    } else {
        if (!theirsLast)
            reverse(theirs);
        head = std::move(theirs);
        tail = std::move(mine);
        dropHeadEnd = true;
    }
}

bool IsCompleteBezier(const CDrawPoly& poly)
{
    return poly.m_nPoints >= 4 && (poly.m_nPoints - 1) % 3 == 0;
}

// ---- Breaking an outline

// Samples along a Bézier segment when looking for the point nearest to a click, and the
// parameter distance below which a break would fall on the segment's end.
constexpr int kBezierSamples = 64;
constexpr double kEndParameter = 1e-3;

PointF Lerp(PointF a, PointF b, double t)
{
    return PointF(float(a.X + (b.X - a.X) * t), float(a.Y + (b.Y - a.Y) * t));
}

double DistanceSquared(PointF a, PointF b)
{
    const double dx = double(a.X) - b.X;
    const double dy = double(a.Y) - b.Y;
    return dx * dx + dy * dy;
}

// The parameter (0..1) of the point of segment a-b nearest to p.
double NearestOnLine(PointF p, PointF a, PointF b)
{
    const double dx = double(b.X) - a.X;
    const double dy = double(b.Y) - a.Y;
    const double length = dx * dx + dy * dy;
    if (length <= 0.0)
        return 0.0;
    return std::clamp(((double(p.X) - a.X) * dx + (double(p.Y) - a.Y) * dy) / length, 0.0, 1.0);
}

PointF BezierAt(std::span<const PointF> q, double t)
{
    const PointF a = Lerp(q[0], q[1], t), b = Lerp(q[1], q[2], t), c = Lerp(q[2], q[3], t);
    return Lerp(Lerp(a, b, t), Lerp(b, c, t), t);
}

// The parameter of the point of the cubic nearest to p: the best of even samples, then
// refined by a second pass around it.
double NearestOnBezier(PointF p, std::span<const PointF> q)
{
    double best = 0.0;
    double bestDistance = DistanceSquared(p, q[0]);
    double step = 1.0 / kBezierSamples;
    for (int pass = 0; pass < 2; ++pass) {
        const double from = std::max(best - step, 0.0);
        const double to = std::min(best + step, 1.0);
        const double around = pass == 0 ? 0.0 : from;
        const double width = pass == 0 ? 1.0 : to - from;
        for (int i = 0; i <= kBezierSamples; ++i) {
            const double t = around + width * i / kBezierSamples;
            const double d = DistanceSquared(p, BezierAt(q, t));
            if (d < bestDistance) {
                bestDistance = d;
                best = t;
            }
        }
        step = width / kBezierSamples;
    }
    return best;
}

// The cubic q split at t: the first half's controls and end, then the second half's
// controls (its end is q[3]).
std::array<PointF, 5> SplitBezier(std::span<const PointF> q, double t)
{
    const PointF a = Lerp(q[0], q[1], t), b = Lerp(q[1], q[2], t), c = Lerp(q[2], q[3], t);
    const PointF ab = Lerp(a, b, t), bc = Lerp(b, c, t);
    return {a, ab, Lerp(ab, bc, t), bc, c};
}

// Breaks the figure [s, e] of `list` on the segment that ends at point `i` (the closing
// edge when i is e + 1), at parameter t. `split` holds what the segment becomes: for a
// line the break point alone, for a Bézier the five points of SplitBezier. A closed figure
// becomes one open figure that starts and ends at the break; an open one becomes two.
PointList BreakFigure(const PointList& list, int s, int e, int i, std::span<const PointF> split, bool closed)
{
    using namespace PathPointType;
    PointList out;
    auto push = [&out](PointF point, uint8_t type) {
        out.points.push_back(point);
        out.types.push_back(type);
    };
    auto append = [&](int from, int to) {
        for (int k = from; k <= to; ++k)
            push(list.points[size_t(k)], uint8_t(list.types[size_t(k)] & ~CloseSubpath));
    };
    for (int k = 0; k < s; ++k)
        push(list.points[size_t(k)], list.types[size_t(k)]);

    const bool bezier = split.size() == 5;
    const PointF at = bezier ? split[2] : split[0];
    // The segment's first part, from the point before the break to the break, and its
    // second part, from the break on.
    auto firstPart = [&] {
        if (bezier) {
            push(split[0], Bezier);
            push(split[1], Bezier);
            push(at, Bezier);
        } else {
            push(at, Line);
        }
    };
    auto secondPart = [&] {
        push(at, Start);
        if (bezier) {
            push(split[3], Bezier);
            push(split[4], Bezier);
            push(list.points[size_t(i + 2)], Bezier);
        }
    };
    const int next = bezier ? i + 3 : i;   // the first point after the broken segment
    if (!closed) {
        append(s, i - 1);
        firstPart();
        secondPart();
        append(next, e);
    } else if (i > e) {
        // The closing edge: the figure runs from the break round to the break.
        push(at, Start);
        push(list.points[size_t(s)], Line);
        append(s + 1, e);
        push(at, Line);
    } else {
        secondPart();
        append(next, e);
        push(list.points[size_t(s)], Line);   // the closing edge, now an edge like the others
        append(s + 1, i - 1);
        firstPart();
    }
    for (int k = e + 1; k < list.Count(); ++k)
        push(list.points[size_t(k)], list.types[size_t(k)]);
    out.types[0] = Start;
    return out;
}

// Breaks `list` where p lies on it; false when it lies on no segment, or at an open end.
bool BreakOutline(PointList& list, PointF p)
{
    const int n = list.Count();
    if (int(list.types.size()) != n)
        return false;
    for (int s = 0; s < n;) {
        int e = s;
        while (e + 1 < n && !list.IsStart(e + 1))
            ++e;
        const bool closed = IsClosingPathType(list.types[size_t(e)]);
        for (int i = s + 1; i <= e;) {
            if (list.IsBezier(i)) {
                if (i + 2 > e)
                    break;
                const std::span<const PointF> q = std::span<const PointF>(list.points).subspan(size_t(i - 1), 4);
                if (HitsBezier(p, q)) {
                    const double t = NearestOnBezier(p, q);
                    const bool atOpenEnd = !closed && ((i - 1 == s && t < kEndParameter) || (i + 2 == e && t > 1.0 - kEndParameter));
                    if (atOpenEnd)
                        return false;
                    list = BreakFigure(list, s, e, i, SplitBezier(q, t), closed);
                    return true;
                }
                i += 3;
                continue;
            }
            const PointF a = list.points[size_t(i - 1)];
            const PointF b = list.points[size_t(i)];
            if (HitsLine(p, a, b)) {
                const double t = NearestOnLine(p, a, b);
                if (!closed && ((i - 1 == s && t < kEndParameter) || (i == e && t > 1.0 - kEndParameter)))
                    return false;
                const PointF at = Lerp(a, b, t);
                list = BreakFigure(list, s, e, i, std::span<const PointF>(&at, 1), closed);
                return true;
            }
            ++i;
        }
        if (closed && e > s && HitsLine(p, list.points[size_t(e)], list.points[size_t(s)])) {
            const PointF at = Lerp(list.points[size_t(e)], list.points[size_t(s)],
                                   NearestOnLine(p, list.points[size_t(e)], list.points[size_t(s)]));
            list = BreakFigure(list, s, e, e + 1, std::span<const PointF>(&at, 1), closed);
            return true;
        }
        s = e + 1;
    }
    return false;
}

} // namespace

bool CDrawPoly::CanDeletePoint() const
{
    switch (m_nShapeType) {
    case ShapeType::Bezier:
        return m_nPoints > 4;
    case ShapeType::Custom:
        if (m_nPoints > 4)
            return true;
        for (int i = 0; i < m_nPoints; ++i) {
            if (IsBezierPoint(i))
                return false;
        }
        return m_nPoints > 2;
    default:
        return m_nPoints > 2;
    }
}

bool CDrawPoly::CanInsertPoint() const
{
    return true;
}

bool CDrawPoly::DeletePoint(int handle, ViewServices* pView)
{
    const int k = handle - kFirstPointHandle;
    if (k < 0 || k >= m_nPoints || !CanDeletePoint())
        return false;
    PointList list = PointsOf(*this);
    const int n = list.Count();

    switch (m_nShapeType) {
    case ShapeType::Custom:
        if (int(list.types.size()) != n || !RemoveCustomPoint(list, k))
            return false;
        break;
    case ShapeType::Bezier:
        // Only anchors go, each with its two controls.
        if (k % 3 != 0)
            return false;
        if (k == 0)
            list.Erase(0, 3);
        else if (k + 3 >= n)
            list.Erase(n - 3, 3);
        else
            list.Erase(k - 1, 3);
        break;
    default:
        list.Erase(k, 1);
        break;
    }
    if (list.Count() < 2)
        return false;

    SetPoints(std::move(list.points), std::move(list.types));
    RefreshAfterPointChange(true, pView);
    return true;
}

int CDrawPoly::InsertPoint(CPoint point, ViewServices* pView)
{
    const std::optional<PointF> mapped = ViewToObjectPoint(point, pView);
    if (!mapped || !mapped->IsFinite())
        return -1;
    const PointF p = *mapped;
    PointList list = PointsOf(*this);
    const int n = list.Count();
    int index = -1;

    switch (m_nShapeType) {
    case ShapeType::Custom:
        if (n >= 1 && int(list.types.size()) == n) {
            index = InsertIntoCustom(list, p, m_bClosed);
            if (index >= 0 && !IsValidPath(list))
                index = -1;
        }
        break;
    case ShapeType::Bezier:
        for (int i = 0; i + 3 < n; i += 3) {
            if (HitsBezier(p, std::span<const PointF>(list.points).subspan(size_t(i), 4))) {
                list.Insert(i + 2, AnchorWithControls(p, kBezierInsertSpread), 0);
                index = i + 3;
                break;
            }
        }
        break;
    case ShapeType::Curve: {
        // The spline's own Bézier pieces are tested; piece s runs from point s to s + 1.
        GraphicsPath spline;
        const float tension = float(m_nTension / 100.0);
        if (m_bClosed)
            spline.AddClosedCurve(list.points, tension);
        else
            spline.AddCurve(list.points, tension);
        const std::span<const PointF> pts = spline.Points();
        for (size_t j = 0; j + 3 < pts.size(); j += 3) {
            if (HitsBezier(p, pts.subspan(j, 4))) {
                index = int((j + 3) / 3);
                list.Insert(index, std::span<const PointF>(&p, 1), 0);
                break;
            }
        }
        break;
    }
    case ShapeType::Arc:
    case ShapeType::Pie:
        // Always exactly centre, start and end: no room for another point.
        break;
    default: {
        const bool closedShape = m_nShapeType != ShapeType::Line;
        const int edges = closedShape && n > 2 ? n : n - 1;
        for (int i = 0; i < edges; ++i) {
            if (HitsLine(p, list.points[size_t(i)], list.points[size_t((i + 1) % n)])) {
                index = i + 1;
                list.Insert(index, std::span<const PointF>(&p, 1), 0);
                break;
            }
        }
        break;
    }
    }
    if (index < 0)
        return -1;

    SetPoints(std::move(list.points), std::move(list.types));
    RefreshAfterPointChange(true, pView);
    return index;
}

bool CDrawPoly::SplitAtPoint(CPoint point, ViewServices* pView)
{
    const std::optional<PointF> mapped = ViewToObjectPoint(point, pView);
    if (!mapped || !mapped->IsFinite() || m_nPoints < 2)
        return false;
    // The outline in object space; a line's arrow heads are not part of it.
    GraphicsPath outline;
    if (m_nShapeType == ShapeType::Line)
        outline.AddLines(std::span<const PointF>(m_points.data(), size_t(m_nPoints)));
    else
        BuildShape(outline);
    PointList list = PointsOf(outline);
    if (list.Count() < 2 || !BreakOutline(list, *mapped) || !IsValidPath(list))
        return false;

    if (m_nShapeType != ShapeType::Custom) {
        m_nShapeType = ShapeType::Custom;
        SetName("Custom - " + std::to_string(NextObjectId()));
    }
    // Every closed figure carries its own close flag now.
    m_bClosed = false;
    SetPoints(std::move(list.points), std::move(list.types));
    RefreshAfterPointChange(true, pView);
    return true;
}

void CDrawPoly::BecomeCustom(std::vector<PointF> points, std::vector<uint8_t> types)
{
    m_nShapeType = ShapeType::Custom;
    SetName("Custom - " + std::to_string(NextObjectId()));
    m_pMatrix = std::make_unique<Matrix>();
    m_pPendingMatrix.reset();
    SetPoints(std::move(points), std::move(types));
}

bool CDrawPoly::CloseByJoin(bool keepBoth)
{
    if (m_bClosed || m_nPoints < 3)
        return false;
    switch (m_nShapeType) {
    case ShapeType::Polygon:
        return false;   // closed already
    case ShapeType::Curve:
    case ShapeType::Custom: {
        PointList list = PointsOf(*this);
        if (m_nShapeType == ShapeType::Custom) {
            // Only a single open figure closes onto itself.
            if (int(list.types.size()) != m_nPoints || IsClosingPathType(list.types.back()))
                return false;
            for (int i = 1; i < m_nPoints; ++i) {
                if (list.IsStart(i))
                    return false;
            }
        }
        // Merging drops a last point that lies on the first; the closing edge replaces it.
        const int last = m_nPoints - 1;
        if (!keepBoth && list.points[size_t(last)] == list.points[0] && !list.IsBezier(last) && m_nPoints > 3) {
            list.Erase(last, 1);
            SetPoints(std::move(list.points), std::move(list.types));
        }
        m_bClosed = true;
        break;
    }
    default: {
        const std::unique_ptr<GraphicsPath> path = CreatePath(nullptr, nullptr);
        PointList list = PointsOf(*path);
        const int n = list.Count();
        if (n < 3 || IsClosingPathType(list.types.back()))
            return false;
        for (int i = 1; i < n; ++i) {
            if (list.IsStart(i))
                return false;
        }
        BecomeCustom(std::move(list.points), std::move(list.types));
        m_bClosed = true;
        break;
    }
    }
    RefreshAfterPointChange(true, nullptr);
    return true;
}

bool CDrawPoly::JoinAtEndPoints(CDrawObj* other, bool keepBoth)
{
    auto* poly = dynamic_cast<CDrawPoly*>(other);
    if (!poly)
        return false;
    if (poly == this)
        return CloseByJoin(keepBoth);
    if (!IsEndPointHandle(m_nJoinHandle) || !poly->IsEndPointHandle(poly->m_nJoinHandle))
        return false;
    const bool mineLast = m_nJoinHandle - kFirstPointHandle > 0;
    const bool theirsLast = poly->m_nJoinHandle - kFirstPointHandle > 0;
    const bool merge = !keepBoth;

    const bool sameKind = m_nShapeType == poly->m_nShapeType && m_nShapeType != ShapeType::Custom
                          && m_nShapeType != ShapeType::Arc && m_nShapeType != ShapeType::Pie
                          && (m_nShapeType != ShapeType::Bezier || (IsCompleteBezier(*this) && IsCompleteBezier(*poly)));
    if (sameKind) {
        // Point lists end to end in page space; the other object keeps its own points.
        std::vector<PointF> head;
        std::vector<PointF> tail;
        bool dropHeadEnd = false;
        Arrange(PagePoints(*this), PagePoints(*poly), mineLast, theirsLast,
                [](std::vector<PointF>& v) { std::reverse(v.begin(), v.end()); }, head, tail, dropHeadEnd);
        if (merge) {
            if (dropHeadEnd)
                head.pop_back();
            else
                tail.erase(tail.begin());
        } else if (m_nShapeType == ShapeType::Bezier && !head.empty() && !tail.empty()) {
            // Two whole chains kept apart: a straight Bézier segment bridges them.
            const PointF a = head.back();
            const PointF d = tail.front();
            const PointF step((d.X - a.X) / 3.0f, (d.Y - a.Y) / 3.0f);
            head.push_back(a + step);
            head.push_back(d - step);
        }
        head.insert(head.end(), tail.begin(), tail.end());
        m_pMatrix = std::make_unique<Matrix>();
        m_pPendingMatrix.reset();
        SetPoints(std::move(head));
    } else {
        // Both outlines as paths (each with its own transform) end to end, as a custom path.
        const std::unique_ptr<GraphicsPath> mine = CreatePath(nullptr, nullptr);
        const std::unique_ptr<GraphicsPath> theirs = poly->CreatePath(nullptr, nullptr);
        if (mine->IsEmpty() || theirs->IsEmpty())
            return false;
        GraphicsPath headPath;
        GraphicsPath tailPath;
        bool dropHeadEnd = false;
        Arrange(*mine, *theirs, mineLast, theirsLast, [](GraphicsPath& path) { path.Reverse(); }, headPath, tailPath,
                dropHeadEnd);
        PointList head = PointsOf(headPath);
        PointList tail = PointsOf(tailPath);
        if (merge) {
            if (dropHeadEnd)
                head.Erase(head.Count() - 1, 1);
            else
                tail.Erase(0, 1);
        }
        if (tail.Count() == 0 || head.Count() == 0)
            return false;
        // The figure runs on through the joint: the point before it no longer closes it.
        head.types.back() &= uint8_t(~PathPointType::CloseSubpath);
        const uint8_t jointFlags = tail.types[0] & PathPointType::CloseSubpath;

        PointList joined;
        joined.points = std::move(head.points);
        joined.points.insert(joined.points.end(), tail.points.begin(), tail.points.end());
        joined.types = std::move(head.types);
        const size_t joint = joined.types.size();
        joined.types.insert(joined.types.end(), tail.types.begin(), tail.types.end());
        joined.types[joint] = PathPointType::Line;
        // A Bézier run cut short by the dropped end point is completed by the joint.
        const auto bezierPoints = std::count_if(joined.types.begin(), joined.types.end(), [](uint8_t t) {
            return PathTypeKind(t) == PathPointType::Bezier;
        });
        if (merge && bezierPoints % 3 == 2)
            joined.types[joint] = PathPointType::Bezier;
        joined.types[joint] |= jointFlags;
        joined.types[0] = PathPointType::Start;
        if (!IsValidPath(joined))
            return false;
        BecomeCustom(std::move(joined.points), std::move(joined.types));
    }
    RefreshAfterPointChange(true, nullptr);
    return true;
}

} // namespace kelmora
