#include "platform/graphics/LinearGradientBrush.h"

#include <cmath>

namespace kelmora {

namespace {

// cairo fails a gradient whose band is far below a device pixel (and the context with it);
// a band narrower than this many pixels is noise anyway and paints nothing.
constexpr double kMinBandPixels = 1.0 / 64.0;
// A band longer than this many pixels changes by under one level of 255 across the
// largest surface; such a gradient is refused rather than handed to cairo's fixed-point
// gradient code.
constexpr double kMaxBandPixels = double(1 << 24);

} // namespace

LinearGradientBrush::LinearGradientBrush(PointF point1, PointF point2, Color color1, Color color2)
    : m_color1(color1), m_color2(color2)
{
    if (!point1.IsFinite() || !point2.IsFinite())
        return;
    double dx = double(point2.X) - point1.X;
    double dy = double(point2.Y) - point1.Y;
    double lengthSquared = dx * dx + dy * dy;
    if (!(lengthSquared > 0))
        return;
    SetAxis(point1.X, point1.Y, dx / lengthSquared, dy / lengthSquared);
}

LinearGradientBrush::LinearGradientBrush(const RectF& rect, Color color1, Color color2, LinearGradientMode mode)
    : m_color1(color1), m_color2(color2)
{
    if (!rect.IsFinite())
        return;
    const double w = rect.Width;
    const double h = rect.Height;
    // With u and v the fractions across and down the rectangle, the position is u, v,
    // (u + v) / 2 or ((1 − u) + v) / 2: a diagonal gradient joins the corners whatever the
    // rectangle's proportions.
    switch (mode) {
    case LinearGradientMode::Horizontal:
        if (w != 0)
            SetAxis(rect.X, rect.Y, 1.0 / w, 0.0);
        break;
    case LinearGradientMode::Vertical:
        if (h != 0)
            SetAxis(rect.X, rect.Y, 0.0, 1.0 / h);
        break;
    case LinearGradientMode::ForwardDiagonal:
        if (w != 0 && h != 0)
            SetAxis(rect.X, rect.Y, 0.5 / w, 0.5 / h);
        break;
    case LinearGradientMode::BackwardDiagonal:
        if (w != 0 && h != 0)
            SetAxis(double(rect.X) + w, rect.Y, -0.5 / w, 0.5 / h);
        break;
    }
}

void LinearGradientBrush::SetAxis(double ox, double oy, double gx, double gy)
{
    m_origin[0] = ox;
    m_origin[1] = oy;
    m_direction[0] = gx;
    m_direction[1] = gy;
    m_valid = std::isfinite(gx) && std::isfinite(gy) && (gx != 0 || gy != 0);
}

bool LinearGradientBrush::SetWrapMode(WrapMode wrapMode)
{
    if (!IsValidWrapMode(wrapMode) || wrapMode == WrapMode::Clamp)
        return false;
    m_wrapMode = wrapMode;
    return true;
}

bool LinearGradientBrush::SetAsSource(cairo_t* cr) const
{
    if (!m_valid)
        return false;
    // cairo's gradient runs from (0, 0) to (1, 0) of pattern space; pattern x is the
    // position and pattern y the distance along the boundaries (scaled alike, so that the
    // map stays invertible).
    const double gx = m_direction[0];
    const double gy = m_direction[1];
    const double ox = m_origin[0];
    const double oy = m_origin[1];
    cairo_matrix_t brushToGradient;
    cairo_matrix_init(&brushToGradient, gx, -gy, gy, gx, -(gx * ox + gy * oy), gy * ox - gx * oy);
    const Matrix& t = GetTransform();
    cairo_matrix_t userToBrush;
    cairo_matrix_init(&userToBrush, t.M11(), t.M12(), t.M21(), t.M22(), t.OffsetX(), t.OffsetY());
    if (cairo_matrix_invert(&userToBrush) != CAIRO_STATUS_SUCCESS)
        return false;
    cairo_matrix_t userToGradient;
    cairo_matrix_multiply(&userToGradient, &userToBrush, &brushToGradient);
    // In device space only the position row matters: the band must be a length cairo can
    // draw, its start is moved by whole periods (two bands cover both repeating and
    // mirroring) to near the origin, and the row across it is made anew, perpendicular and
    // of the same scale, whatever a lopsided transform made of it.
    cairo_matrix_t userToDevice;
    cairo_get_matrix(cr, &userToDevice);
    cairo_matrix_t deviceToUser = userToDevice;
    if (cairo_matrix_invert(&deviceToUser) != CAIRO_STATUS_SUCCESS)
        return false;
    cairo_matrix_t deviceToGradient;
    cairo_matrix_multiply(&deviceToGradient, &deviceToUser, &userToGradient);
    for (double e : {deviceToGradient.xx, deviceToGradient.xy, deviceToGradient.x0}) {
        if (!std::isfinite(e))
            return false;
    }
    const double band = 1.0 / std::hypot(deviceToGradient.xx, deviceToGradient.xy);
    if (!(band >= kMinBandPixels && band <= kMaxBandPixels))
        return false;
    deviceToGradient.x0 = std::fmod(deviceToGradient.x0, 2.0);
    deviceToGradient.yx = -deviceToGradient.xy;
    deviceToGradient.yy = deviceToGradient.xx;
    deviceToGradient.y0 = 0.0;
    cairo_matrix_t check = deviceToGradient;
    if (cairo_matrix_invert(&check) != CAIRO_STATUS_SUCCESS)
        return false;
    cairo_matrix_multiply(&userToGradient, &userToDevice, &deviceToGradient);

    cairo_pattern_t* pattern = cairo_pattern_create_linear(0.0, 0.0, 1.0, 0.0);
    for (const GradientSample& sample : Samples()) {
        double rgba[4];
        MixAt(sample, m_color1, m_color2, rgba);
        cairo_pattern_add_color_stop_rgba(pattern, sample.position, rgba[0], rgba[1], rgba[2], rgba[3]);
    }
    const bool mirrored = m_wrapMode == WrapMode::TileFlipX || m_wrapMode == WrapMode::TileFlipXY;
    cairo_pattern_set_extend(pattern, mirrored ? CAIRO_EXTEND_REFLECT : CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_matrix(pattern, &userToGradient);
    const bool ok = cairo_pattern_status(pattern) == CAIRO_STATUS_SUCCESS;
    if (ok)
        cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
    return ok;
}

} // namespace kelmora
