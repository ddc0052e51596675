// How a BrushMan becomes a gradient brush: the gradient presets, linear gradients, path
// gradients in their four styles, and radial gradients (an elliptical path gradient,
// plain or painted into a tile that is then repeated like a texture).
//
// Values from a record reach the brushes only through their setters, which refuse what
// cairo must not see. A refused blend, blend shape or set of interpolation colours (counts
// that do not match, positions out of order, outside 0..1 or not finite) gives no brush
// for that drawing step: the fill paints nothing rather than something other than it
// says, and the next step starts afresh. A wrap mode a gradient does not take (Clamp for
// a linear gradient, a value outside the five) or more surround colours than the path has
// points leave the brush's default, and a placement step whose matrix is not finite or
// not invertible is left out on its own, as for textures.

#include "model/BrushMan.h"
#include "model/GradientForms.h"

#include "model/ShapePathBuilders.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/LinearGradientBrush.h"
#include "platform/graphics/PathGradientBrush.h"
#include "platform/graphics/SolidBrush.h"
#include "platform/graphics/TextureBrush.h"
#include "platform/imaging/PremultipliedPixels.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

enum class GradientPreset : int32_t {
    Horizontal = 0,
    Vertical = 1,
    ForwardDiagonal = 2,
    BackwardDiagonal = 3,
    CentreLinearBlend = 4,
    CentreRing = 5,
    CentreBell = 6,
};

enum class RadialSpread : int32_t {
    Pad = 1,
    Reflect = 2,
    Repeat = 3,
};

// Radial tiles are rendered at document resolution (300 dpi), as pattern tiles are, and
// bounded alike: over 13 inches a side and under 64 MiB.
constexpr int kMaxRadialTileSide = 4096;

// A repeating radial gradient paints one ring per radius that fits across the tile; a
// tile of kMaxRadialTileSide needs at most this many for rings one unit wide.
constexpr double kMaxRadialRings = kMaxRadialTileSide + 2;

std::vector<Color> Colors(const std::vector<ARGB>& values)
{
    std::vector<Color> colors;
    colors.reserve(values.size());
    for (ARGB v : values)
        colors.emplace_back(v);
    return colors;
}

// Interpolation colours with one position each; there may be more positions than colours
// (the rest are not used), never fewer.
bool SetInterpolation(GradientBrush& brush, const std::vector<ARGB>& colors, const std::vector<float>& positions)
{
    if (positions.size() < colors.size())
        return false;
    const std::vector<Color> values = Colors(colors);
    return brush.SetInterpolationColors(values, std::span(positions).first(values.size()));
}

bool SetBlendFactors(GradientBrush& brush, const std::vector<float>& factors, const std::vector<float>& positions)
{
    if (positions.size() < factors.size())
        return false;
    return brush.SetBlend(factors, std::span(positions).first(factors.size()));
}

} // namespace

void BrushMan::ApplyGradientPreset()
{
    const RectF& b = m_rcBounds;
    const PointF c(b.X + b.Width / 2.0f, b.Y + b.Height / 2.0f);
    switch (GradientPreset(m_nGradientPreset)) {
    case GradientPreset::Horizontal:
    case GradientPreset::Vertical:
    case GradientPreset::ForwardDiagonal:
    case GradientPreset::BackwardDiagonal:
        m_nKind = BrushKind::LinearGradient;
        m_nLinearMode = m_nGradientPreset;
        m_nWrapMode = int32_t(WrapMode::Tile);
        // The centre is not used by a linear gradient and is left as stored: mapping it
        // through the owner matrix at every build would move the stored value a little
        // further at each redraw.
        return;
    case GradientPreset::CentreLinearBlend:
        m_surroundColors = {m_clrBack};
        m_nBlendShape = 2;
        break;
    case GradientPreset::CentreRing:
        m_interpColors = {m_clrFore, m_clrBack, m_clrFore};
        m_interpPositions = {0.0f, 0.3f, 1.0f};
        break;
    case GradientPreset::CentreBell:
        m_surroundColors = {m_clrBack};
        m_nBlendShape = 1;
        m_fBlendFocus = 1.0f;
        m_fBlendScale = 1.0f;
        break;
    default:
        return;
    }
    m_nKind = BrushKind::PathGradient;
    m_bGammaCorrection = 1;
    m_nWrapMode = int32_t(WrapMode::Tile);
    m_ptCenter = c;
    if (m_pMatrix)
        m_ptCenter = m_pMatrix->TransformPoint(m_ptCenter);
}

Matrix BrushMan::GradientPlacement() const
{
    const PointF c = m_rcBounds.Center();
    const float s = float((50 - double(m_nGradientSize)) / 50.0);
    Matrix placement;
    auto append = [&](const Matrix& step) {
        Matrix next = placement;
        next.Multiply(step, MatrixOrder::Append);
        if (next.IsFinite() && next.IsInvertible())
            placement = next;
    };
    append(Matrix::Translation(-c.X, -c.Y));
    if (std::isfinite(m_fAngle))
        append(Matrix::Rotation(m_fAngle));
    append(Matrix::Translation(c.X, c.Y));
    append(Matrix::Scaling(s, s));
    append(Matrix::Translation(float(m_nGradientOffsetX * double(m_rcBounds.Width) / 100.0),
                               float(m_nGradientOffsetY * double(m_rcBounds.Height) / 100.0)));
    return placement;
}

std::unique_ptr<Brush> BrushMan::CreateLinearGradientBrush()
{
    const Color fore(m_clrFore);
    const Color back(m_clrBack);
    auto brush = m_bUsePoints ? std::make_unique<LinearGradientBrush>(m_ptStart, m_ptEnd, fore, back)
                              : std::make_unique<LinearGradientBrush>(m_rcBounds, fore, back,
                                                                      LinearGradientMode(m_nLinearMode));
    if (!brush->IsValid())
        return nullptr;
    brush->SetWrapMode(WrapMode(m_nWrapMode));
    brush->SetGammaCorrection(m_bGammaCorrection != 0);
    if (m_nBlendShape == 1) {
        if (!brush->SetBlendBellShape(m_fBlendFocus, m_fBlendScale))
            return nullptr;
    } else if (!m_blendFactors.empty() && !SetBlendFactors(*brush, m_blendFactors, m_blendPositions)) {
        return nullptr;
    }
    if (!m_interpColors.empty() && !SetInterpolation(*brush, m_interpColors, m_interpPositions))
        return nullptr;

    for (const Matrix& step : {GradientPlacement(), m_matrix})
        brush->MultiplyTransform(step, MatrixOrder::Append);
    if (m_pMatrix)
        brush->MultiplyTransform(*m_pMatrix, MatrixOrder::Append);
    return brush;
}

std::unique_ptr<Brush> BrushMan::CreatePathGradientBrush()
{
    const auto style = PathGradientStyle(m_nPathStyle);
    if (style == PathGradientStyle::CentrePoint || style == PathGradientStyle::CentrePointToo) {
        if (!m_pPath)
            return nullptr;
        auto brush = std::make_unique<PathGradientBrush>(*m_pPath);
        if (!brush->IsValid())
            return nullptr;
        brush->SetWrapMode(WrapMode(m_nWrapMode));
        brush->SetGammaCorrection(m_bGammaCorrection != 0);
        brush->SetCenterPoint(m_ptCenter);
        brush->SetCenterColor(Color(m_clrFore));
        brush->SetFocusScales(m_fFocusX, m_fFocusY);
        bool blended = true;
        if (m_nBlendShape == 1)
            blended = brush->SetBlendBellShape(m_fBlendFocus, m_fBlendScale);
        else if (m_nBlendShape == 2)
            blended = brush->SetBlendTriangularShape(m_fBlendFocus, m_fBlendScale);
        else if (!m_blendFactors.empty())
            blended = SetBlendFactors(*brush, m_blendFactors, m_blendPositions);
        if (!blended)
            return nullptr;
        if (!m_interpColors.empty() && !SetInterpolation(*brush, m_interpColors, m_interpPositions))
            return nullptr;
        if (!m_surroundColors.empty())
            brush->SetSurroundColors(Colors(m_surroundColors));
        brush->MultiplyTransform(m_matrix, MatrixOrder::Append);
        return brush;
    }

    const RectF& b = m_rcBounds;
    StopPolygon polygon = style == PathGradientStyle::StopPolygon
        ? PaintedStopPolygon(m_interpPositions, m_surroundColors)
        : StopPolygon{{}, m_surroundColors};
    GraphicsPath path;
    switch (style) {
    case PathGradientStyle::Rectangle:
        path.AddRectangle(b);
        break;
    case PathGradientStyle::Ellipse:
        path.AddEllipse(RectF(b.X - 0.2f * b.Width, b.Y - 0.2f * b.Height, 1.4f * b.Width, 1.4f * b.Height));
        break;
    case PathGradientStyle::StopPolygon:
        AddEllipseStopPolygon(path, b.Center(), b.Width / 2.0f, b.Height / 2.0f, polygon.stops);
        break;
    default:
        return nullptr;
    }
    Matrix placement = GradientPlacement();
    if (m_pMatrix)
        placement.Multiply(*m_pMatrix, MatrixOrder::Append);
    path.Transform(placement);
    auto brush = std::make_unique<PathGradientBrush>(path);
    if (!brush->IsValid())
        return nullptr;
    brush->SetWrapMode(WrapMode(m_nWrapMode));
    brush->SetGammaCorrection(m_bGammaCorrection != 0);
    if (style != PathGradientStyle::StopPolygon) {
        brush->SetCenterColor(Color(0x00000000));
        if (!m_blendFactors.empty() && !SetBlendFactors(*brush, m_blendFactors, m_blendPositions))
            return nullptr;
        if (!m_interpColors.empty() && !m_interpPositions.empty()
            && !SetInterpolation(*brush, m_interpColors, m_interpPositions))
            return nullptr;
    }
    if (!polygon.surround.empty())
        brush->SetSurroundColors(Colors(polygon.surround));
    brush->SetTransform(m_matrix);
    return brush;
}

std::optional<PathGradientBrush> BrushMan::RadialGradient() const
{
    GraphicsPath ellipse;
    ellipse.AddEllipse(RectF(m_ptCenter.X - m_fRadiusX, m_ptCenter.Y - m_fRadiusY, 2.0f * m_fRadiusX,
                             2.0f * m_fRadiusY));
    PathGradientBrush gradient(ellipse);
    if (!gradient.IsValid())
        return std::nullopt;
    gradient.SetWrapMode(WrapMode(m_nWrapMode));
    gradient.SetGammaCorrection(m_bGammaCorrection != 0);
    gradient.SetCenterPoint(m_ptFocus);
    // Every spread paints the gradient's own colours.
    if (!m_interpColors.empty() && !SetInterpolation(gradient, m_interpColors, m_interpPositions))
        return std::nullopt;
    return gradient;
}

std::unique_ptr<Brush> BrushMan::CreateRadialGradientBrush()
{
    // The gradient's ellipse lies in the shape's own space, as the shape's points do: it
    // is placed by the own matrix and the owner matrix only.
    if (RadialSpread(m_nSpread) == RadialSpread::Reflect) {
        std::optional<PathGradientBrush> gradient = RadialGradient();
        if (!gradient)
            return nullptr;
        auto brush = std::make_unique<PathGradientBrush>(*gradient);
        brush->MultiplyTransform(m_matrix, MatrixOrder::Append);
        if (m_pMatrix)
            brush->MultiplyTransform(*m_pMatrix, MatrixOrder::Append);
        return brush;
    }
    // Any other spread paints the held tile, whatever the spread: a copy or a stored fill
    // knows no spread of its own, and its tile is all it needs.
    if (!m_pImage)
        RenderRadialTile();
    if (!m_pImage || !m_pImage->IsOk() || !IsValidWrapMode(WrapMode(m_nWrapMode)))
        return nullptr;
    auto brush = std::make_unique<TextureBrush>(*m_pImage, WrapMode(m_nWrapMode));
    PlaceBrush(*brush);
    return brush;
}

bool BrushMan::RenderRadialTile()
{
    const auto spread = RadialSpread(m_nSpread);
    if (spread != RadialSpread::Pad && spread != RadialSpread::Reflect && spread != RadialSpread::Repeat)
        return false;
    if (!m_rcBounds.IsFinite())
        return false;
    const double width = std::trunc(double(m_rcBounds.Width));
    const double height = std::trunc(double(m_rcBounds.Height));
    if (!(width >= 1 && height >= 1 && width <= kMaxRadialTileSide && height <= kMaxRadialTileSide))
        return false;
    std::optional<PathGradientBrush> gradient = RadialGradient();
    if (!gradient)
        return false;
    std::optional<ImageSurface> surface = ImageSurface::Create(int(width), int(height));
    if (!surface)
        return false;
    {
        // The tile shows the shape's own space from the bounds' top-left corner, where the
        // placement puts the tile's first pixel.
        Graphics g(*surface);
        g.SetSmoothingMode(SmoothingMode::AntiAlias);
        g.TranslateTransform(-m_rcBounds.X, -m_rcBounds.Y, MatrixOrder::Prepend);
        GraphicsPath r;
        r.AddRectangle(RectF(m_rcBounds.X, m_rcBounds.Y, float(width), float(height)));
        if (spread == RadialSpread::Repeat) {
            // Rings from the largest in: each a copy of the ellipse scaled k times about
            // its centre.
            const double smallest = 2.0 * std::min(double(m_fRadiusX), double(m_fRadiusY));
            const double rings = std::trunc(std::max(width, height) / smallest) + 2;
            if (!(smallest > 0) || !(rings <= kMaxRadialRings))
                return false;
            const PointF c = m_ptCenter;
            for (int k = int(rings); k >= 1; --k) {
                const Matrix ring = Matrix::Translation(-c.X, -c.Y) * Matrix::Scaling(float(k), float(k))
                    * Matrix::Translation(c.X, c.Y);
                gradient->SetTransform(ring);
                g.FillPath(*gradient, r);
            }
        } else {
            // Pad: outside the ellipse the first colour; without colours no background.
            // A reflecting gradient, kept as a tile when it is stored, is the ellipse alone.
            if (spread == RadialSpread::Pad && !m_interpColors.empty())
                g.FillPath(SolidBrush(Color(m_interpColors.front())), r);
            g.FillPath(*gradient, r);
        }
    }
    cairo_surface_t* cs = surface->CairoSurface();
    cairo_surface_flush(cs);
    auto tile = std::make_shared<Bitmap>(BitmapFromPremultiplied(cairo_image_surface_get_data(cs), surface->Width(),
                                                                 surface->Height(),
                                                                 cairo_image_surface_get_stride(cs)));
    if (!tile->IsOk())
        return false;
    m_pImage = std::move(tile);
    return true;
}

} // namespace kelmora
