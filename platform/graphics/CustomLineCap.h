#pragma once
// A line end of the caller's own shape, drawn in place of a plain cap.
//
// Cap space: the origin is the end point of the line, +y points outward along the line
// (beyond its end), −y back along it, and x across it, so that cap space is the standard
// frame turned until +y runs with the line. One cap unit is the pen's width times the
// width scale: a cap 10 units across on a 3-unit pen is 30 units across.
//
// The shape is a fill path (filled with the pen's brush, non-zero winding whatever the
// path's own fill mode) or a stroke path (stroked with the pen's width and brush, with the
// cap's stroke caps and join). Given both, the fill path is ignored, as in GDI+.
//
// The line is shortened so that it does not show through the cap: by the base inset (in
// cap units) and, for a fill path, up to where the path crosses the −y axis nearest the
// end. The base cap, one of the plain caps, is drawn at the shortened end under the shape.
//
// Refused (the object is not valid, and a pen refuses it): neither path given, a base cap
// other than flat, square, round or triangle, a base inset that is not finite. The
// setters refuse such values one call at a time and leave the cap as it was.

#include "platform/geometry/GraphicsPath.h"
#include "platform/geometry/LineCap.h"
#include "platform/geometry/LineJoin.h"

#include <optional>

namespace kelmora {

// The caps a custom cap may sit on and its outline may end in.
constexpr bool IsPlainLineCap(LineCap cap)
{
    return cap == LineCap::Flat || cap == LineCap::Square || cap == LineCap::Round || cap == LineCap::Triangle;
}

class CustomLineCap {
public:
    CustomLineCap(const GraphicsPath* fillPath, const GraphicsPath* strokePath, LineCap baseCap = LineCap::Flat,
                  float baseInset = 0.0f);

    bool IsValid() const { return m_valid; }
    // True when the shape is filled, false when it is stroked.
    bool IsFilled() const { return m_filled; }
    // The shape in cap space.
    const GraphicsPath& GetPath() const { return m_path; }

    LineCap GetBaseCap() const { return m_baseCap; }
    bool SetBaseCap(LineCap baseCap);
    float GetBaseInset() const { return m_baseInset; }
    bool SetBaseInset(float inset);
    float GetWidthScale() const { return m_widthScale; }
    // Refuses a value that is not finite.
    bool SetWidthScale(float widthScale);
    LineCap GetStrokeStartCap() const { return m_strokeStartCap; }
    LineCap GetStrokeEndCap() const { return m_strokeEndCap; }
    // Caps of the open figures of a stroke path; each must be a plain cap.
    bool SetStrokeCaps(LineCap startCap, LineCap endCap);
    LineJoin GetStrokeJoin() const { return m_strokeJoin; }
    bool SetStrokeJoin(LineJoin join);

    // How far the line is shortened at this cap, in cap units: the base inset, and for a
    // fill path at least the distance to its −y crossing nearest the origin.
    float LineShortening() const;

private:
    GraphicsPath m_path;
    bool m_filled = false;
    bool m_valid = false;
    LineCap m_baseCap = LineCap::Flat;
    float m_baseInset = 0.0f;
    float m_widthScale = 1.0f;
    LineCap m_strokeStartCap = LineCap::Flat;
    LineCap m_strokeEndCap = LineCap::Flat;
    LineJoin m_strokeJoin = LineJoin::Miter;
    // Distance from the origin to the nearest −y crossing of a fill path (0 when none).
    float m_fillCut = 0.0f;
};

} // namespace kelmora
