#pragma once
// The description of a fill: one kind (BrushKind) and the parameters of every kind. Every
// drawing object embeds two (its fill and its shadow's) and every outline pen one. A value:
// copied, assigned and stored; a pattern fill owns the drawing object it repeats.

#include "model/Argb.h"
#include "platform/archive/CObject.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/geometry/Matrix.h"
#include "platform/geometry/PointF.h"
#include "platform/geometry/RectF.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelmora {

class Bitmap;
class Brush;
class CDrawObj;
class PathGradientBrush;
class TextureBrush;
class ViewServices;

// Records keep whatever kind they hold, named or not; a build gives no brush for a kind
// it does not know.
enum class BrushKind : int32_t {
    Solid = 0,
    Hatch = 1,
    Texture = 2,
    PathGradient = 3,
    LinearGradient = 4,
    RadialGradient = 5,
    Pattern = 6,
};

// What a path gradient's path is (m_nPathStyle): the owner's path about a centre point
// (0 and 1), the bounds, an ellipse around the bounds, or a polygon on the inscribed
// ellipse built from the interpolation positions.
enum class PathGradientStyle : int32_t {
    CentrePoint = 0,
    CentrePointToo = 1,
    Rectangle = 2,
    Ellipse = 3,
    StopPolygon = 4,
};

class BrushMan : public CObject {
    KELMORA_DECLARE_SERIAL(BrushMan)

public:
    BrushMan();
    BrushMan(const BrushMan& other);
    // Copies the description: the image is copied, the attached pattern object cloned,
    // the own matrix taken over. The owner's path and matrix stay this fill's own.
    BrushMan& operator=(const BrushMan& other);
    ~BrushMan() override;

    // Hold a copy of the owner's untransformed path and of its transform for the next build.
    void SetPath(const GraphicsPath& path);
    void SetMatrix(const Matrix* matrix);

    // Stores or loads the fill record. Vector counts are checked against the bytes that
    // remain before anything is allocated; the attached object must be a CDrawObj.
    void Serialize(Archive& archive) override;

    // A new brush for one drawing step, owned by the caller, or null when the kind cannot
    // be built (see BrushManBuild.cpp). `view` may be null (no zoom). The build appends
    // the zoom to the held owner matrix and transforms the held path by it, so the owner
    // hands fresh copies of both before every build.
    std::unique_ptr<Brush> CreateBrush(ViewServices* view);
    // Sets m_rcBounds to `bounds`, holds copies of `path` and `matrix` (none for null) and
    // builds: how the outline pen builds the fill that paints it.
    std::unique_ptr<Brush> CreateBrushFor(const GraphicsPath* path, const Matrix* matrix, ViewServices* view,
                                          const RectF& bounds);

    RectF m_rcBounds;                    // bounds of the owner's untransformed path
    int32_t m_bUsePoints = 0;            // linear gradient from m_ptStart to m_ptEnd
    PointF m_ptStart;
    PointF m_ptEnd;
    RectF m_rcSource;                    // texture: the part of the image used; pattern: the tile
    RectF m_rcTile;                      // size at which a tile is shown
    BrushKind m_nKind = BrushKind::Solid;
    ARGB m_clrFore = 0xFF000000;
    ARGB m_clrBack = 0xFFFFFFFF;
    int32_t m_nHatchStyle = 0;
    int32_t m_nWrapMode = 0;             // 0 tile
    int32_t m_bGammaCorrection = 1;
    // The texture picture (from a record or set by the editor; a build keeps it, so the
    // next save embeds it again) or the rendered pattern tile. Immutable, shared by copies.
    std::shared_ptr<const Bitmap> m_pImage;
    std::string m_strImageFile;
    int32_t m_nTexture = 0;              // built-in texture 0..9; −1 none
    ARGB m_clrExtra = 0xFF000000;        // stored and copied, no build uses it
    PointF m_ptCenter{0.5f, 0.5f};
    float m_fFocusX = 0.0f;
    float m_fFocusY = 0.0f;
    PointF m_ptFocus{0.5f, 0.5f};
    float m_fRadiusX = 0.5f;
    float m_fRadiusY = 0.5f;
    // Radial spread set by XPS import (1 pad, 2 reflect, 3 repeat; 0 none). Copied but
    // not part of the record: a radial fill is stored with its tile, which is rendered
    // for the store when none is held yet.
    int32_t m_nSpread = 0;
    int32_t m_nBlendShape = 0;
    float m_fBlendFocus = 0.0f;
    float m_fBlendScale = 0.0f;
    int32_t m_nLinearMode = 0;
    int32_t m_nGradientPreset = 0;       // 0..6, −1 custom
    int32_t m_nPathStyle = 0;
    std::vector<float> m_blendFactors;
    std::vector<float> m_blendPositions;
    std::vector<ARGB> m_interpColors;
    std::vector<float> m_interpPositions;
    std::vector<ARGB> m_surroundColors;
    std::unique_ptr<GraphicsPath> m_pPath;
    uint32_t m_nReserved1 = 1;           // carried and stored, never read
    std::unique_ptr<Matrix> m_pMatrix;
    float m_fAngle = 0.0f;
    int32_t m_nGradientSize = 0;
    int32_t m_nGradientOffsetX = 0;
    int32_t m_nGradientOffsetY = 0;
    uint32_t m_nReserved2 = 0;           // carried and stored, never read
    Matrix m_matrix;                     // the fill's own transform
    std::unique_ptr<CDrawObj> m_pAttached; // the object a pattern fill repeats

private:
    std::unique_ptr<Brush> CreateTextureBrush();
    std::unique_ptr<Brush> CreatePatternBrush();
    // Renders the attached object into a new held tile; false when there is no tile.
    bool RenderPatternTile();
    // Appends the placement: bounds origin, own matrix, owner matrix.
    void PlaceBrush(TextureBrush& brush) const;

    // The gradient kinds (BrushManGradient.cpp).
    void ApplyGradientPreset();
    std::unique_ptr<Brush> CreateLinearGradientBrush();
    std::unique_ptr<Brush> CreatePathGradientBrush();
    std::unique_ptr<Brush> CreateRadialGradientBrush();
    // The radial gradient's path gradient in the shape's space, unplaced; none when its
    // ellipse or colours are refused.
    std::optional<PathGradientBrush> RadialGradient() const;
    // Paints the radial gradient into a new held tile by the spread; false when there is
    // no tile (no spread, no bounds, a refused gradient).
    bool RenderRadialTile();
    // Rotation by m_fAngle about the bounds' centre, the gradient size and offsets.
    Matrix GradientPlacement() const;
};

} // namespace kelmora
