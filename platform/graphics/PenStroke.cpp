#include "platform/graphics/PenStroke.h"
#include "platform/graphics/CairoMatrix.h"
#include "platform/graphics/CairoPath.h"

#include "platform/graphics/Stroker.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

// Largest gap between a curve and its straight segments, and between a round cap or join
// and its polygon, in device pixels: cairo's own default, so that both ways of stroking
// look alike.
constexpr double kDeviceTolerance = 0.1;
// A miter that GDI+ cuts off at the limit and cairo bevels is drawn by the outline fill
// only when the two differ by more than this many device pixels.
constexpr double kVisibleMiterDifference = 0.1;

struct Stretch {
    double smallest = 0.0;
    double largest = 0.0;
};

// The smallest and largest factors by which the matrix's linear part stretches a vector
// (its singular values).
Stretch StretchOf(const cairo_matrix_t& m)
{
    double a = m.xx, b = m.yx, c = m.xy, d = m.yy;
    double s = (a * a + b * b + c * c + d * d) / 2.0;
    double r = std::hypot((a * a + b * b - c * c - d * d) / 2.0, a * c + b * d);
    return Stretch{std::sqrt(std::max(0.0, s - r)), std::sqrt(s + r)};
}




// The plain cap an end draws as far as cairo is concerned; nothing for ends cairo cannot
// draw.
std::optional<LineCap> CairoEnd(LineCap cap, const CustomLineCap* custom)
{
    switch (cap) {
    case LineCap::Flat:
    case LineCap::NoAnchor:
        return LineCap::Flat;
    case LineCap::Square:
    case LineCap::Round:
        return cap;
    case LineCap::Custom:
        if (!custom)
            return LineCap::Flat; // a custom end without a shape is flat
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

cairo_line_cap_t ToCairoCap(LineCap cap)
{
    switch (cap) {
    case LineCap::Square:
        return CAIRO_LINE_CAP_SQUARE;
    case LineCap::Round:
        return CAIRO_LINE_CAP_ROUND;
    default:
        return CAIRO_LINE_CAP_BUTT;
    }
}

cairo_line_join_t ToCairoJoin(LineJoin join)
{
    switch (join) {
    case LineJoin::Bevel:
        return CAIRO_LINE_JOIN_BEVEL;
    case LineJoin::Round:
        return CAIRO_LINE_JOIN_ROUND;
    default:
        return CAIRO_LINE_JOIN_MITER;
    }
}

// Everything needed to stroke one path with one pen, worked out once.
struct StrokePlan {
    StrokeMethod method = StrokeMethod::Nothing;
    // Pen space to device space.
    cairo_matrix_t penToDevice{};
    StrokeStyle style;
    std::optional<LineCap> cairoCap;
    // The path in pen space, when the plan needed it.
    std::vector<StrokeFigure> figures;
};

// The path flattened in device space.
std::vector<FlattenedFigure> DeviceFigures(const GraphicsPath& path, const cairo_matrix_t& worldToDevice,
                                           double flatness)
{
    Matrix toDevice = FromCairoMatrix(worldToDevice);
    return path.GetFlattenedFigures(&toDevice, float(flatness));
}

StrokeVec ToPenSpace(const cairo_matrix_t& deviceToPen, PointF p)
{
    const cairo_matrix_t& m = deviceToPen;
    return StrokeVec(m.xx * p.X + m.xy * p.Y + m.x0, m.yx * p.X + m.yy * p.Y + m.y0);
}

std::vector<StrokeFigure> PenSpaceFigures(const std::vector<FlattenedFigure>& flattened,
                                          const cairo_matrix_t& deviceToPen)
{
    std::vector<StrokeFigure> figures(flattened.size());
    for (size_t f = 0; f < flattened.size(); ++f) {
        figures[f].closed = flattened[f].closed;
        std::vector<StrokeVec>& points = figures[f].points;
        points.reserve(flattened[f].points.size());
        for (PointF p : flattened[f].points)
            points.push_back(ToPenSpace(deviceToPen, p));
    }
    return figures;
}

// Whether some corner of the flattened figures, taken into pen space, has a miter that GDI+
// cuts off at the limit while cairo bevels it, and the two differ by more than `visible`
// (pen space).
//
// A corner turning by θ is cut where 1 / cos(θ/2) exceeds the limit; the cut then lies
// limit·h out along the bisector and cairo's bevel h·cos(θ/2), h being half the width. So
// the corners that count are those with cos(θ/2) < T = min(1 / limit, limit − visible / h),
// that is cos θ < 2T² − 1, which the segments' own vectors tell without a square root.
bool HasCutMiter(const std::vector<FlattenedFigure>& flattened, const cairo_matrix_t& deviceToPen, double halfWidth,
                 double limit, double visible)
{
    const double t = std::min(1.0 / limit, limit - visible / halfWidth);
    if (!(t > 0.0))
        return false;
    const double c = 2.0 * t * t - 1.0;
    const double c2 = c * c;
    auto counts = [&](StrokeVec in, StrokeVec out) {
        double dot = in.Dot(out);
        double scaled = c2 * in.Dot(in) * out.Dot(out);
        return c > 0.0 ? dot < 0.0 || dot * dot < scaled : dot < 0.0 && dot * dot > scaled;
    };
    // Points closer than this to the one before are one point, as the stroker takes them.
    const double epsilon = halfWidth * 1e-9;
    const double epsilon2 = epsilon * epsilon;
    // The figure's points without repeats, in one buffer for all figures.
    std::vector<StrokeVec> points;
    for (const FlattenedFigure& figure : flattened) {
        points.clear();
        points.reserve(figure.points.size());
        for (PointF devicePoint : figure.points) {
            StrokeVec p = ToPenSpace(deviceToPen, devicePoint);
            if (points.empty() || (p - points.back()).Dot(p - points.back()) > epsilon2)
                points.push_back(p);
        }
        size_t n = points.size();
        StrokeVec closing = points.empty() ? StrokeVec() : points.back() - points.front();
        if (figure.closed && n > 1 && closing.Dot(closing) <= epsilon2)
            --n;
        if (n < 3 && !(figure.closed && n == 2))
            continue;
        size_t first = figure.closed ? 0 : 1;
        size_t last = figure.closed ? n : n - 1;
        StrokeVec in = points[first] - points[(first + n - 1) % n];
        for (size_t v = first; v < last; ++v) {
            StrokeVec out = points[(v + 1) % n] - points[v];
            if (counts(in, out))
                return true;
            in = out;
        }
    }
    return false;
}

StrokePlan MakePlan(const Pen& pen, const GraphicsPath& path, const cairo_matrix_t& worldToDevice, bool forOutline,
                    bool minimumPixel, double deviceTolerance)
{
    StrokePlan plan;
    if (!pen.IsValid() || !IsUsableCairoMatrix(worldToDevice))
        return plan;
    Matrix penTransform = pen.GetTransform();
    cairo_matrix_t penLinear;
    cairo_matrix_init(&penLinear, penTransform.M11(), penTransform.M12(), penTransform.M21(), penTransform.M22(), 0, 0);
    cairo_matrix_multiply(&plan.penToDevice, &penLinear, &worldToDevice);
    if (!IsUsableCairoMatrix(plan.penToDevice))
        return plan;

    double width = pen.GetWidth();
    if (width == 0.0) {
        if (!minimumPixel)
            return plan;
        // One device pixel whatever the transforms: stroke in device space.
        cairo_matrix_init_identity(&plan.penToDevice);
        width = 1.0;
    }
    const Stretch stretch = StretchOf(plan.penToDevice);
    if (pen.GetWidth() != 0.0 && minimumPixel)
        width = std::max(width, 1.0 / stretch.smallest);

    StrokeStyle& style = plan.style;
    style.width = width;
    style.join = pen.GetLineJoin();
    style.miterLimit = std::max(1.0f, pen.GetMiterLimit());
    style.startCap = pen.GetStartCap();
    style.endCap = pen.GetEndCap();
    style.dashCap = pen.GetDashCap();
    style.customStartCap = pen.GetCustomStartCap();
    style.customEndCap = pen.GetCustomEndCap();
    for (float length : pen.GetDashPattern())
        style.dashes.push_back(double(length) * width);
    // A positive offset moves the pattern forward along the path: the path starts that far
    // before the pattern's beginning, i.e. at the phase one period minus the offset.
    style.dashPhase = -double(pen.GetDashOffset()) * width;
    if (!style.dashes.empty()) {
        double period = 0.0;
        for (double d : style.dashes)
            period += d;
        if (style.dashes.size() % 2 != 0)
            period *= 2.0; // an odd pattern repeats after going through twice
        style.dashPhase = std::fmod(style.dashPhase, period);
        if (style.dashPhase < 0.0)
            style.dashPhase += period;
    }
    std::vector<float> compound = pen.GetCompoundArray();
    // One full-width line is no compound line at all.
    if (!(compound.size() == 2 && compound[0] == 0.0f && compound[1] == 1.0f))
        style.compound.assign(compound.begin(), compound.end());
    style.inset = pen.GetAlignment() == PenAlignment::Inset;
    style.tolerance = deviceTolerance / stretch.largest;
    bool finite = std::isfinite(style.width) && std::isfinite(style.dashPhase)
        && std::all_of(style.dashes.begin(), style.dashes.end(), [](double d) { return std::isfinite(d) && d > 0.0; });
    if (!finite)
        return plan;

    std::optional<LineCap> start = CairoEnd(style.startCap, style.customStartCap);
    std::optional<LineCap> end = CairoEnd(style.endCap, style.customEndCap);
    bool plain = !forOutline && style.compound.empty() && !style.inset && start && end && *start == *end;
    if (plain && !style.dashes.empty())
        plain = *start == LineCap::Flat && style.dashCap == DashCap::Flat;
    cairo_matrix_t deviceToPen = plan.penToDevice;
    cairo_matrix_invert(&deviceToPen);
    std::optional<std::vector<FlattenedFigure>> flattened;
    if (plain && style.join == LineJoin::Miter) {
        flattened = DeviceFigures(path, worldToDevice, deviceTolerance);
        plain = !HasCutMiter(*flattened, deviceToPen, width / 2.0, style.miterLimit,
                             kVisibleMiterDifference / stretch.largest);
    }
    if (plain) {
        plan.method = StrokeMethod::CairoStroke;
        plan.cairoCap = start;
        return plan;
    }
    plan.method = StrokeMethod::OutlineFill;
    if (!flattened)
        flattened = DeviceFigures(path, worldToDevice, deviceTolerance);
    plan.figures = PenSpaceFigures(*flattened, deviceToPen);
    return plan;
}

void StrokeWithCairo(cairo_t* cr, const cairo_matrix_t& worldToDevice, const GraphicsPath& path,
                     const StrokePlan& plan)
{
    SetCairoPathInDevice(cr, path, worldToDevice);
    // The nib is set up in pen space, which cairo takes from the transform current at the
    // stroke. A pen space that is device space moved needs no transform at all, which
    // spares cairo mapping every segment's direction into pen space and back.
    if (IsCairoTranslation(plan.penToDevice))
        cairo_identity_matrix(cr);
    else
        cairo_set_matrix(cr, &plan.penToDevice);
    const StrokeStyle& style = plan.style;
    cairo_set_line_width(cr, style.width);
    cairo_set_line_cap(cr, ToCairoCap(*plan.cairoCap));
    cairo_set_line_join(cr, ToCairoJoin(style.join));
    cairo_set_miter_limit(cr, style.miterLimit);
    cairo_set_dash(cr, style.dashes.data(), int(style.dashes.size()), style.dashPhase);
    cairo_stroke(cr);
}

void FillOutline(cairo_t* cr, const StrokePlan& plan)
{
    std::vector<StrokePolygon> outline = StrokeFigures(plan.figures, plan.style);
    // The outline goes in in device coordinates, mapped here as cairo itself would map
    // them: a fill of straight edges does not depend on the transform, and cairo then
    // takes each point as it stands.
    cairo_identity_matrix(cr);
    cairo_new_path(cr);
    for (const StrokePolygon& polygon : outline) {
        for (size_t i = 0; i < polygon.size(); ++i) {
            double x = polygon[i].x, y = polygon[i].y;
            cairo_matrix_transform_point(&plan.penToDevice, &x, &y);
            if (i == 0)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
        cairo_close_path(cr);
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr);
}

} // namespace

StrokeMethod ChooseStrokeMethod(const Pen& pen, const GraphicsPath& path, const cairo_matrix_t& worldToDevice)
{
    return MakePlan(pen, path, worldToDevice, false, true, kDeviceTolerance).method;
}

bool StrokePathWithPen(cairo_t* cr, const cairo_matrix_t& worldToDevice, const GraphicsPath& path, const Pen& pen)
{
    StrokePlan plan = MakePlan(pen, path, worldToDevice, false, true, kDeviceTolerance);
    if (plan.method == StrokeMethod::Nothing)
        return false;
    // The brush is laid out in world coordinates: set it while they are the user space.
    cairo_set_matrix(cr, &worldToDevice);
    bool painted = pen.GetBrush().SetAsSource(cr);
    if (painted) {
        if (plan.method == StrokeMethod::CairoStroke)
            StrokeWithCairo(cr, worldToDevice, path, plan);
        else
            FillOutline(cr, plan);
    }
    return painted;
}

std::optional<GraphicsPath> WidenPathWithPen(const GraphicsPath& path, const Pen& pen, const Matrix* matrix,
                                             float flatness)
{
    cairo_matrix_t toTarget = ToCairoMatrix(matrix ? *matrix : Matrix());
    if (!pen.IsValid() || !IsUsableCairoMatrix(toTarget))
        return std::nullopt;
    GraphicsPath result(FillMode::Winding);
    if (pen.GetWidth() == 0.0f)
        return result;
    double tolerance = flatness > 0.0f ? flatness : kFlatnessDefault;
    StrokePlan plan = MakePlan(pen, path, toTarget, true, false, tolerance);
    if (plan.method == StrokeMethod::Nothing)
        return std::nullopt;
    std::vector<PointF> points;
    for (const StrokePolygon& polygon : StrokeFigures(plan.figures, plan.style)) {
        points.clear();
        for (StrokeVec p : polygon) {
            double x = p.x, y = p.y;
            cairo_matrix_transform_point(&plan.penToDevice, &x, &y);
            points.emplace_back(float(x), float(y));
        }
        result.AddPolygon(points);
    }
    result.SetFillMode(FillMode::Winding);
    return result;
}

} // namespace kelmora
