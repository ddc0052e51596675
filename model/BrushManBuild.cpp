// How a BrushMan becomes a platform brush for one drawing step: solid, hatch, texture and
// pattern fills. The gradient kinds (path, linear and radial gradients) are built in
// BrushManGradient.cpp.
//
// Placement. Textures and pattern tiles are laid out in brush space (one image pixel a
// unit, tiles from the origin) and placed by appending, in order, a translation to the
// top-left corner of m_rcBounds, the fill's own matrix m_matrix, and the owner matrix
// (the object's transform with the view's zoom appended). A step whose matrix the brush
// refuses (not finite or not invertible) is left out on its own.

#include "model/BrushMan.h"

#include "model/DrawObj.h"
#include "model/GraphicsValues.h"
#include "model/ViewServices.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/HatchBrush.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/graphics/SolidBrush.h"
#include "platform/graphics/TextureBrush.h"
#include "platform/imaging/ImageFile.h"
#include "platform/imaging/PremultipliedPixels.h"
#include "res/Resources.h"

#include <cfloat>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace kelmora {

namespace {

// Sizes at or below this count as no size (the float epsilon).
constexpr float kNoSize = FLT_EPSILON;

// Pattern tiles are rendered at document resolution (300 dpi); 4096 pixels is over 13
// inches a side, far beyond any tile a pattern is made of, and keeps a tile under 64 MiB
// however wild the tile and source sizes in a file are.
constexpr int kMaxPatternTileSide = 4096;

// Patterns whose object is filled with a pattern nest one tile rendering inside another.
// The editor makes one or two levels; the bound stops a file from chaining hundreds of
// tile renderings, each with its own surface.
constexpr int kMaxPatternNesting = 4;
thread_local int t_patternDepth = 0;

// Counts one tile rendering in progress on this thread.
struct PatternNesting {
    PatternNesting() { ++t_patternDepth; }
    ~PatternNesting() { --t_patternDepth; }
    PatternNesting(const PatternNesting&) = delete;
    PatternNesting& operator=(const PatternNesting&) = delete;
};

bool HasSize(const RectF& r)
{
    return r.Width > kNoSize && r.Height > kNoSize;
}

// Appends a step to the brush transform unless the brush refuses it.
void AppendTransform(TextureBrush& brush, const Matrix& step)
{
    brush.MultiplyTransform(step, MatrixOrder::Append);
}

// The picture of a texture fill that holds none: from its file when it names one (and
// that is a regular file), else from the built-in texture. Null when there is none.
std::shared_ptr<const Bitmap> LoadTexture(const std::string& file, int32_t texture)
{
    if (!file.empty()) {
        std::error_code error;
        const std::filesystem::path path(file);
        if (!std::filesystem::is_regular_file(path, error))
            return nullptr;
        auto bitmap = std::make_shared<Bitmap>(LoadImageFile(path));
        return bitmap->IsOk() ? bitmap : nullptr;
    }
    if (texture == -1)
        return nullptr;
    // The resource number is taken to 16 bits, as resource ids are.
    const uint16_t id = uint16_t(uint32_t(kFirstTextureResource) + uint32_t(texture));
    return LoadBitmapResource(id);
}

} // namespace

std::unique_ptr<Brush> BrushMan::CreateBrushFor(const GraphicsPath* path, const Matrix* matrix, ViewServices* view,
                                                const RectF& bounds)
{
    m_rcBounds = bounds;
    m_pPath = path ? std::make_unique<GraphicsPath>(*path) : nullptr;
    m_pMatrix = matrix ? std::make_unique<Matrix>(*matrix) : nullptr;
    return CreateBrush(view);
}

std::unique_ptr<Brush> BrushMan::CreateBrush(ViewServices* view)
{
    if (view) {
        const Matrix zoom = view->ZoomMatrix();
        if (m_pMatrix)
            m_pMatrix->Multiply(zoom, MatrixOrder::Append);
        else
            m_pMatrix = std::make_unique<Matrix>(zoom);
    }
    if (m_pMatrix && m_pPath)
        m_pPath->Transform(*m_pMatrix);
    if (m_nKind == BrushKind::PathGradient || m_nKind == BrushKind::LinearGradient)
        ApplyGradientPreset();

    switch (m_nKind) {
    case BrushKind::Solid:
        return std::make_unique<SolidBrush>(Color(m_clrFore));
    case BrushKind::Hatch:
        if (!IsValidHatchStyle(HatchStyle(m_nHatchStyle)))
            return nullptr;
        return std::make_unique<HatchBrush>(HatchStyle(m_nHatchStyle), Color(m_clrFore), Color(m_clrBack));
    case BrushKind::Texture:
        return CreateTextureBrush();
    case BrushKind::Pattern:
        return CreatePatternBrush();
    case BrushKind::PathGradient:
        return CreatePathGradientBrush();
    case BrushKind::LinearGradient:
        return CreateLinearGradientBrush();
    case BrushKind::RadialGradient:
        return CreateRadialGradientBrush();
    }
    return nullptr;
}

void BrushMan::PlaceBrush(TextureBrush& brush) const
{
    AppendTransform(brush, Matrix::Translation(m_rcBounds.X, m_rcBounds.Y));
    AppendTransform(brush, m_matrix);
    if (m_pMatrix)
        AppendTransform(brush, *m_pMatrix);
}

std::unique_ptr<Brush> BrushMan::CreateTextureBrush()
{
    if (!IsValidWrapMode(WrapMode(m_nWrapMode)))
        return nullptr;
    // A held picture (one that came with the record, or that the editor set) stays held,
    // so that the next save embeds it again; a picture loaded here from its file or the
    // built-in textures serves this build only.
    std::shared_ptr<const Bitmap> image = m_pImage ? m_pImage : LoadTexture(m_strImageFile, m_nTexture);
    if (!image || !image->IsOk())
        return nullptr;

    const WrapMode wrap = WrapMode(m_nWrapMode);
    const bool wholeImage = !HasSize(m_rcSource);
    auto brush = wholeImage ? std::make_unique<TextureBrush>(*image, wrap)
                            : std::make_unique<TextureBrush>(*image, wrap, m_rcSource);

    // The tile is shown at m_rcTile's size. A source without size stands for the whole
    // picture, so the picture's own size is what the tile size divides.
    if (HasSize(m_rcTile)) {
        const float sourceWidth = wholeImage ? float(image->Width()) : m_rcSource.Width;
        const float sourceHeight = wholeImage ? float(image->Height()) : m_rcSource.Height;
        AppendTransform(*brush, Matrix::Scaling(m_rcTile.Width / sourceWidth, m_rcTile.Height / sourceHeight));
    }
    PlaceBrush(*brush);
    return brush;
}

bool BrushMan::RenderPatternTile()
{
    if (!m_pAttached || t_patternDepth >= kMaxPatternNesting)
        return false;
    // The tile is the source rectangle scaled to the tile size. A source without size
    // has nothing to show.
    if (!HasSize(m_rcSource) || !m_rcSource.IsFinite() || !m_rcTile.IsFinite())
        return false;
    const float sx = m_rcTile.Width / m_rcSource.Width;
    const float sy = m_rcTile.Height / m_rcSource.Height;
    const double width = std::trunc(double(m_rcSource.Width) * sx);
    const double height = std::trunc(double(m_rcSource.Height) * sy);
    if (!(width >= 1 && height >= 1 && width <= kMaxPatternTileSide && height <= kMaxPatternTileSide))
        return false;

    // The source keeps its scaled size: a later rendering of the same tile scales by 1.
    m_rcSource.X *= sx;
    m_rcSource.Width *= sx;
    m_rcSource.Y *= sy;
    m_rcSource.Height *= sy;

    std::optional<ImageSurface> surface = ImageSurface::Create(int(width), int(height));
    if (!surface)
        return false;
    {
        Graphics g(*surface);
        g.SetSmoothingMode(SmoothingMode::AntiAlias);
        g.TranslateTransform(m_rcSource.X, m_rcSource.Y, MatrixOrder::Prepend);
        // Without the view: the tile shows the object at document resolution, whatever
        // the zoom at the moment it is first rendered; the owner matrix, which carries the
        // zoom, places it.
        const Matrix scale = Matrix::Scaling(sx, sy);
        RectF painted;
        PatternNesting nesting;
        m_pAttached->Draw(painted, g, nullptr, &scale, kDrawAllParts);
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

std::unique_ptr<Brush> BrushMan::CreatePatternBrush()
{
    if (!IsValidWrapMode(WrapMode(m_nWrapMode)))
        return nullptr;
    if (!m_pImage && !RenderPatternTile())
        return nullptr;
    if (!m_pImage || !m_pImage->IsOk())
        return nullptr;
    auto brush = std::make_unique<TextureBrush>(*m_pImage, WrapMode(m_nWrapMode));
    PlaceBrush(*brush);
    return brush;
}

} // namespace kelmora
