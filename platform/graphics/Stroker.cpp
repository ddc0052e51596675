#include "platform/graphics/Stroker.h"

#include "platform/graphics/StrokePolyline.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace kelmora {

namespace {

constexpr double kPi = std::numbers::pi;
// Turns smaller than this (radians) need no join: the segment pieces already meet.
constexpr double kStraightTurn = 1e-9;
// Lengths below this fraction of the stroke width count as zero.
constexpr double kRelativeEpsilon = 1e-9;
// A dash pattern that would cut one figure into more pieces than this is drawn solid: its
// dashes would be far too fine to see, and the outline would grow without bound.
constexpr double kMaxDashPieces = 100000.0;
// The most points an arc of a full turn is cut into (round joins, caps and discs).
constexpr double kMaxArcSteps = 4096.0;

// Sizes of the anchor caps, in stroke widths: they are drawn wider than the line so that
// they read as marks on its end. The round anchor's diameter, the square anchor's side and
// the diamond's diagonals are twice the width; the arrow is twice the width across its
// base and twice the width long.
constexpr double kAnchorSize = 2.0;

double SignedArea(const StrokePolygon& polygon)
{
    double twice = 0.0;
    for (size_t i = 0; i < polygon.size(); ++i) {
        StrokeVec a = polygon[i];
        StrokeVec b = polygon[(i + 1) % polygon.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice / 2.0;
}

// Keeps the part of a convex polygon on the side of the line through `origin` where
// (p − origin)·normal ≥ 0.
StrokePolygon ClipToHalfPlane(const StrokePolygon& polygon, StrokeVec origin, StrokeVec normal)
{
    StrokePolygon result;
    for (size_t i = 0; i < polygon.size(); ++i) {
        StrokeVec a = polygon[i];
        StrokeVec b = polygon[(i + 1) % polygon.size()];
        double da = (a - origin).Dot(normal);
        double db = (b - origin).Dot(normal);
        if (da >= 0.0)
            result.push_back(a);
        if ((da >= 0.0) != (db >= 0.0))
            result.push_back(a + (b - a) * (da / (da - db)));
    }
    return result;
}

LineCap ToLineCap(DashCap cap)
{
    switch (cap) {
    case DashCap::Round:
        return LineCap::Round;
    case DashCap::Triangle:
        return LineCap::Triangle;
    default:
        return LineCap::Flat;
    }
}

// A stretch of line across the stroke, as offsets along the left normal of the direction
// of travel.
struct Band {
    double lo = 0.0;
    double hi = 0.0;
    // The band lies wholly on one side of the path, so its pieces must be cut where they
    // meet on the inside of a turn instead of overlapping there.
    bool oneSided = false;
};

// A stretch of a figure to be stroked on its own: a whole open figure or a dash.
struct Run {
    std::vector<StrokeVec> points;
    LineCap startCap = LineCap::Flat;
    LineCap endCap = LineCap::Flat;
    // Ends that are dash ends, where a round or triangle cap is fitted inside the dash.
    bool startInside = false;
    bool endInside = false;
};

class OutlineBuilder {
public:
    explicit OutlineBuilder(const StrokeStyle& style)
        : m_style(style), m_half(style.width / 2.0), m_epsilon(style.width * kRelativeEpsilon)
    {
    }

    void AddFigure(const StrokeFigure& figure)
    {
        std::vector<StrokeVec> points = WithoutRepeats(figure.points, m_epsilon);
        if (figure.closed && points.size() > 1 && (points.back() - points.front()).Length() <= m_epsilon)
            points.pop_back();
        if (figure.closed) {
            if (points.size() >= 2)
                AddClosedFigure(std::move(points));
            return;
        }
        if (points.size() >= 2) {
            AddOpenFigure(std::move(points));
        } else if (figure.points.size() >= 2) {
            // A figure of one repeated point: round and square ends make a dot.
            SetUpBands(0.0);
            StrokeVec at = points.front();
            PlainCap(at, StrokeVec(-1, 0), StrokeVec(1, 0), BodyCap(m_style.startCap, m_style.customStartCap));
            PlainCap(at, StrokeVec(1, 0), StrokeVec(1, 0), BodyCap(m_style.endCap, m_style.customEndCap));
        }
    }

    std::vector<StrokePolygon> Take() { return std::move(m_out); }

private:
    // Output -------------------------------------------------------------------------------

    // Adds a simple polygon, turned to the common orientation; one with no area is dropped.
    void Emit(StrokePolygon polygon)
    {
        if (polygon.size() < 3)
            return;
        double area = SignedArea(polygon);
        if (!(std::fabs(area) > m_epsilon * m_epsilon))
            return;
        if (area < 0.0)
            std::reverse(polygon.begin(), polygon.end());
        m_out.push_back(std::move(polygon));
    }

    // Adds one side contour of a stroke as it stands: its turning decides, with the other
    // contours, what the non-zero fill covers.
    void EmitContour(StrokePolygon contour)
    {
        if (contour.size() >= 3)
            m_out.push_back(std::move(contour));
    }

    // Points on an arc of radius r about centre, from angle `start` turning by `sweep`
    // (radians, positive clockwise on screen), both ends included.
    void AppendArc(StrokePolygon& out, StrokeVec centre, double r, double start, double sweep) const
    {
        // At most kMaxArcSteps a full turn, which keeps even a circle the size of the
        // largest surface within a hundredth of a pixel, and keeps an arc of a huge
        // radius (whose step would round to zero) from asking for endless points.
        double step = kPi / 2.0;
        if (r > m_style.tolerance)
            step = std::max(2.0 * std::acos(1.0 - m_style.tolerance / r), 2.0 * kPi / kMaxArcSteps);
        const double turn = std::fabs(sweep);
        int steps = turn < 2.0 * kPi ? std::max(1, int(std::ceil(turn / step))) : int(std::ceil(2.0 * kPi / step));
        for (int k = 0; k <= steps; ++k) {
            double angle = start + sweep * k / steps;
            out.push_back(centre + StrokeVec(std::cos(angle), std::sin(angle)) * r);
        }
    }

    void Disc(StrokeVec centre, double r)
    {
        StrokePolygon polygon;
        AppendArc(polygon, centre, r, 0.0, 2.0 * kPi);
        polygon.pop_back(); // the arc's last point repeats its first
        Emit(std::move(polygon));
    }

    // Figures -------------------------------------------------------------------------------

    // The bands across the stroke for a figure; signedArea decides the inside of a closed
    // figure for inset pens (0 for open figures, which are drawn centred).
    void SetUpBands(double signedArea)
    {
        double w = m_style.width;
        m_lo = -m_half;
        m_hi = m_half;
        bool inset = m_style.inset && m_style.compound.empty() && signedArea != 0.0;
        if (inset) {
            // Positive area turns clockwise on screen: the inside is on the right.
            m_lo = signedArea > 0.0 ? -w : 0.0;
            m_hi = signedArea > 0.0 ? 0.0 : w;
        }
        m_bands.clear();
        if (m_style.compound.empty()) {
            m_bands.push_back(Band{m_lo, m_hi, inset});
            return;
        }
        for (size_t i = 0; i + 1 < m_style.compound.size(); i += 2) {
            double lo = m_hi - m_style.compound[i + 1] * w;
            double hi = m_hi - m_style.compound[i] * w;
            if (hi - lo <= m_epsilon)
                continue;
            bool oneSided = lo >= -m_epsilon || hi <= m_epsilon;
            m_bands.push_back(Band{lo, hi, oneSided});
        }
    }

    void AddOpenFigure(std::vector<StrokeVec> points)
    {
        SetUpBands(0.0);
        StrokeVec startOut = (points[0] - points[1]).Normalized();
        StrokeVec endOut = (points.back() - points[points.size() - 2]).Normalized();
        double startTrim = Decorate(points.front(), startOut, m_style.startCap, m_style.customStartCap);
        double endTrim = Decorate(points.back(), endOut, m_style.endCap, m_style.customEndCap);
        LineCap startCap = BodyCap(m_style.startCap, m_style.customStartCap);
        LineCap endCap = BodyCap(m_style.endCap, m_style.customEndCap);

        StrokePolyline line(std::move(points));
        double from = startTrim;
        double to = line.Length() - endTrim;
        if (to - from <= m_epsilon)
            return; // the caps take the whole line

        if (!HasDashes(to - from)) {
            StrokeRun(Run{line.Extract(from, to), startCap, endCap, false, false});
            return;
        }
        for (auto [a, b] : DashSpans(from, to)) {
            bool atStart = a <= from;
            bool atEnd = b >= to;
            StrokeRun(Run{line.Extract(a, b), atStart ? startCap : ToLineCap(m_style.dashCap),
                          atEnd ? endCap : ToLineCap(m_style.dashCap), !atStart, !atEnd});
        }
    }

    void AddClosedFigure(std::vector<StrokeVec> points)
    {
        // Only an inset pen asks which way the figure turns.
        SetUpBands(m_style.inset ? SignedArea(points) : 0.0);
        if (m_style.dashes.empty()) {
            StrokeBands(points, true);
            return;
        }
        std::vector<StrokeVec> loop = points;
        loop.push_back(points.front());
        StrokePolyline line(std::move(loop));
        double total = line.Length();
        if (!HasDashes(total)) {
            StrokeBands(points, true);
            return;
        }
        std::vector<std::pair<double, double>> spans = DashSpans(0.0, total);
        if (spans.empty())
            return;
        if (spans.size() == 1 && spans[0].first <= 0.0 && spans[0].second >= total) {
            StrokeBands(points, true); // one dash all the way round
            return;
        }
        LineCap dashCap = ToLineCap(m_style.dashCap);
        // A dash that runs over the figure's first point is one dash, turning the corner
        // there.
        if (spans.size() > 1 && spans.front().first <= 0.0 && spans.back().second >= total) {
            std::vector<StrokeVec> joined = line.Extract(spans.back().first, total);
            std::vector<StrokeVec> head = line.Extract(0.0, spans.front().second);
            joined.insert(joined.end(), head.begin() + 1, head.end());
            StrokeRun(Run{std::move(joined), dashCap, dashCap, true, true});
            spans.pop_back();
            spans.erase(spans.begin());
        }
        for (auto [a, b] : spans)
            StrokeRun(Run{line.Extract(a, b), dashCap, dashCap, true, true});
    }

    // Dashes ---------------------------------------------------------------------------------

    bool HasDashes(double length) const
    {
        if (m_style.dashes.empty())
            return false;
        double period = 0.0;
        for (double d : m_style.dashes)
            period += d;
        // Dashes finer than the tolerance cannot be told from a solid line.
        if (!(period > m_style.tolerance))
            return false;
        return length / period * double(m_style.dashes.size()) <= kMaxDashPieces;
    }

    // The dashes of the pattern between arc lengths from and to, the pattern starting
    // dashPhase into itself at `from`.
    std::vector<std::pair<double, double>> DashSpans(double from, double to) const
    {
        const std::vector<double>& dashes = m_style.dashes;
        double period = 0.0;
        for (double d : dashes)
            period += d;
        // An odd pattern alternates dash and gap through itself twice before repeating.
        if (dashes.size() % 2 != 0)
            period *= 2.0;
        double phase = std::fmod(m_style.dashPhase, period);
        if (phase < 0.0)
            phase += period;
        size_t index = 0;
        bool on = true;
        while (phase >= dashes[index]) {
            phase -= dashes[index];
            index = (index + 1) % dashes.size();
            on = !on;
        }
        double remaining = dashes[index] - phase;

        std::vector<std::pair<double, double>> spans;
        double position = from;
        while (position < to) {
            double next = std::min(position + remaining, to);
            if (next <= position) {
                remaining = 0.0; // a dash or gap too short to move past this position
            } else {
                if (on)
                    spans.emplace_back(position, next);
                remaining -= next - position;
                position = next;
            }
            if (remaining <= 0.0) {
                index = (index + 1) % dashes.size();
                remaining = dashes[index];
                on = !on;
            }
        }
        return spans;
    }

    // Runs -----------------------------------------------------------------------------------

    // Strokes an open stretch: fits dash caps inside the dash, then draws the bands and the
    // end caps.
    void StrokeRun(Run run)
    {
        run.points = WithoutRepeats(std::move(run.points), m_epsilon);
        if (run.points.size() < 2)
            return;
        double inset = m_half;
        bool shrinkStart = run.startInside && run.startCap != LineCap::Flat;
        bool shrinkEnd = run.endInside && run.endCap != LineCap::Flat;
        if (shrinkStart || shrinkEnd) {
            StrokePolyline line(run.points);
            double length = line.Length();
            double a = shrinkStart ? inset : 0.0;
            double b = length - (shrinkEnd ? inset : 0.0);
            if (b - a <= m_epsilon) {
                // Too short to hold its caps: they meet at one point.
                double at = shrinkStart && shrinkEnd ? length / 2.0 : (shrinkStart ? length : 0.0);
                StrokeVec point = line.PointAt(at);
                StrokeVec direction = line.DirectionAt(at, true);
                PlainCap(point, -direction, direction, run.startCap);
                PlainCap(point, direction, direction, run.endCap);
                return;
            }
            run.points = WithoutRepeats(line.Extract(a, b), m_epsilon);
            if (run.points.size() < 2)
                return;
        }
        const std::vector<StrokeVec>& points = run.points;
        StrokeBands(points, false);
        StrokeVec first = (points[1] - points[0]).Normalized();
        StrokeVec last = (points.back() - points[points.size() - 2]).Normalized();
        PlainCap(points.front(), -first, first, run.startCap);
        PlainCap(points.back(), last, last, run.endCap);
    }

    // Segments and joins of every band along a polyline of distinct points; a closed one
    // also has the segment from its last point back to its first.
    void StrokeBands(const std::vector<StrokeVec>& points, bool closed)
    {
        size_t n = points.size();
        size_t segments = closed ? n : n - 1;
        std::vector<StrokeVec> directions(segments);
        for (size_t i = 0; i < segments; ++i)
            directions[i] = (points[(i + 1) % n] - points[i]).Normalized();

        if (m_style.compound.empty() && !m_bands.front().oneSided) {
            StrokeSides(points, directions, closed);
            return;
        }
        for (const Band& band : m_bands) {
            for (size_t i = 0; i < segments; ++i) {
                StrokeVec a = points[i];
                StrokeVec b = points[(i + 1) % n];
                StrokeVec normal = directions[i].LeftNormal();
                StrokePolygon quad{a + normal * band.lo, b + normal * band.lo, b + normal * band.hi,
                                   a + normal * band.hi};
                if (band.oneSided) {
                    bool hasBefore = closed || i > 0;
                    bool hasAfter = closed || i + 1 < segments;
                    if (hasBefore)
                        quad = CutAtInnerCorner(quad, a, directions[(i + segments - 1) % segments], directions[i],
                                                band, false);
                    if (hasAfter)
                        quad = CutAtInnerCorner(quad, b, directions[i], directions[(i + 1) % segments], band, true);
                }
                Emit(std::move(quad));
            }
            size_t firstJoin = closed ? 0 : 1;
            for (size_t v = firstJoin; v < (closed ? n : n - 1); ++v)
                Join(points[v], directions[(v + segments - 1) % segments], directions[v % segments], band);
        }
    }

    // The whole pen along a polyline as the contours of its two sides: the left offset
    // forward and the right offset back, each turning the outer join where it lies on the
    // outside of a turn and passing through the vertex itself where it lies on the inside.
    // That is the boundary the segment pieces and joins of the band share once their
    // common edges cancel, so a non-zero fill covers just what the pieces cover, with far
    // fewer edges. An open polyline gives one contour, its ends closed by the flat ends of
    // its first and last segments; a closed one gives an outer and an inner contour of
    // opposite turning (which is which follows the figure's own turning), the segment from
    // the last point back to the first included.
    void StrokeSides(const std::vector<StrokeVec>& points, const std::vector<StrokeVec>& directions, bool closed)
    {
        const size_t n = points.size();
        const size_t segments = directions.size();
        // The inner side passes three points a vertex, a cut miter two; a round join's arc
        // may take more.
        StrokePolygon left;
        StrokePolygon right;
        left.reserve(3 * n + 2);
        right.reserve(3 * n + 2);
        auto corner = [&](size_t v, StrokeVec in, StrokeVec out) {
            const double turn = std::atan2(in.Cross(out), in.Dot(out));
            AppendSide(left, points[v], in, out, turn, m_half);
            AppendSide(right, points[v], in, out, turn, -m_half);
        };
        if (closed) {
            for (size_t v = 0; v < n; ++v)
                corner(v, directions[(v + segments - 1) % segments], directions[v]);
            std::reverse(right.begin(), right.end());
            EmitContour(std::move(left));
            EmitContour(std::move(right));
            return;
        }
        left.push_back(points.front() + directions.front().LeftNormal() * m_half);
        right.push_back(points.front() - directions.front().LeftNormal() * m_half);
        for (size_t v = 1; v + 1 < n; ++v)
            corner(v, directions[v - 1], directions[v]);
        left.push_back(points.back() + directions.back().LeftNormal() * m_half);
        right.push_back(points.back() - directions.back().LeftNormal() * m_half);
        left.insert(left.end(), right.rbegin(), right.rend());
        EmitContour(std::move(left));
    }

    // The points of one side at a vertex where the path turns from `in` to `out` by
    // `turn` (radians, positive clockwise on screen), in the order of travel; offset is the
    // side's distance along the left normal (±half the width). The outer side takes the
    // join's outer edge, the inner side the vertex.
    void AppendSide(StrokePolygon& side, StrokeVec vertex, StrokeVec in, StrokeVec out, double turn,
                    double offset) const
    {
        const StrokeVec from = vertex + in.LeftNormal() * offset;
        const StrokeVec to = vertex + out.LeftNormal() * offset;
        if (std::fabs(turn) < kStraightTurn) {
            side.push_back(from);
            side.push_back(to);
            return;
        }
        // A turn clockwise on screen opens the left side.
        const double outerSide = turn > 0.0 ? 1.0 : -1.0;
        if ((offset > 0.0) != (outerSide > 0.0)) {
            side.push_back(from);
            side.push_back(vertex);
            side.push_back(to);
            return;
        }
        const StrokeVec u0 = in.LeftNormal() * outerSide;
        const StrokeVec u1 = out.LeftNormal() * outerSide;
        if (m_style.join == LineJoin::Round) {
            // The arc's ends are the segments' own corners.
            const size_t first = side.size();
            AppendArc(side, vertex, m_half, std::atan2(u0.y, u0.x), turn);
            side[first] = from;
            side.back() = to;
            return;
        }
        const size_t first = side.size();
        AppendJoinEdge(side, vertex, in, out, u0, u1, turn, m_half);
        // A miter's edge goes on along the incoming segment's offset line and comes back
        // along the outgoing one's, so its first and last points (the segments' corners)
        // lie on straight runs of the contour: left out, they leave the area as it is and
        // spare two edges.
        if (side.size() - first > 2) {
            side.erase(side.begin() + ptrdiff_t(first));
            side.pop_back();
        }
    }

    // Where a one-sided band lies on the inside of the turn at vertex, cuts the piece of the
    // incoming (keepIncoming) or outgoing segment along the line on which the two pieces
    // meet, so that neither reaches past the other.
    StrokePolygon CutAtInnerCorner(const StrokePolygon& piece, StrokeVec vertex, StrokeVec in, StrokeVec out,
                                   const Band& band, bool keepIncoming) const
    {
        double turn = std::atan2(in.Cross(out), in.Dot(out));
        if (std::fabs(turn) < kStraightTurn || std::fabs(turn) > kPi - 1e-6)
            return piece;
        double outerSide = turn > 0.0 ? 1.0 : -1.0;
        double bandSide = band.lo >= -m_epsilon ? 1.0 : -1.0;
        if (bandSide == outerSide)
            return piece;
        StrokeVec bisector = (in.LeftNormal() + out.LeftNormal()).Normalized() * outerSide;
        StrokeVec across = bisector.LeftNormal();
        StrokeVec body = keepIncoming ? -in : out;
        if (across.Dot(body) < 0.0)
            across = -across;
        return ClipToHalfPlane(piece, vertex, across);
    }

    // Joins ----------------------------------------------------------------------------------

    // The piece that fills the outside of the turn at vertex for a band.
    void Join(StrokeVec vertex, StrokeVec in, StrokeVec out, const Band& band)
    {
        double turn = std::atan2(in.Cross(out), in.Dot(out));
        if (std::fabs(turn) < kStraightTurn)
            return;
        // A turn clockwise on screen opens the left side.
        double side = turn > 0.0 ? 1.0 : -1.0;
        double r0 = side > 0.0 ? std::max(band.lo, 0.0) : std::max(-band.hi, 0.0);
        double r1 = side > 0.0 ? band.hi : -band.lo;
        if (r1 - r0 <= m_epsilon)
            return;
        StrokeVec u0 = in.LeftNormal() * side;
        StrokeVec u1 = out.LeftNormal() * side;

        StrokePolygon polygon;
        if (m_style.join == LineJoin::Round) {
            double start = std::atan2(u0.y, u0.x);
            AppendArc(polygon, vertex, r1, start, turn);
            if (r0 > m_epsilon)
                AppendArc(polygon, vertex, r0, start + turn, -turn);
            else
                polygon.push_back(vertex);
            Emit(std::move(polygon));
            return;
        }
        AppendJoinEdge(polygon, vertex, in, out, u0, u1, turn, r1);
        if (r0 > m_epsilon) {
            StrokePolygon inner;
            AppendJoinEdge(inner, vertex, in, out, u0, u1, turn, r0);
            polygon.insert(polygon.end(), inner.rbegin(), inner.rend());
        } else {
            polygon.push_back(vertex);
        }
        Emit(std::move(polygon));
    }

    // The outer edge of a miter or bevel join at distance r from the path, from the
    // incoming segment's side (u0) to the outgoing one's (u1).
    void AppendJoinEdge(StrokePolygon& out, StrokeVec vertex, StrokeVec in, StrokeVec outgoing, StrokeVec u0,
                        StrokeVec u1, double turn, double r) const
    {
        StrokeVec q0 = vertex + u0 * r;
        StrokeVec q1 = vertex + u1 * r;
        out.push_back(q0);
        if (m_style.join == LineJoin::Bevel) {
            out.push_back(q1);
            return;
        }
        // Miter length over width is 1 / cos(turn / 2).
        double halfCos = std::cos(std::fabs(turn) / 2.0);
        bool withinLimit = halfCos > 0.0 && 1.0 / halfCos <= m_style.miterLimit;
        StrokeVec bisector = (u0 + u1).Length() > m_epsilon ? (u0 + u1).Normalized() : in;
        if (withinLimit) {
            out.push_back(vertex + bisector * (r / halfCos));
        } else if (m_style.join == LineJoin::Miter) {
            // Cut square to the bisector at the limit times half the width from the vertex,
            // where the outer edges of both segments, extended, reach it.
            double reach = m_style.miterLimit * m_half;
            double along0 = in.Dot(bisector);
            double along1 = -outgoing.Dot(bisector);
            double start = r * halfCos; // how far q0 and q1 already are along the bisector
            double tip = halfCos > 0.0 ? r / halfCos : HUGE_VAL;
            if (reach >= tip) {
                // A narrow band of a compound pen: its own tip lies within the cut.
                out.push_back(vertex + bisector * tip);
            } else if (reach > start && along0 > 0.0 && along1 > 0.0) {
                out.push_back(q0 + in * ((reach - start) / along0));
                out.push_back(q1 - outgoing * ((reach - start) / along1));
            }
        }
        // MiterClipped past its limit: a bevel.
        out.push_back(q1);
    }

    // Caps -----------------------------------------------------------------------------------

    // The plain cap a line body ends in under an end's cap: anchors and custom shapes sit
    // on a flat end, or on the custom cap's base cap.
    static LineCap BodyCap(LineCap cap, const CustomLineCap* custom)
    {
        if (cap == LineCap::Custom)
            return custom ? custom->GetBaseCap() : LineCap::Flat;
        return IsPlainLineCap(cap) ? cap : LineCap::Flat;
    }

    // A flat, square, round or triangle cap at `end`, reaching out along `outward`; the
    // cap spans the whole pen across `travel`'s left normal.
    void PlainCap(StrokeVec end, StrokeVec outward, StrokeVec travel, LineCap cap)
    {
        StrokeVec normal = travel.LeftNormal();
        double reach = (m_hi - m_lo) / 2.0;
        StrokeVec centre = end + normal * ((m_lo + m_hi) / 2.0);
        switch (cap) {
        case LineCap::Square:
            Emit({end + normal * m_lo, end + normal * m_hi, end + normal * m_hi + outward * reach,
                  end + normal * m_lo + outward * reach});
            break;
        case LineCap::Round: {
            StrokePolygon polygon;
            double start = std::atan2(normal.y, normal.x);
            // From the normal through the outward direction to the opposite normal.
            double sweep = normal.Cross(outward) > 0.0 ? kPi : -kPi;
            AppendArc(polygon, centre, reach, start, sweep);
            Emit(std::move(polygon));
            break;
        }
        case LineCap::Triangle:
            Emit({end + normal * m_lo, centre + outward * reach, end + normal * m_hi});
            break;
        default:
            break;
        }
    }

    // Draws what an end carries beyond its plain cap (an anchor or a custom shape) and
    // answers how far the line body must stop short of the end under it.
    double Decorate(StrokeVec end, StrokeVec outward, LineCap cap, const CustomLineCap* custom)
    {
        double w = m_style.width;
        StrokeVec across = outward.LeftNormal();
        switch (cap) {
        case LineCap::SquareAnchor: {
            double a = kAnchorSize * w / 2.0;
            Emit({end + across * a + outward * a, end - across * a + outward * a, end - across * a - outward * a,
                  end + across * a - outward * a});
            return 0.0;
        }
        case LineCap::RoundAnchor:
            Disc(end, kAnchorSize * w / 2.0);
            return 0.0;
        case LineCap::DiamondAnchor: {
            double a = kAnchorSize * w / 2.0;
            Emit({end + outward * a, end + across * a, end - outward * a, end - across * a});
            return 0.0;
        }
        case LineCap::ArrowAnchor: {
            // Tip on the end; the line stops at the arrow's base, where the arrow is wider
            // than the line.
            double length = kAnchorSize * w;
            double halfBase = kAnchorSize * w / 2.0;
            StrokeVec base = end - outward * length;
            Emit({end, base + across * halfBase, base - across * halfBase});
            return length;
        }
        case LineCap::Custom:
            return custom ? CustomCap(end, outward, *custom) : 0.0;
        default:
            return 0.0;
        }
    }

    double CustomCap(StrokeVec end, StrokeVec outward, const CustomLineCap& cap)
    {
        double unit = m_style.width * cap.GetWidthScale();
        if (!(std::fabs(unit) > m_epsilon))
            return 0.0;
        // Cap space: +y along the line outward, x across it; one unit is `unit` long.
        StrokeVec xAxis(outward.y, -outward.x);
        auto place = [&](PointF p) { return end + xAxis * (p.X * unit) + outward * (p.Y * unit); };
        float flatness = float(m_style.tolerance / std::fabs(unit));
        std::vector<FlattenedFigure> figures = cap.GetPath().GetFlattenedFigures(nullptr, flatness);

        if (cap.IsFilled()) {
            // Filled by non-zero winding among its own figures: keep their relative turning,
            // and turn the whole shape to the common orientation.
            std::vector<StrokePolygon> shape;
            double area = 0.0;
            for (const FlattenedFigure& figure : figures) {
                StrokePolygon polygon;
                for (PointF p : figure.points)
                    polygon.push_back(place(p));
                if (polygon.size() < 3)
                    continue;
                area += SignedArea(polygon);
                shape.push_back(std::move(polygon));
            }
            for (StrokePolygon& polygon : shape) {
                if (area < 0.0)
                    std::reverse(polygon.begin(), polygon.end());
                m_out.push_back(std::move(polygon));
            }
        } else {
            // Stroked with the line's width, in the cap's own caps and join.
            std::vector<StrokeFigure> outline;
            for (const FlattenedFigure& figure : figures) {
                StrokeFigure placed;
                placed.closed = figure.closed;
                for (PointF p : figure.points)
                    placed.points.push_back(place(p));
                outline.push_back(std::move(placed));
            }
            StrokeStyle style;
            style.width = m_style.width;
            style.join = cap.GetStrokeJoin();
            style.miterLimit = m_style.miterLimit;
            style.startCap = cap.GetStrokeStartCap();
            style.endCap = cap.GetStrokeEndCap();
            style.tolerance = m_style.tolerance;
            for (StrokePolygon& polygon : StrokeFigures(outline, style))
                m_out.push_back(std::move(polygon));
        }
        return std::max(0.0f, cap.LineShortening()) * std::fabs(unit);
    }

    const StrokeStyle& m_style;
    double m_half;
    double m_epsilon;
    // The whole pen across the path for the current figure, along the left normal.
    double m_lo = 0.0;
    double m_hi = 0.0;
    std::vector<Band> m_bands;
    std::vector<StrokePolygon> m_out;
};

} // namespace

std::vector<StrokePolygon> StrokeFigures(std::span<const StrokeFigure> figures, const StrokeStyle& style)
{
    if (!(style.width > 0.0) || !std::isfinite(style.width))
        return {};
    OutlineBuilder builder(style);
    for (const StrokeFigure& figure : figures)
        builder.AddFigure(figure);
    return builder.Take();
}

} // namespace kelmora
