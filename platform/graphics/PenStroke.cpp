#include "platform/graphics/PenStroke.h"
#include "platform/graphics/CairoMatrix.h"

#include "platform/graphics/Stroker.h"
#include "platform/graphics/StrokePolyline.h"

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



Matrix FromCairo(const cairo_matrix_t& m)
{
    return Matrix(float(m.xx), float(m.yx), float(m.xy), float(m.yy), float(m.x0), float(m.y0));
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

// The path flattened in device space, then taken into pen space.
std::vector<StrokeFigure> PenSpaceFigures(const GraphicsPath& path, const cairo_matrix_t& worldToDevice,
                                          const cairo_matrix_t& penToDevice, double flatness)
{
    Matrix toDevice = FromCairo(worldToDevice);
    cairo_matrix_t deviceToPen = penToDevice;
    cairo_matrix_invert(&deviceToPen);
    const std::vector<FlattenedFigure> flattened = path.GetFlattenedFigures(&toDevice, float(flatness));
    std::vector<StrokeFigure> figures(flattened.size());
    const cairo_matrix_t& m = deviceToPen;
    for (size_t f = 0; f < flattened.size(); ++f) {
        figures[f].closed = flattened[f].closed;
        std::vector<StrokeVec>& points = figures[f].points;
        points.reserve(flattened[f].points.size());
        for (PointF p : flattened[f].points)
            points.emplace_back(m.xx * p.X + m.xy * p.Y + m.x0, m.yx * p.X + m.yy * p.Y + m.y0);
    }
    return figures;
}

// Whether some corner has a miter that GDI+ cuts off at the limit while cairo bevels it,
// and the two differ by more than `visible` (pen space).
bool HasCutMiter(const std::vector<StrokeFigure>& figures, double halfWidth, double limit, double visible)
{
    for (const StrokeFigure& figure : figures) {
        std::vector<StrokeVec> points = WithoutRepeats(figure.points, halfWidth * 1e-9);
        size_t n = points.size();
        if (figure.closed && n > 1 && (points.back() - points.front()).Length() <= halfWidth * 1e-9)
            --n;
        if (n < 3 && !(figure.closed && n == 2))
            continue;
        size_t first = figure.closed ? 0 : 1;
        size_t last = figure.closed ? n : n - 1;
        for (size_t v = first; v < last; ++v) {
            StrokeVec in = (points[v] - points[(v + n - 1) % n]).Normalized();
            StrokeVec out = (points[(v + 1) % n] - points[v]).Normalized();
            // The cosine of half the turn, cos(θ / 2) = √((1 + cos θ) / 2), without trigonometry.
            double halfCos = std::sqrt(std::max(0.0, (1.0 + in.Dot(out)) / 2.0));
            if (halfCos > 0.0 && 1.0 / halfCos <= limit)
                continue;
            double cut = halfCos > 0.0 ? std::min(limit * halfWidth, halfWidth / halfCos) : limit * halfWidth;
            if (cut - halfWidth * halfCos > visible)
                return true;
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
    if (plain && style.join == LineJoin::Miter) {
        plan.figures = PenSpaceFigures(path, worldToDevice, plan.penToDevice, deviceTolerance);
        plain = !HasCutMiter(plan.figures, width / 2.0, style.miterLimit, kVisibleMiterDifference / stretch.largest);
    }
    if (plain) {
        plan.method = StrokeMethod::CairoStroke;
        plan.cairoCap = start;
        return plan;
    }
    plan.method = StrokeMethod::OutlineFill;
    if (plan.figures.empty())
        plan.figures = PenSpaceFigures(path, worldToDevice, plan.penToDevice, deviceTolerance);
    return plan;
}

void AppendPath(cairo_t* cr, const GraphicsPath& path)
{
    auto points = path.Points();
    auto types = path.Types();
    for (size_t i = 0; i < points.size();) {
        size_t last = i;
        switch (PathTypeKind(types[i])) {
        case PathPointType::Start:
            cairo_move_to(cr, points[i].X, points[i].Y);
            ++i;
            break;
        case PathPointType::Line:
            cairo_line_to(cr, points[i].X, points[i].Y);
            ++i;
            break;
        default:
            // Béziers come whole in a GraphicsPath.
            cairo_curve_to(cr, points[i].X, points[i].Y, points[i + 1].X, points[i + 1].Y, points[i + 2].X,
                           points[i + 2].Y);
            last = i + 2;
            i += 3;
            break;
        }
        if (IsClosingPathType(types[last]))
            cairo_close_path(cr);
    }
}

void StrokeWithCairo(cairo_t* cr, const GraphicsPath& path, const StrokePlan& plan)
{
    // The path goes in in world coordinates; the nib is then set up in pen space, which
    // cairo takes from the transform current at the stroke.
    cairo_new_path(cr);
    AppendPath(cr, path);
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
    cairo_set_matrix(cr, &plan.penToDevice);
    cairo_new_path(cr);
    for (const StrokePolygon& polygon : outline) {
        cairo_move_to(cr, polygon[0].x, polygon[0].y);
        for (size_t i = 1; i < polygon.size(); ++i)
            cairo_line_to(cr, polygon[i].x, polygon[i].y);
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
    cairo_save(cr);
    // The brush is laid out in world coordinates: set it while they are the user space.
    cairo_set_matrix(cr, &worldToDevice);
    bool painted = pen.GetBrush().SetAsSource(cr);
    if (painted) {
        if (plan.method == StrokeMethod::CairoStroke)
            StrokeWithCairo(cr, path, plan);
        else
            FillOutline(cr, plan);
    }
    cairo_new_path(cr);
    cairo_restore(cr);
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
