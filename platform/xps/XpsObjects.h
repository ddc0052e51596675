#pragma once
// The object tree of one fixed page of an XPS package: canvases, paths and glyph runs
// with their geometries, transforms, clips and brushes. Values are as the markup states
// them; where markup leaves an optional part out, the optional is empty.

#include "platform/geometry/Matrix.h"
#include "platform/geometry/PointF.h"
#include "platform/geometry/RectF.h"
#include "platform/geometry/SizeF.h"
#include "platform/xps/XpsGeometry.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelmora {

struct XpsColor {
    enum class Type : uint8_t { SRgb, ScRgb, Context };
    Type type = Type::SRgb;
    uint8_t a = 255, r = 0, g = 0, b = 0;          // sRGB
    float scA = 1.0f, scR = 0.0f, scG = 0.0f, scB = 0.0f;   // scRGB
};

enum class XpsTileMode : uint8_t { None, Tile, FlipX, FlipY, FlipXY };
enum class XpsSpreadMethod : uint8_t { Pad, Reflect, Repeat };
enum class XpsColorInterpolation : uint8_t { ScRgb, SRgb };
enum class XpsLineCap : uint8_t { Flat, Round, Square, Triangle };
enum class XpsDashCap : uint8_t { Flat, Round, Square, Triangle };
enum class XpsLineJoin : uint8_t { Miter, Bevel, Round };

struct XpsGradientStop {
    float offset = 0.0f;
    XpsColor color;
};

struct XpsVisual;

struct XpsBrush {
    enum class Kind : uint8_t { SolidColor, Image, LinearGradient, RadialGradient, Visual };
    Kind kind = Kind::SolidColor;
    float opacity = 1.0f;
    std::optional<Matrix> transform;
    // Solid colour
    XpsColor color;
    // Tile brushes (image and visual)
    XpsTileMode tileMode = XpsTileMode::None;
    RectF viewbox;
    RectF viewport;
    std::vector<uint8_t> image;                 // the image part's bytes
    std::unique_ptr<XpsVisual> visual;          // the visual brush's content
    // Gradients
    std::vector<XpsGradientStop> stops;
    XpsSpreadMethod spread = XpsSpreadMethod::Pad;
    XpsColorInterpolation interpolation = XpsColorInterpolation::SRgb;
    PointF startPoint, endPoint;                // linear
    PointF center, gradientOrigin;              // radial
    SizeF radii;
};

struct XpsVisual {
    enum class Type : uint8_t { Canvas, Path, Glyphs };
    Type type = Type::Canvas;
    std::optional<Matrix> transform;
    std::unique_ptr<XpsGeometry> clip;
    float opacity = 1.0f;
    // Canvas
    std::vector<std::unique_ptr<XpsVisual>> children;
    // Path
    std::unique_ptr<XpsGeometry> data;
    std::unique_ptr<XpsBrush> fill;
    std::unique_ptr<XpsBrush> stroke;
    // Outline properties, with the markup's defaults where it leaves them out.
    XpsDashCap dashCap = XpsDashCap::Flat;
    XpsLineCap startCap = XpsLineCap::Flat;
    XpsLineCap endCap = XpsLineCap::Flat;
    float dashOffset = 0.0f;
    XpsLineJoin lineJoin = XpsLineJoin::Miter;
    float miterLimit = 10.0f;
    float thickness = 1.0f;
    std::vector<float> dashArray;
};

struct XpsPage {
    SizeF size;
    std::vector<std::unique_ptr<XpsVisual>> visuals;
};

} // namespace kelmora
