#include "platform/graphics/Pen.h"

#include "platform/graphics/SolidBrush.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

bool IsKnownLineCap(LineCap cap)
{
    switch (cap) {
    case LineCap::Flat:
    case LineCap::Square:
    case LineCap::Round:
    case LineCap::Triangle:
    case LineCap::NoAnchor:
    case LineCap::SquareAnchor:
    case LineCap::RoundAnchor:
    case LineCap::DiamondAnchor:
    case LineCap::ArrowAnchor:
    case LineCap::Custom:
        return true;
    }
    return false;
}

bool IsKnownLineJoin(LineJoin join) { return int(join) >= int(LineJoin::Miter) && int(join) <= int(LineJoin::MiterClipped); }

// The largest factor by which the matrix's linear part stretches a vector.
double LargestStretch(const Matrix& m)
{
    // Singular values of [[a, b], [c, d]]: √(s ± r) with s and r from the sums below.
    double a = m.M11(), b = m.M12(), c = m.M21(), d = m.M22();
    double s = (a * a + b * b + c * c + d * d) / 2.0;
    double r = std::hypot((a * a + b * b - c * c - d * d) / 2.0, a * c + b * d);
    return std::sqrt(s + r);
}

} // namespace

Pen::Pen(Color color, float width) : m_brush(std::make_unique<SolidBrush>(color))
{
    if (!SetWidth(width))
        m_width = 1.0f;
}

Pen::Pen(const Brush& brush, float width) : m_brush(brush.Clone())
{
    if (!SetWidth(width))
        m_width = 1.0f;
}

Pen::Pen(const Pen& other)
    : m_brush(other.m_brush->Clone()), m_width(other.m_width), m_dashStyle(other.m_dashStyle),
      m_dashPattern(other.m_dashPattern), m_dashOffset(other.m_dashOffset), m_dashCap(other.m_dashCap),
      m_startCap(other.m_startCap), m_endCap(other.m_endCap), m_customStartCap(other.m_customStartCap),
      m_customEndCap(other.m_customEndCap), m_lineJoin(other.m_lineJoin), m_miterLimit(other.m_miterLimit),
      m_compoundArray(other.m_compoundArray), m_alignment(other.m_alignment), m_transform(other.m_transform),
      m_failed(other.m_failed)
{
}

Pen& Pen::operator=(const Pen& other)
{
    if (this != &other)
        *this = Pen(other);
    return *this;
}

bool Pen::Refuse()
{
    m_failed = true;
    return false;
}

bool Pen::IsValid() const { return !m_failed && m_brush->IsValid(); }

bool Pen::SetWidth(float width)
{
    if (!std::isfinite(width) || width < 0.0f)
        return Refuse();
    m_width = width;
    return true;
}

Color Pen::GetColor() const
{
    if (m_brush->GetType() == BrushType::SolidColor)
        return static_cast<const SolidBrush&>(*m_brush).GetColor();
    return Color();
}

void Pen::SetColor(Color color) { m_brush = std::make_unique<SolidBrush>(color); }

PenType Pen::GetPenType() const
{
    switch (m_brush->GetType()) {
    case BrushType::SolidColor:
        return PenType::SolidColor;
    case BrushType::HatchFill:
        return PenType::HatchFill;
    case BrushType::TextureFill:
        return PenType::TextureFill;
    case BrushType::PathGradient:
        return PenType::PathGradient;
    case BrushType::LinearGradient:
        return PenType::LinearGradient;
    }
    return PenType::Unknown;
}

bool Pen::SetDashStyle(DashStyle style)
{
    if (!IsValidDashStyle(style))
        return false;
    m_dashStyle = style;
    return true;
}

std::vector<float> Pen::GetDashPattern() const
{
    switch (m_dashStyle) {
    case DashStyle::Solid:
        return {};
    case DashStyle::Dash:
        return {3, 1};
    case DashStyle::Dot:
        return {1, 1};
    case DashStyle::DashDot:
        return {3, 1, 1, 1};
    case DashStyle::DashDotDot:
        return {3, 1, 1, 1, 1, 1};
    case DashStyle::Custom:
        return m_dashPattern;
    }
    return {};
}

bool Pen::SetDashPattern(std::span<const float> pattern)
{
    if (pattern.empty())
        return Refuse();
    if (!std::all_of(pattern.begin(), pattern.end(), [](float v) { return std::isfinite(v) && v > 0.0f; }))
        return Refuse();
    m_dashPattern.assign(pattern.begin(), pattern.end());
    m_dashStyle = DashStyle::Custom;
    return true;
}

bool Pen::SetDashOffset(float offset)
{
    if (!std::isfinite(offset))
        return Refuse();
    m_dashOffset = offset;
    return true;
}

bool Pen::SetDashCap(DashCap cap)
{
    if (!IsValidDashCap(cap))
        return false;
    m_dashCap = cap;
    return true;
}

bool Pen::SetStartCap(LineCap cap)
{
    if (!IsKnownLineCap(cap))
        return false;
    m_startCap = cap;
    return true;
}

bool Pen::SetEndCap(LineCap cap)
{
    if (!IsKnownLineCap(cap))
        return false;
    m_endCap = cap;
    return true;
}

bool Pen::SetLineCap(LineCap startCap, LineCap endCap, DashCap dashCap)
{
    if (!IsKnownLineCap(startCap) || !IsKnownLineCap(endCap) || !IsValidDashCap(dashCap))
        return false;
    m_startCap = startCap;
    m_endCap = endCap;
    m_dashCap = dashCap;
    return true;
}

bool Pen::SetCustomStartCap(const CustomLineCap& cap)
{
    if (!cap.IsValid())
        return false;
    m_customStartCap = cap;
    m_startCap = LineCap::Custom;
    return true;
}

bool Pen::SetCustomEndCap(const CustomLineCap& cap)
{
    if (!cap.IsValid())
        return false;
    m_customEndCap = cap;
    m_endCap = LineCap::Custom;
    return true;
}

bool Pen::SetLineJoin(LineJoin join)
{
    if (!IsKnownLineJoin(join))
        return false;
    m_lineJoin = join;
    return true;
}

bool Pen::SetMiterLimit(float limit)
{
    if (!std::isfinite(limit))
        return Refuse();
    m_miterLimit = std::max(limit, 1.0f);
    return true;
}

bool IsValidCompoundArray(std::span<const float> fractions)
{
    if (fractions.empty() || fractions.size() % 2 != 0)
        return false;
    float previous = 0.0f;
    for (float value : fractions) {
        if (!std::isfinite(value) || value < previous || value > 1.0f)
            return false;
        previous = value;
    }
    return true;
}

bool Pen::SetCompoundArray(std::span<const float> fractions)
{
    if (!IsValidCompoundArray(fractions))
        return Refuse();
    m_compoundArray.assign(fractions.begin(), fractions.end());
    return true;
}

bool Pen::SetAlignment(PenAlignment alignment)
{
    if (!IsValidPenAlignment(alignment))
        return false;
    m_alignment = alignment;
    return true;
}

bool Pen::SetTransform(const Matrix& matrix)
{
    if (!matrix.IsFinite() || !matrix.IsInvertible())
        return Refuse();
    m_transform = matrix;
    return true;
}

bool Pen::MultiplyTransform(const Matrix& matrix, MatrixOrder order)
{
    Matrix combined = m_transform;
    combined.Multiply(matrix, order);
    return SetTransform(combined);
}

bool Pen::ScaleTransform(float sx, float sy, MatrixOrder order)
{
    return MultiplyTransform(Matrix::Scaling(sx, sy), order);
}

bool Pen::RotateTransform(float degrees, MatrixOrder order)
{
    if (!std::isfinite(degrees))
        return Refuse();
    return MultiplyTransform(Matrix::Rotation(degrees), order);
}

PenGeometry Pen::Geometry() const
{
    PenGeometry geometry;
    geometry.width = float(m_width * LargestStretch(m_transform));
    geometry.join = m_lineJoin;
    geometry.miterLimit = m_miterLimit;
    geometry.startCap = IsPlainLineCap(m_startCap) ? m_startCap : LineCap::Flat;
    geometry.endCap = IsPlainLineCap(m_endCap) ? m_endCap : LineCap::Flat;
    return geometry;
}

} // namespace kelmora
