#include "platform/graphics/PathGradientBrush.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

// The repeated tile of a wrapping path gradient is drawn once into an image of one pixel
// a brush unit; a boundary larger than this a side (or a mirrored pair of them) paints
// only inside the boundary, as Clamp does, rather than ask for a huge picture.
constexpr double kMaxTileSide = 4096.0;

// cairo rasterises mesh patches in device space, subdividing them by their size; beyond
// this many pixels from the origin a brush paints nothing rather than spend without end.
constexpr double kMaxDeviceExtent = double(1 << 20);

PointF Lerp(PointF a, PointF b, double t)
{
    return PointF(float(a.X + (b.X - a.X) * t), float(a.Y + (b.Y - a.Y) * t));
}

Color MixColors(Color a, Color b, float t)
{
    auto mix = [t](uint8_t x, uint8_t y) { return uint8_t(std::lround(x + (double(y) - x) * t)); };
    return Color(mix(a.GetA(), b.GetA()), mix(a.GetR(), b.GetR()), mix(a.GetG(), b.GetG()), mix(a.GetB(), b.GetB()));
}

void CornerColor(cairo_pattern_t* mesh, unsigned corner, const double rgba[4])
{
    cairo_mesh_pattern_set_corner_color_rgba(mesh, corner, rgba[0], rgba[1], rgba[2], rgba[3]);
}

void MoveTo(cairo_pattern_t* mesh, const cairo_matrix_t& place, PointF p)
{
    double x = p.X;
    double y = p.Y;
    cairo_matrix_transform_point(&place, &x, &y);
    cairo_mesh_pattern_move_to(mesh, x, y);
}

void LineTo(cairo_pattern_t* mesh, const cairo_matrix_t& place, PointF p)
{
    double x = p.X;
    double y = p.Y;
    cairo_matrix_transform_point(&place, &x, &y);
    cairo_mesh_pattern_line_to(mesh, x, y);
}

// Whether cairo can sample a surface through this device-to-pattern transform: steps
// of a 16.16 fixed-point transform, as for textures.
bool IsSampleable(const cairo_matrix_t& m)
{
    for (double e : {m.xx, m.yx, m.xy, m.yy}) {
        if (!(std::abs(e) < 32767.0))
            return false;
    }
    return std::isfinite(m.x0) && std::isfinite(m.y0);
}

// Adds the polygon to cr's path, mapped by `place`, turned so that its signed area is not
// negative: polygons added this way fill their union under the non-zero rule.
void AppendWoundPolygon(cairo_t* cr, const cairo_matrix_t& place, std::span<const PointF> corners)
{
    double x[4];
    double y[4];
    const size_t n = std::min(corners.size(), size_t(4));
    double area = 0;
    for (size_t k = 0; k < n; ++k) {
        x[k] = corners[k].X;
        y[k] = corners[k].Y;
        cairo_matrix_transform_point(&place, &x[k], &y[k]);
    }
    for (size_t k = 0; k < n; ++k)
        area += x[k] * y[(k + 1) % n] - x[(k + 1) % n] * y[k];
    for (size_t k = 0; k < n; ++k) {
        const size_t i = area >= 0 ? k : n - 1 - k;
        if (k == 0)
            cairo_move_to(cr, x[i], y[i]);
        else
            cairo_line_to(cr, x[i], y[i]);
    }
    cairo_close_path(cr);
}

bool ToCairo(const Matrix& m, cairo_matrix_t& out)
{
    if (!m.IsFinite())
        return false;
    cairo_matrix_init(&out, m.M11(), m.M12(), m.M21(), m.M22(), m.OffsetX(), m.OffsetY());
    return true;
}

} // namespace

PathGradientBrush::PathGradientBrush(const GraphicsPath& path)
{
    m_wrapMode = WrapMode::Clamp;
    Build(path);
}

PathGradientBrush::PathGradientBrush(std::span<const PointF> points, WrapMode wrapMode)
{
    m_wrapMode = IsValidWrapMode(wrapMode) ? wrapMode : WrapMode::Clamp;
    GraphicsPath path;
    if (points.size() >= 3 && path.AddPolygon(points)) {
        Build(path);
    } else {
        // Keep the point count for the surround colours even when the points are refused.
        m_pointCount = int(points.size());
    }
}

void PathGradientBrush::Build(const GraphicsPath& path)
{
    std::span<const PointF> points = path.Points();
    std::span<const uint8_t> types = path.Types();
    m_pointCount = int(points.size());
    for (PointF p : points) {
        if (!p.IsFinite())
            return;
    }
    std::vector<BoundaryPoint> figure;
    int last = 0;
    auto flush = [&] {
        // A figure of fewer than three points encloses nothing.
        if (figure.size() >= 3)
            m_figures.push_back(std::move(figure));
        figure.clear();
    };
    const size_t n = points.size();
    size_t i = 0;
    while (i < n) {
        const uint8_t kind = PathTypeKind(types[i]);
        if (kind == PathPointType::Start || figure.empty()) {
            flush();
            figure.push_back({points[i], int(i), int(i), 0.0f});
            last = int(i);
            ++i;
        } else if (kind == PathPointType::Bezier && i + 2 < n) {
            GraphicsPath curve;
            curve.AddBezier(points[size_t(last)], points[i], points[i + 1], points[i + 2]);
            std::vector<FlattenedFigure> flat = curve.GetFlattenedFigures();
            const int end = int(i + 2);
            if (!flat.empty() && flat[0].points.size() > 2) {
                // The colour of a point on the curve mixes the colours of its ends by the
                // share of the curve's length up to it.
                const std::vector<PointF>& line = flat[0].points;
                std::vector<double> length(line.size(), 0.0);
                for (size_t k = 1; k < line.size(); ++k)
                    length[k] = length[k - 1] + std::hypot(line[k].X - line[k - 1].X, line[k].Y - line[k - 1].Y);
                const double total = length.back();
                for (size_t k = 1; k + 1 < line.size(); ++k)
                    figure.push_back({line[k], last, end, total > 0 ? float(length[k] / total) : 0.0f});
            }
            figure.push_back({points[i + 2], end, end, 0.0f});
            last = end;
            i += 3;
        } else {
            figure.push_back({points[i], int(i), int(i), 0.0f});
            last = int(i);
            ++i;
        }
    }
    flush();
    if (m_figures.empty())
        return;

    float left = m_figures[0][0].point.X;
    float top = m_figures[0][0].point.Y;
    float right = left;
    float bottom = top;
    double area = 0, cx = 0, cy = 0, sumX = 0, sumY = 0;
    size_t count = 0;
    for (const auto& f : m_figures) {
        for (size_t k = 0; k < f.size(); ++k) {
            PointF p = f[k].point;
            PointF q = f[(k + 1) % f.size()].point;
            left = std::min(left, p.X);
            right = std::max(right, p.X);
            top = std::min(top, p.Y);
            bottom = std::max(bottom, p.Y);
            const double cross = double(p.X) * q.Y - double(q.X) * p.Y;
            area += cross;
            cx += (double(p.X) + q.X) * cross;
            cy += (double(p.Y) + q.Y) * cross;
            sumX += p.X;
            sumY += p.Y;
            ++count;
        }
    }
    m_bounds = RectF(left, top, right - left, bottom - top);
    // The centre is the centroid of the enclosed area, or of the points when they
    // enclose none.
    if (std::abs(area) > 1e-9 * std::max(1.0, double(m_bounds.Width) * m_bounds.Height))
        m_center = PointF(float(cx / (3.0 * area)), float(cy / (3.0 * area)));
    else
        m_center = PointF(float(sumX / double(count)), float(sumY / double(count)));
    m_valid = m_bounds.IsFinite() && m_center.IsFinite();
}

bool PathGradientBrush::SetCenterPoint(PointF point)
{
    if (!point.IsFinite())
        return false;
    m_center = point;
    return true;
}

bool PathGradientBrush::SetFocusScales(float sx, float sy)
{
    if (!std::isfinite(sx) || !std::isfinite(sy))
        return false;
    m_focusX = sx;
    m_focusY = sy;
    return true;
}

bool PathGradientBrush::SetSurroundColors(std::span<const Color> colors)
{
    if (colors.empty() || colors.size() > size_t(m_pointCount))
        return false;
    m_surroundColors.assign(colors.begin(), colors.end());
    return true;
}

bool PathGradientBrush::SetWrapMode(WrapMode wrapMode)
{
    if (!IsValidWrapMode(wrapMode))
        return false;
    m_wrapMode = wrapMode;
    return true;
}

Color PathGradientBrush::SurroundColor(int pointIndex) const
{
    return m_surroundColors[std::min(size_t(pointIndex), m_surroundColors.size() - 1)];
}

cairo_pattern_t* PathGradientBrush::CreateMesh(const cairo_matrix_t& place) const
{
    const std::vector<GradientSample> samples = Samples();
    const bool hasInner = m_focusX != 0.0f || m_focusY != 0.0f;
    cairo_pattern_t* mesh = cairo_pattern_create_mesh();
    std::vector<Color> boundary;
    std::vector<PointF> inner;
    for (const auto& figure : m_figures) {
        const size_t m = figure.size();
        boundary.clear();
        inner.clear();
        for (const BoundaryPoint& b : figure) {
            boundary.push_back(MixColors(SurroundColor(b.from), SurroundColor(b.to), b.t));
            inner.push_back(PointF(m_center.X + (b.point.X - m_center.X) * m_focusX,
                                   m_center.Y + (b.point.Y - m_center.Y) * m_focusY));
        }
        for (size_t e = 0; e < m; ++e) {
            const size_t a = e;
            const size_t b = (e + 1) % m;
            // One patch per ring of the ramp between this edge and the inner boundary.
            for (size_t k = 0; k + 1 < samples.size(); ++k) {
                const GradientSample& s0 = samples[k];
                const GradientSample& s1 = samples[k + 1];
                if (!(s1.position > s0.position))
                    continue;
                const PointF p0 = Lerp(figure[a].point, inner[a], s0.position);
                const PointF p1 = Lerp(figure[b].point, inner[b], s0.position);
                const PointF p2 = Lerp(figure[b].point, inner[b], s1.position);
                const PointF p3 = Lerp(figure[a].point, inner[a], s1.position);
                double c[4][4];
                MixAt(s0, boundary[a], m_centerColor, c[0]);
                MixAt(s0, boundary[b], m_centerColor, c[1]);
                MixAt(s1, boundary[b], m_centerColor, c[2]);
                MixAt(s1, boundary[a], m_centerColor, c[3]);
                cairo_mesh_pattern_begin_patch(mesh);
                MoveTo(mesh, place, p0);
                LineTo(mesh, place, p1);
                LineTo(mesh, place, p2);
                LineTo(mesh, place, p3);
                for (unsigned corner = 0; corner < 4; ++corner)
                    CornerColor(mesh, corner, c[corner]);
                cairo_mesh_pattern_end_patch(mesh);
            }
            if (hasInner) {
                // Inside the inner boundary the ramp's last colour.
                double ca[4];
                double cb[4];
                MixAt(samples.back(), boundary[a], m_centerColor, ca);
                MixAt(samples.back(), boundary[b], m_centerColor, cb);
                cairo_mesh_pattern_begin_patch(mesh);
                MoveTo(mesh, place, m_center);
                LineTo(mesh, place, inner[a]);
                LineTo(mesh, place, inner[b]);
                LineTo(mesh, place, m_center);
                CornerColor(mesh, 0, ca);
                CornerColor(mesh, 1, ca);
                CornerColor(mesh, 2, cb);
                CornerColor(mesh, 3, ca);
                cairo_mesh_pattern_end_patch(mesh);
            }
        }
    }
    if (cairo_pattern_status(mesh) != CAIRO_STATUS_SUCCESS) {
        cairo_pattern_destroy(mesh);
        return nullptr;
    }
    return mesh;
}

void PathGradientBrush::AppendMeshArea(cairo_t* cr, const cairo_matrix_t& place) const
{
    const bool hasInner = m_focusX != 0.0f || m_focusY != 0.0f;
    auto inner = [&](PointF p) {
        return PointF(m_center.X + (p.X - m_center.X) * m_focusX, m_center.Y + (p.Y - m_center.Y) * m_focusY);
    };
    for (const auto& figure : m_figures) {
        const size_t m = figure.size();
        for (size_t e = 0; e < m; ++e) {
            const PointF a = figure[e].point;
            const PointF b = figure[(e + 1) % m].point;
            const PointF ring[4] = {a, b, inner(b), inner(a)};
            AppendWoundPolygon(cr, place, ring);
            if (hasInner) {
                const PointF centre[3] = {m_center, inner(a), inner(b)};
                AppendWoundPolygon(cr, place, centre);
            }
        }
    }
}

bool PathGradientBrush::Tiles() const
{
    const int columns = m_wrapMode == WrapMode::TileFlipX || m_wrapMode == WrapMode::TileFlipXY ? 2 : 1;
    const int rows = m_wrapMode == WrapMode::TileFlipY || m_wrapMode == WrapMode::TileFlipXY ? 2 : 1;
    const double w = m_bounds.Width;
    const double h = m_bounds.Height;
    return m_wrapMode != WrapMode::Clamp && w > 0 && h > 0 && w * columns <= kMaxTileSide && h * rows <= kMaxTileSide;
}

bool PathGradientBrush::AppendPaintedArea(cairo_t* cr) const
{
    cairo_matrix_t brushToUser;
    if (!m_valid || Tiles() || !ToCairo(GetTransform(), brushToUser))
        return false;
    AppendMeshArea(cr, brushToUser);
    return true;
}

bool PathGradientBrush::SetAsSource(cairo_t* cr) const
{
    if (!m_valid)
        return false;
    cairo_matrix_t brushToUser;
    if (!ToCairo(GetTransform(), brushToUser))
        return false;
    cairo_matrix_t userToDevice;
    cairo_get_matrix(cr, &userToDevice);
    cairo_matrix_t brushToDevice;
    cairo_matrix_multiply(&brushToDevice, &brushToUser, &userToDevice);
    // Every patch corner lies between a boundary point and its inner point (the boundary
    // scaled about the centre by the focus scales, the centre itself without them): inside
    // the box of the boundary's rectangle, the centre and the inner rectangle.
    const double left = m_bounds.X;
    const double top = m_bounds.Y;
    const double right = m_bounds.GetRight();
    const double bottom = m_bounds.GetBottom();
    const double cx = m_center.X;
    const double cy = m_center.Y;
    const double innerX[2] = {cx + (left - cx) * m_focusX, cx + (right - cx) * m_focusX};
    const double innerY[2] = {cy + (top - cy) * m_focusY, cy + (bottom - cy) * m_focusY};
    const double xs[5] = {left, right, cx, innerX[0], innerX[1]};
    const double ys[5] = {top, bottom, cy, innerY[0], innerY[1]};
    const double minX = *std::min_element(xs, xs + 5);
    const double maxX = *std::max_element(xs, xs + 5);
    const double minY = *std::min_element(ys, ys + 5);
    const double maxY = *std::max_element(ys, ys + 5);
    for (double x0 : {minX, maxX}) {
        for (double y0 : {minY, maxY}) {
            double x = x0;
            double y = y0;
            cairo_matrix_transform_point(&brushToDevice, &x, &y);
            if (!(std::abs(x) < kMaxDeviceExtent && std::abs(y) < kMaxDeviceExtent))
                return false;
        }
    }
    const bool flipX = m_wrapMode == WrapMode::TileFlipX || m_wrapMode == WrapMode::TileFlipXY;
    const bool flipY = m_wrapMode == WrapMode::TileFlipY || m_wrapMode == WrapMode::TileFlipXY;
    const double w = m_bounds.Width;
    const double h = m_bounds.Height;
    const int columns = flipX ? 2 : 1;
    const int rows = flipY ? 2 : 1;
    if (!Tiles()) {
        // The patches are laid out in user space, so that no inverse of the brush
        // transform is ever needed.
        cairo_pattern_t* mesh = CreateMesh(brushToUser);
        if (!mesh)
            return false;
        cairo_set_source(cr, mesh);
        cairo_pattern_destroy(mesh);
        return true;
    }

    // The boundary's rectangle, beside and/or below its mirror image for the flip modes,
    // repeated edge to edge.
    cairo_matrix_t userToTile = brushToUser;
    if (cairo_matrix_invert(&userToTile) != CAIRO_STATUS_SUCCESS)
        return false;
    cairo_matrix_t toTile;
    cairo_matrix_init_translate(&toTile, -m_bounds.X, -m_bounds.Y);
    cairo_matrix_multiply(&userToTile, &userToTile, &toTile);
    cairo_matrix_t deviceToTile = userToDevice;
    if (cairo_matrix_invert(&deviceToTile) != CAIRO_STATUS_SUCCESS)
        return false;
    cairo_matrix_multiply(&deviceToTile, &deviceToTile, &userToTile);
    if (!IsSampleable(deviceToTile))
        return false;
    // The tile repeats, so its offset can be brought into the first period without
    // changing what is drawn. cairo cannot sample a recording surface far from its
    // origin: a boundary hundreds of thousands of units out would otherwise put the
    // context into its out-of-memory state for good.
    deviceToTile.x0 = std::fmod(deviceToTile.x0, w * columns);
    deviceToTile.y0 = std::fmod(deviceToTile.y0, h * rows);
    cairo_matrix_multiply(&userToTile, &userToDevice, &deviceToTile);

    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    cairo_pattern_t* mesh = CreateMesh(identity);
    if (!mesh)
        return false;
    cairo_rectangle_t extents{0, 0, w * columns, h * rows};
    cairo_surface_t* tile = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
    cairo_t* tcr = cairo_create(tile);
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row < rows; ++row) {
            cairo_save(tcr);
            cairo_translate(tcr, w * column, h * row);
            if (column == 1) {
                cairo_translate(tcr, w, 0);
                cairo_scale(tcr, -1, 1);
            }
            if (row == 1) {
                cairo_translate(tcr, 0, h);
                cairo_scale(tcr, 1, -1);
            }
            cairo_translate(tcr, -m_bounds.X, -m_bounds.Y);
            cairo_set_source(tcr, mesh);
            // The patches' own area, antialiased: the mesh's edges are not.
            cairo_set_fill_rule(tcr, CAIRO_FILL_RULE_WINDING);
            AppendMeshArea(tcr, identity);
            cairo_fill(tcr);
            cairo_restore(tcr);
        }
    }
    const bool drawn = cairo_status(tcr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(tcr);
    cairo_pattern_destroy(mesh);
    if (!drawn) {
        cairo_surface_destroy(tile);
        return false;
    }
    cairo_pattern_t* source = cairo_pattern_create_for_surface(tile);
    cairo_surface_destroy(tile);
    cairo_pattern_set_extend(source, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_matrix(source, &userToTile);
    const bool ok = cairo_pattern_status(source) == CAIRO_STATUS_SUCCESS;
    if (ok)
        cairo_set_source(cr, source);
    cairo_pattern_destroy(source);
    return ok;
}

} // namespace kelmora
