#pragma once
// CDrawPoly: the drawing object whose outline is a list of points: lines (with optional
// arrow heads), polygons, cardinal-spline curves, Bézier chains, elliptical arcs and pies,
// and custom paths that mix line and Bézier segments. The shape type decides how the
// points are read:
//
//   Line      a polyline                      Polygon  the vertices (closed implicitly)
//   Curve     points the spline passes        Bezier   anchor, control, control, anchor, ...
//   Arc, Pie  centre, start point, end point  Custom   points with one path type byte each
//
// Any other shape type is built as a polygon. Points are in object space (document units
// before the object's matrix). The arrays hold m_nMaxPoints entries, of which the first
// m_nPoints are in use; the type array exists only for custom paths.
//
// Arcs and pies keep their angles and radii as derived state: every path build rewrites
// them from the three points, so the stored values always describe the points.
//
// Values read from files are kept as stored and made safe where they are used: a custom
// path whose type bytes do not form valid figures builds an empty path (the bytes are kept
// for the next save), arrow heads of size 0 or with a flat angle become plain lines.

#include "model/DrawObj.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace kelmora {

// Handle kinds of the point handles.
inline constexpr int kHandleArcCentre = 3;
inline constexpr int kHandleArcStart = 5;
inline constexpr int kHandleArcEnd = 6;
inline constexpr int kHandleControlAfter = 7;    // the control that follows an anchor
inline constexpr int kHandleControlBefore = 8;   // the control that precedes an anchor

// The key flag that stops a dragged Bézier control from mirroring its partner.
inline constexpr uint32_t kKeyControl = 8;

// Appends the elliptical arc from `from` to `to` as Bézier points (for every piece its two
// controls and its end point; the start point itself is not appended). Radii and the
// large-arc and sweep flags follow the SVG endpoint parameterisation; the x-axis rotation
// is in degrees. Nothing is appended when the end points coincide or a radius is near 0.
// Radii too small to reach from one end to the other are scaled up just enough.
void ArcToPathPoints(std::vector<PointF>& out, PointF from, PointF to, double rx, double ry, double xAxisRotation,
                     bool largeArc, bool sweep);

// The points at the parametric angles a and b (radians) of the axis-aligned ellipse with
// radii rx, ry about `centre`: centre + (rx cos t, ry sin t).
void EllipseArcPoints(float rx, float ry, double a, double b, PointF centre, PointF& start, PointF& end);

class CDrawPoly : public CDrawObj {
    KELMORA_DECLARE_SERIAL(CDrawPoly)

public:
    // Handle 19 is point 0.
    static constexpr int kFirstPointHandle = kBaseHandleCount + 1;
    // Growth step of the point arrays.
    static constexpr int kGrowPoints = 20;
    // Arrow heads of the selection marks.
    static constexpr float kDefaultArrowSize = 30.0f;
    static constexpr float kDefaultArrowAngle = 1.0471976f;   // π/3
    // Lines thinner than this (document units, or view units with a view) are hit-tested
    // as this wide, so that a horizontal or vertical line can be picked at all.
    static constexpr int kLineHitSize = 50;

    CDrawPoly();
    CDrawPoly(const RectF& rc, ViewServices* pView);
    ~CDrawPoly() override;

    void Serialize(Archive& archive) override;

    // ---- Points
    // Makes room for n points (keeping the points in use); for a custom path also creates
    // a missing type array.
    void ReservePoints(int n);
    // Room for `extra` more points, growing by at least kGrowPoints at a time.
    void EnsureRoom(int extra);
    // Appends a point (view units with a view) while the polygon tool draws; a point equal
    // to the last one is ignored. Bézier chains get their control points made up.
    void AddPoint(CPoint point, ViewServices* pView);
    // Replaces the points (and, for a custom path, the types, which must be as many).
    void SetPoints(std::vector<PointF> points, std::vector<uint8_t> types = {});

    // ---- Arc edits from the properties pane: move the points to match the stored values.
    void UpdateArcFromStartAngle();
    void UpdateArcFromSweepAngle();
    void UpdateArcRadiusX();
    void UpdateArcRadiusY();

    // ---- Handles: the 18 base handles, then one per point.
    int GetHandleCount() override;
    CPoint GetHandle(int n, int* kind, ViewServices* pView) override;
    HandleCursor GetHandleCursor(int n) override;
    void MoveHandleTo(int n, CPoint point, uint32_t keyFlags, ViewServices* pView) override;
    // The centre handle; for arcs and pies the arc centre.
    CPoint GetAnchorPoint(ViewServices* pView) override;
    // The first or last point of an open figure.
    bool IsEndPointHandle(int n) const override;

    // ---- Point editing (DrawPolyEdit.cpp). Handle 19 + k names point k. A custom path's
    // types stay a valid path after every edit; an edit that cannot keep them so, or that
    // would leave fewer than 2 points, is refused and changes nothing.
    bool CanDeletePoint() const override;
    bool CanInsertPoint() const override;
    // Removes point k with what has to go with it (a Bézier anchor takes its controls).
    bool DeletePoint(int handle, ViewServices* pView) override;
    // Inserts a point where `point` (view units with a view) lies within 7.5 units of the
    // outline; the index of the new point, or -1.
    int InsertPoint(CPoint point, ViewServices* pView) override;
    // Breaks the outline where `point` (view units with a view) lies on it, within 7.5
    // units: a closed figure opens there, an open one becomes two figures that meet there.
    // The object becomes a custom path (a new one named afresh) and keeps its transform.
    // False, changing nothing, when the point is on no segment or at an open end.
    bool SplitAtPoint(CPoint point, ViewServices* pView) override;
    // Joins the end point picked on `other` (its m_nJoinHandle) to the one picked on this
    // object; this object receives the result, `other` stays as it was. Without `keepBoth`
    // the other's end point is dropped. Objects of one kind stay of that kind; otherwise
    // the result is a custom path. Joining the object to itself closes its figure.
    bool JoinAtEndPoints(CDrawObj* other, bool keepBoth) override;

    // ---- Paths and bounds
    bool CanFill() const override;
    std::unique_ptr<GraphicsPath> CreatePath(ViewServices* pView, const Matrix* extra) override;
    RectF GetPathBounds(ViewServices* pView, const PenGeometry* pen) override;
    // Lines thinner than kLineHitSize are tested as kLineHitSize wide (or high).
    bool GetBounds(const CRect& rect, ViewServices* pView) override;

    // ---- Copies
    using CDrawObj::CopyTo;
    CDrawObj* Clone(DocumentServices* pDoc) const override;
    // The base attributes, then the points (room = count), the types and every parameter.
    virtual void CopyTo(CDrawPoly* target, DocumentServices* pDoc) const;

    // ---- Arrow heads (also used by the selection marks)
    // Adds the line from `from` to `at` with an arrow head of width `size` and angle
    // `angle` (radians) at `at`, as one polyline, by style 1..7. An unknown style, a size
    // that is not positive or an angle whose tangent is 0 add the plain line.
    static void AddArrowHead(GraphicsPath& path, PointF from, PointF at, float size, float angle, uint32_t style);
    // ends 0: the plain line; 1: a head at q; 2: at p; 3: both.
    static void AddSegmentWithArrows(GraphicsPath& path, PointF p, PointF q, uint32_t ends, uint32_t style,
                                     float size, float angle);
    // Heads at the last point of the path (coming from the point before it) and at its first
    // point (coming from the second), each as a figure of its own.
    static void AddPathEndArrows(GraphicsPath& path, float size, float angle, uint32_t style);

    // Start angle a and end angle b (radians, 0 <= a < 2π, a <= b < a + 2π) of the arc from
    // s to e about c on the axis-aligned ellipse with radii rx, ry. False when the radii
    // or the points do not allow it.
    static bool ArcAnglesFromPoints(float rx, float ry, PointF c, PointF s, PointF e, double& a, double& b);

    bool HasPointTypes() const { return !m_pointTypes.empty(); }

    // ---- Members, in declared order
    int32_t m_nPoints = 0;
    int32_t m_nMaxPoints = 0;
    std::vector<PointF> m_points;        // m_nMaxPoints entries
    std::vector<uint8_t> m_pointTypes;   // m_nMaxPoints entries, custom paths only
    int32_t m_nTension = 100;            // hundredths
    uint32_t m_nArrowStyle = 0;
    uint32_t m_nArrowEnds = 0;
    float m_fArrowSize = kDefaultArrowSize;
    float m_fArrowAngle = kDefaultArrowAngle;
    float m_fStartAngle = 0.0f;          // radians
    float m_fSweepAngle = 0.0f;          // radians
    float m_fRadiusX = 0.0f;
    float m_fRadiusY = 0.0f;
    uint32_t m_nReserved = 0;

private:
    void InitDefaults();
    // Adds the shape in object space, before any transform.
    void BuildShape(GraphicsPath& path);
    void BuildArc(GraphicsPath& path);
    void BuildCustom(GraphicsPath& path);
    // Handle kind of point i.
    int PointHandleKind(int i) const;
    // Offset of point i from the last non-Bézier point before it (custom paths).
    int BezierOffset(int i) const;
    bool IsBezierPoint(int i) const;
    void MoveCustomPoint(int i, PointF p, uint32_t keyFlags);
    void MoveBezierPoint(int i, PointF p, uint32_t keyFlags);
    // Joining this object to itself: its figure is closed.
    bool CloseByJoin(bool keepBoth);
    // Becomes a custom path holding the given page-space points, with a fresh name.
    void BecomeCustom(std::vector<PointF> points, std::vector<uint8_t> types);
    // The end of AddPoint, of every handle drag and of the point edits: bounds, modified
    // flag, repaint.
    void RefreshAfterPointChange(bool pointHandle, ViewServices* pView);
};

} // namespace kelmora
