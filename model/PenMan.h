#pragma once
// The description of an outline: width, dashes, caps, join, compound lines, alignment,
// the calligraphic scale and angle, and the fill that paints the outline. Every drawing
// object embeds one. A value: copied, assigned and stored.
//
// Lengths are in document units (1/300 inch); dash lengths are multiples of the width.
// Dash styles 0..4 are the plain ones (solid, dash, dot, dash-dot, dash-dot-dot); 5 and
// above mean the custom pattern in m_dashArray, which style s ≥ 5 loads from dash preset
// s − 5 (ApplyDashPreset) and a hand-edited pattern keeps under style 5.

#include "model/BrushMan.h"
#include "model/CustomCapMan.h"
#include "platform/archive/CObject.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/geometry/Matrix.h"
#include "platform/geometry/RectF.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace kelmora {

class Pen;
class ViewServices;

// Whether a pen draws `fractions` as its compound lines: pairs of ascending fractions of
// the width, all in [0, 1]. The empty array (one plain line) does not count.
bool IsUsableCompoundArray(std::span<const float> fractions);

class PenMan : public CObject {
    KELMORA_DECLARE_SERIAL(PenMan)

public:
    // The cap code that selects the custom cap (m_startCap or m_endCap).
    static constexpr int32_t kCustomLineCap = 0xFF;
    // The first dash style that stands for a custom pattern.
    static constexpr int32_t kFirstCustomDashStyle = 5;
    static constexpr int kDashPresetCount = 14;
    static constexpr int kCompoundPresetCount = 6;

    PenMan() = default;
    PenMan(const PenMan& other);
    // Copies every description member and the held path and matrix; the two reference
    // rectangles (m_rcBounds, m_rcBrush) stay this pen's own.
    PenMan& operator=(const PenMan& other);
    ~PenMan() override;

    // Hold a copy of the owner's untransformed path and of its transform for the next build.
    void SetPath(const GraphicsPath& path);
    void SetMatrix(const Matrix* matrix);

    // Stores or loads the pen record. Dash and compound counts are checked against the
    // bytes that remain before anything is allocated.
    void Serialize(Archive& archive) override;

    // A new pen for one drawing step, owned by the caller; `view` may be null (no zoom).
    // Null when no path was handed in (the pen's fill needs one), when the fill gives no
    // brush, or when the zoomed width is negative or not finite. Other unusable values
    // are left out one setting at a time (see PenManBuild.cpp).
    std::unique_ptr<Pen> CreatePen(ViewServices* view);

    // m_dashArray becomes dash preset n (0..13); false, and nothing changes, for any other
    // n. The dash style is left alone.
    bool ApplyDashPreset(int n);
    // `out` becomes dash preset n; false, `out` untouched, for an n out of range.
    static bool GetDashPreset(int n, std::vector<float>& out);
    // `array` becomes compound preset n (0..5); false, `array` untouched, otherwise.
    static bool ApplyCompoundPreset(std::vector<float>& array, int n);

    RectF m_rcBounds;                   // bounds of the owner's untransformed path
    RectF m_rcBrush;                    // rectangle the pen's fill is built for
    float m_fWidth = 3.0f;
    int32_t m_nDashStyle = 0;
    std::vector<float> m_dashArray;     // dash, gap, dash, ... in multiples of the width
    BrushMan m_brush;                   // paints the outline; solid opaque black by default
    int32_t m_nAlignment = 0;           // 0 centre, 1 inset
    int32_t m_nDashCap = 0;             // 0 flat, 2 round, 3 triangle
    float m_fDashOffset = 0.0f;
    int32_t m_nStartCap = 0;            // line cap code, kCustomLineCap for m_startCap
    CustomCapMan m_startCap;
    int32_t m_nEndCap = 0;
    CustomCapMan m_endCap;
    int32_t m_nLineJoin = 0;            // 0 miter, 1 bevel, 2 round, 3 miter clipped
    float m_fMiterLimit = 0.0f;
    int32_t m_nCompoundPreset = 0;      // last compound preset chosen in the editor; not stored
    std::vector<float> m_compoundArray; // ascending fractions of the width, in pairs
    int32_t m_nScaleX = 100;            // calligraphic scale, percent
    int32_t m_nScaleY = 100;
    int32_t m_nAngle = 0;               // calligraphic angle, degrees
    std::unique_ptr<GraphicsPath> m_pPath;
    uint32_t m_nReserved2 = 0;          // carried and stored, never read
    uint32_t m_nReserved1 = 1;          // carried and stored, never read
    std::unique_ptr<Matrix> m_pMatrix;
    uint32_t m_nReserved3 = 0;          // carried and stored, never read
};

} // namespace kelmora
