#include "platform/graphics/Graphics.h"
#include "platform/graphics/CairoMatrix.h"

#include "platform/graphics/Brush.h"
#include "platform/graphics/CairoPath.h"
#include "platform/graphics/PenStroke.h"
#include "platform/geometry/PathThinning.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace kelmora {

namespace {

// GDI+ puts pixel centres on integer coordinates, cairo on half-integers: half a device
// pixel to the right and down makes cairo sample where GDI+ does.
constexpr double kPixelCentreOffset = 0.5;

// GDI+'s pen defaults: miter joins cut off at ten times the width.
constexpr double kDefaultMiterLimit = 10.0;



bool IsDrawable(const GraphicsPath& path)
{
    auto points = path.Points();
    return std::all_of(points.begin(), points.end(), [](PointF p) { return p.IsFinite(); });
}

void SetSourceColor(cairo_t* cr, Color color)
{
    cairo_set_source_rgba(cr, color.GetR() / 255.0, color.GetG() / 255.0, color.GetB() / 255.0, color.GetA() / 255.0);
}

cairo_fill_rule_t ToCairo(FillMode mode)
{
    return mode == FillMode::Winding ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD;
}

} // namespace

Graphics::Graphics(cairo_t* cr) : m_cr(cairo_reference(cr))
{
    assert(cr);
    cairo_save(m_cr);
    cairo_get_matrix(m_cr, &m_base);
}

Graphics::Graphics(ImageSurface& surface) : m_cr(cairo_create(surface.CairoSurface()))
{
    cairo_save(m_cr);
    cairo_get_matrix(m_cr, &m_base);
}

Graphics::~Graphics()
{
    cairo_restore(m_cr);
    cairo_destroy(m_cr);
}

std::optional<cairo_matrix_t> Graphics::PixelMatrix(const Matrix& world) const
{
    cairo_matrix_t w = ToCairoMatrix(world);
    cairo_matrix_t result;
    cairo_matrix_multiply(&result, &w, &m_base);
    if (!IsUsableCairoMatrix(result))
        return std::nullopt;
    return result;
}

std::optional<cairo_matrix_t> Graphics::DeviceMatrix(const Matrix& world) const
{
    std::optional<cairo_matrix_t> result = PixelMatrix(world);
    if (!result)
        return std::nullopt;
    cairo_matrix_t offset;
    cairo_matrix_init_translate(&offset, kPixelCentreOffset, kPixelCentreOffset);
    cairo_matrix_multiply(&*result, &*result, &offset);
    if (!IsUsableCairoMatrix(*result))
        return std::nullopt;
    return result;
}

std::optional<Matrix> Graphics::GetDeviceTransform() const
{
    const std::optional<cairo_matrix_t> device = PixelMatrix(m_state.world);
    return device ? std::optional<Matrix>(FromCairoMatrix(*device)) : std::nullopt;
}

bool Graphics::SetTransform(const Matrix& matrix)
{
    if (!matrix.IsInvertible() || !DeviceMatrix(matrix))
        return false;
    m_state.world = matrix;
    return true;
}

bool Graphics::MultiplyTransform(const Matrix& matrix, MatrixOrder order)
{
    if (!matrix.IsFinite())
        return false;
    Matrix combined = m_state.world;
    combined.Multiply(matrix, order);
    return SetTransform(combined);
}

bool Graphics::TranslateTransform(float dx, float dy, MatrixOrder order)
{
    return MultiplyTransform(Matrix::Translation(dx, dy), order);
}

bool Graphics::ScaleTransform(float sx, float sy, MatrixOrder order)
{
    return MultiplyTransform(Matrix::Scaling(sx, sy), order);
}

bool Graphics::RotateTransform(float degrees, MatrixOrder order)
{
    if (!std::isfinite(degrees))
        return false;
    return MultiplyTransform(Matrix::Rotation(degrees), order);
}

bool Graphics::SetSmoothingMode(SmoothingMode mode)
{
    if (mode == SmoothingMode::Invalid)
        return false;
    m_state.smoothing = mode;
    return true;
}

void Graphics::ApplySmoothing()
{
    cairo_set_antialias(m_cr, Antialiases(m_state.smoothing) ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

bool Graphics::PreparePath(const GraphicsPath& path, const Matrix& world)
{
    auto device = DeviceMatrix(world);
    if (!device || !IsDrawable(path))
        return false;
    cairo_set_matrix(m_cr, &*device);
    cairo_new_path(m_cr);
    AppendCairoPath(m_cr, path);
    return true;
}

std::optional<GraphicsPath> Graphics::Thinned(const GraphicsPath& path) const
{
    if (!m_thinDetail || !IsDrawable(path))
        return std::nullopt;
    const std::optional<cairo_matrix_t> device = DeviceMatrix(m_state.world);
    return device ? ThinnedPath(path, FromCairoMatrix(*device)) : std::nullopt;
}

void Graphics::Clear(Color color)
{
    cairo_save(m_cr);
    cairo_identity_matrix(m_cr);
    cairo_set_operator(m_cr, CAIRO_OPERATOR_SOURCE);
    SetSourceColor(m_cr, color);
    cairo_paint(m_cr);
    cairo_restore(m_cr);
}

bool Graphics::FillPath(Color color, const GraphicsPath& given)
{
    const std::optional<GraphicsPath> thinned = Thinned(given);
    const GraphicsPath& path = thinned ? *thinned : given;
    if (!PreparePath(path, m_state.world))
        return false;
    cairo_set_fill_rule(m_cr, ToCairo(path.GetFillMode()));
    ApplySmoothing();
    SetSourceColor(m_cr, color);
    cairo_fill(m_cr);
    return true;
}

bool Graphics::DrawPath(Color color, float width, const GraphicsPath& given)
{
    if (!std::isfinite(width) || width < 0.0f)
        return false;
    const std::optional<GraphicsPath> thinned = Thinned(given);
    const GraphicsPath& path = thinned ? *thinned : given;
    if (!PreparePath(path, m_state.world))
        return false;
    if (width == 0.0f) {
        // The pen takes its shape from the transform current at the stroke: in device space
        // a width of 1 is one pixel.
        cairo_identity_matrix(m_cr);
        cairo_set_line_width(m_cr, 1.0);
    } else {
        cairo_set_line_width(m_cr, width);
    }
    cairo_set_line_cap(m_cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_miter_limit(m_cr, kDefaultMiterLimit);
    cairo_set_dash(m_cr, nullptr, 0, 0);
    ApplySmoothing();
    SetSourceColor(m_cr, color);
    cairo_stroke(m_cr);
    return true;
}

bool Graphics::FillPath(const Brush& brush, const GraphicsPath& given)
{
    const std::optional<GraphicsPath> thinned = Thinned(given);
    const GraphicsPath& path = thinned ? *thinned : given;
    const auto device = DeviceMatrix(m_state.world);
    if (!brush.IsValid() || !device || !IsDrawable(path))
        return false;
    cairo_set_matrix(m_cr, &*device);
    cairo_new_path(m_cr);
    ApplySmoothing();
    if (!brush.SetAsSource(m_cr))
        return false;
    // A brush whose own edge cairo draws aliased is clipped to its area with antialiasing,
    // so that edge is as smooth as the path's. The area is asked for before the shape goes
    // in: most brushes have none, and the shape is then added once, with no clip to undo.
    // (cairo keeps the current path out of its saved states.)
    if (cairo_get_antialias(m_cr) != CAIRO_ANTIALIAS_NONE && brush.AppendPaintedArea(m_cr)) {
        cairo_save(m_cr);
        cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_WINDING);
        cairo_clip(m_cr);
        SetCairoPathInDevice(m_cr, path, *device);
        cairo_set_fill_rule(m_cr, ToCairo(path.GetFillMode()));
        cairo_fill(m_cr);
        cairo_restore(m_cr);
        return true;
    }
    SetCairoPathInDevice(m_cr, path, *device);
    cairo_set_fill_rule(m_cr, ToCairo(path.GetFillMode()));
    cairo_fill(m_cr);
    return true;
}

bool Graphics::DrawPath(const Pen& pen, const GraphicsPath& path)
{
    auto device = DeviceMatrix(m_state.world);
    if (!device || !IsDrawable(path))
        return false;
    ApplySmoothing();
    const std::optional<GraphicsPath> thinned = Thinned(path);
    return StrokePathWithPen(m_cr, *device, thinned ? *thinned : path, pen);
}

bool Graphics::DrawSurface(const ImageSurface& surface, float x, float y)
{
    if (!std::isfinite(x) || !std::isfinite(y) || !surface.CairoSurface())
        return false;
    const std::optional<cairo_matrix_t> device = PixelMatrix(m_state.world);
    if (!device)
        return false;
    cairo_surface_flush(surface.CairoSurface());
    cairo_set_matrix(m_cr, &*device);
    cairo_new_path(m_cr);
    cairo_set_source_surface(m_cr, surface.CairoSurface(), x, y);
    cairo_pattern_set_filter(cairo_get_source(m_cr), CAIRO_FILTER_GOOD);
    cairo_rectangle(m_cr, x, y, surface.Width(), surface.Height());
    cairo_fill(m_cr);
    return true;
}

bool Graphics::SetClip(const GraphicsPath& path, CombineMode mode)
{
    if (!IsDrawable(path) || !DeviceMatrix(m_state.world))
        return false;
    if (mode == CombineMode::Replace)
        m_state.clip.clear();
    m_state.clip.push_back(ClipArea{path, m_state.world});
    m_state.clipId = m_nextClipId++;
    ApplyClip();
    return true;
}

void Graphics::ResetClip()
{
    m_state.clip.clear();
    m_state.clipId = 0;
    ApplyClip();
}

std::optional<RectF> Graphics::GetVisibleClipBounds()
{
    auto device = DeviceMatrix(m_state.world);
    if (!device)
        return std::nullopt;
    cairo_set_matrix(m_cr, &*device);
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    cairo_clip_extents(m_cr, &x1, &y1, &x2, &y2);
    return RectF(float(x1), float(y1), float(x2 - x1), float(y2 - y1));
}

void Graphics::ApplyClip()
{
    // Back to the context's own clip, then narrowed by each area in turn.
    cairo_restore(m_cr);
    cairo_save(m_cr);
    for (const ClipArea& area : m_state.clip) {
        if (!PreparePath(area.path, area.world))
            continue; // checked when the area was set
        cairo_set_fill_rule(m_cr, ToCairo(area.path.GetFillMode()));
        cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_NONE);
        cairo_clip(m_cr);
    }
}

GraphicsState Graphics::Save()
{
    GraphicsState id = m_nextStateId++;
    m_saved.push_back(SavedState{id, m_state});
    return id;
}

bool Graphics::Restore(GraphicsState state)
{
    auto found = std::find_if(m_saved.begin(), m_saved.end(), [state](const SavedState& s) { return s.id == state; });
    if (found == m_saved.end())
        return false;
    const bool clipChanged = found->state.clipId != m_state.clipId;
    m_state = std::move(found->state);
    m_saved.erase(found, m_saved.end());
    if (clipChanged)
        ApplyClip();
    return true;
}

} // namespace kelmora
