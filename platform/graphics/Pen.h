#pragma once
// A pen: how the outline of a path is drawn. Width in world units, a brush (a colour is a
// solid brush), dashes, caps at the start, the end and the dash ends, joins, compound
// lines, alignment and a transform of the nib, with the GDI+ defaults: width 1, flat caps,
// miter joins with limit 10, solid, centred, identity transform, no compound array.
//
// Width: in world units, scaled by the world transform like the path. Width 0 draws one
// device pixel wide; a nib that the transforms make thinner than one device pixel is drawn
// one pixel thin, so that a thin outline never drops out.
//
// Pen transform: reshapes the nib (a calligraphic pen). Its translation is ignored. It
// acts before the world transform: the nib is a circle of the pen's width, mapped by the
// pen transform and then by the world transform. Dash lengths and caps are measured in
// that nib's frame.
//
// Dashes: the built-in styles and a custom pattern are lengths in pen widths, alternately
// dash and gap, starting with a dash. The dash offset is in pen widths too: a positive
// offset moves the pattern forward along the path (the path starts that far back in the
// pattern's gap before its first dash), a negative one starts the path further into the
// pattern. Round and triangle dash caps are fitted inside each dash, so a dotted round pen
// draws separate dots and the gaps keep their length; the ends of a figure take the start
// and end caps instead. Anchor and custom caps are drawn at the figure's ends whether or
// not a dash reaches them.
//
// Compound lines: each line turns its corners on its own, so the lines stay apart around
// corners; the caps at the ends span the whole width.
//
// Refused values: a width that is negative or not finite, a dash pattern that is empty or
// holds an entry that is not a finite number above zero, a compound array that is empty,
// odd, descending or outside [0, 1], a pen transform that is not finite or not invertible,
// a dash offset or miter limit that is not finite. Each is refused by its call (false),
// the pen keeps its previous value, and the pen is marked failed: drawing with it draws
// nothing, so that a damaged style leaves out one outline instead of drawing a wrong one
// or upsetting the drawing surface. Values outside an enumeration are refused by their
// call without marking the pen.

#include "platform/geometry/LineCap.h"
#include "platform/geometry/LineJoin.h"
#include "platform/geometry/Matrix.h"
#include "platform/geometry/PenGeometry.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/CustomLineCap.h"
#include "platform/graphics/DashStyle.h"
#include "platform/graphics/PenAlignment.h"

#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace kelmora {

// The kind of fill a pen draws with, with the GDI+ values.
enum class PenType : int32_t {
    SolidColor = 0,
    HatchFill = 1,
    TextureFill = 2,
    PathGradient = 3,
    LinearGradient = 4,
    Unknown = -1,
};

// Whether `fractions` is a compound array a pen takes: pairs of ascending fractions of
// the width, all in [0, 1]. The empty array does not count.
bool IsValidCompoundArray(std::span<const float> fractions);

class Pen {
public:
    explicit Pen(Color color, float width = 1.0f);
    explicit Pen(const Brush& brush, float width = 1.0f);
    Pen(const Pen& other);
    Pen& operator=(const Pen& other);
    Pen(Pen&&) noexcept = default;
    Pen& operator=(Pen&&) noexcept = default;
    ~Pen() = default;

    // False once the pen has refused a value (see above) or when its brush is not valid.
    bool IsValid() const;

    float GetWidth() const { return m_width; }
    bool SetWidth(float width);

    // The colour of a solid pen; opaque black for a pen of another brush.
    Color GetColor() const;
    // Makes the pen a solid pen of the colour.
    void SetColor(Color color);
    const Brush& GetBrush() const { return *m_brush; }
    void SetBrush(const Brush& brush) { m_brush = brush.Clone(); }
    PenType GetPenType() const;

    DashStyle GetDashStyle() const { return m_dashStyle; }
    // Refuses a value outside the six styles. Custom without a pattern draws solid.
    bool SetDashStyle(DashStyle style);
    // The pattern in pen widths: the built-in one of the style, the pen's own for Custom,
    // empty for Solid.
    std::vector<float> GetDashPattern() const;
    // Sets the pen's own pattern and the style Custom.
    bool SetDashPattern(std::span<const float> pattern);
    float GetDashOffset() const { return m_dashOffset; }
    bool SetDashOffset(float offset);
    DashCap GetDashCap() const { return m_dashCap; }
    bool SetDashCap(DashCap cap);

    LineCap GetStartCap() const { return m_startCap; }
    LineCap GetEndCap() const { return m_endCap; }
    // Any of the LineCap values. Custom draws the custom cap set for that end, or a flat
    // end while there is none.
    bool SetStartCap(LineCap cap);
    bool SetEndCap(LineCap cap);
    bool SetLineCap(LineCap startCap, LineCap endCap, DashCap dashCap);
    // Sets the cap and the end's cap to Custom; refuses a cap that is not valid.
    bool SetCustomStartCap(const CustomLineCap& cap);
    bool SetCustomEndCap(const CustomLineCap& cap);
    const CustomLineCap* GetCustomStartCap() const { return m_customStartCap ? &*m_customStartCap : nullptr; }
    const CustomLineCap* GetCustomEndCap() const { return m_customEndCap ? &*m_customEndCap : nullptr; }

    LineJoin GetLineJoin() const { return m_lineJoin; }
    bool SetLineJoin(LineJoin join);
    float GetMiterLimit() const { return m_miterLimit; }
    // Values below 1 are taken as 1.
    bool SetMiterLimit(float limit);

    // Pairs of fractions of the width across the stroke, each pair a line and the space
    // between pairs a gap; 0 is the left edge seen along the path.
    std::vector<float> GetCompoundArray() const { return m_compoundArray; }
    bool SetCompoundArray(std::span<const float> fractions);

    PenAlignment GetAlignment() const { return m_alignment; }
    bool SetAlignment(PenAlignment alignment);

    Matrix GetTransform() const { return m_transform; }
    bool SetTransform(const Matrix& matrix);
    void ResetTransform() { m_transform.Reset(); }
    bool MultiplyTransform(const Matrix& matrix, MatrixOrder order = MatrixOrder::Prepend);
    bool ScaleTransform(float sx, float sy, MatrixOrder order = MatrixOrder::Prepend);
    bool RotateTransform(float degrees, MatrixOrder order = MatrixOrder::Prepend);

    // What the path operations (bounds, Widen, hit tests) can use of this pen: the width
    // stretched by the pen transform, the join and the plain caps. Anchor and custom caps,
    // dashes and compound lines are left out.
    PenGeometry Geometry() const;

private:
    // Marks the pen failed and answers false, for the calls that refuse a value.
    bool Refuse();

    std::unique_ptr<Brush> m_brush;
    float m_width = 1.0f;
    DashStyle m_dashStyle = DashStyle::Solid;
    std::vector<float> m_dashPattern;
    float m_dashOffset = 0.0f;
    DashCap m_dashCap = DashCap::Flat;
    LineCap m_startCap = LineCap::Flat;
    LineCap m_endCap = LineCap::Flat;
    std::optional<CustomLineCap> m_customStartCap;
    std::optional<CustomLineCap> m_customEndCap;
    LineJoin m_lineJoin = LineJoin::Miter;
    float m_miterLimit = 10.0f;
    std::vector<float> m_compoundArray;
    PenAlignment m_alignment = PenAlignment::Center;
    Matrix m_transform;
    bool m_failed = false;
};

} // namespace kelmora
