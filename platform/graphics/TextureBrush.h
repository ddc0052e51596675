#pragma once
// A brush that repeats a picture: a bitmap, or a rectangle cut from one, laid out in brush
// space and repeated by a wrap mode.
//
// Brush space: one image pixel is one unit, the tile grid starts at the origin, and the
// brush transform (default identity, every call Prepend by default as in GDI+) maps brush
// space into the world space of the drawing step. Pixel k of the tile is centred on brush
// coordinate k, as GDI+ centres pixels on integer coordinates, so an untransformed texture
// lands pixel for pixel on the device. The texture is sampled bilinearly when scaled.
//
// The picture is copied in; the brush keeps straight ARGB like the Bitmap and hands cairo
// a premultiplied copy (built on first use and kept, with the mirrored copies that the
// flip modes need); that cache makes one brush unsafe to draw with from two threads at
// once, like every drawing object here.
//
// Refused, making a brush that is not valid and paints nothing: a bitmap without pixels,
// a wrap mode outside the five, a source rectangle that is not finite, has no size after
// rounding to whole pixels or reaches outside the image. The transform calls refuse (false,
// transform unchanged) a result that is not finite or not invertible; the brush stays
// usable.

#include "platform/geometry/Matrix.h"
#include "platform/geometry/RectF.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/WrapMode.h"
#include "platform/imaging/Bitmap.h"

namespace kelmora {

class TextureBrush final : public Brush {
public:
    // The whole image as the tile.
    explicit TextureBrush(const Bitmap& image, WrapMode wrapMode = WrapMode::Tile);
    // The part of the image inside sourceRect (image pixels) as the tile.
    TextureBrush(const Bitmap& image, WrapMode wrapMode, const RectF& sourceRect);

    TextureBrush(const TextureBrush& other);
    TextureBrush& operator=(const TextureBrush& other);
    ~TextureBrush() override;

    WrapMode GetWrapMode() const { return m_wrapMode; }
    // Refuses a value outside the five modes.
    bool SetWrapMode(WrapMode wrapMode);

    // The tile as a bitmap of its own (no pixels when the brush is not valid).
    const Bitmap& GetImage() const { return m_tile; }

    Matrix GetTransform() const { return m_transform; }
    bool SetTransform(const Matrix& matrix);
    void ResetTransform() { m_transform.Reset(); }
    bool MultiplyTransform(const Matrix& matrix, MatrixOrder order = MatrixOrder::Prepend);
    bool TranslateTransform(float dx, float dy, MatrixOrder order = MatrixOrder::Prepend);
    bool ScaleTransform(float sx, float sy, MatrixOrder order = MatrixOrder::Prepend);
    bool RotateTransform(float degrees, MatrixOrder order = MatrixOrder::Prepend);

    BrushType GetType() const override { return BrushType::TextureFill; }
    std::unique_ptr<Brush> Clone() const override { return std::make_unique<TextureBrush>(*this); }
    bool IsValid() const override { return m_valid; }
    bool SetAsSource(cairo_t* cr) const override;

private:
    // The premultiplied surface cairo repeats: the tile, or for the flip modes the tile
    // beside and/or below its mirror image. Built on first use; null when it cannot be.
    cairo_surface_t* RepeatSurface() const;
    void DropSurface() const;

    Bitmap m_tile;
    WrapMode m_wrapMode = WrapMode::Tile;
    Matrix m_transform;
    bool m_valid = false;
    mutable cairo_surface_t* m_surface = nullptr;
    // The wrap mode m_surface was built for.
    mutable WrapMode m_surfaceMode = WrapMode::Tile;
};

} // namespace kelmora
