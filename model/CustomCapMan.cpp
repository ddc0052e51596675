#include "model/CustomCapMan.h"

#include "model/Coordinates.h"
#include "model/ShapePathBuilders.h"
#include "platform/archive/Archive.h"
#include "platform/graphics/CustomLineCap.h"

#include <array>
#include <cmath>
#include <span>

namespace kelmora {

KELMORA_IMPLEMENT_SERIAL(CustomCapMan, CObject, 0)

namespace {

// How BuildCapPath turns a table entry's points into an outline.
enum class CapShape {
    PathData,        // the points with their point types
    Rectangle,       // corners points[0] and points[1], truncated to integers
    Ellipse,         // in the box of the corners points[0] and points[1]
    Star,            // `count` points around points[0], radii points[1].x (outer), .y (inner)
    RegularPolygon,  // `count` vertices around points[0], radius points[1].x
    Polygon,         // closed, through the points
    Polyline,        // open, through the points
};

struct BuiltInCap {
    CapShape shape;
    const char* name;
    int count;
    std::array<PointF, 9> points;
    std::array<uint8_t, 9> types;

    std::span<const PointF> Points() const { return std::span(points).first(size_t(count)); }
    std::span<const uint8_t> Types() const { return std::span(types).first(size_t(count)); }
};

// The built-in outlines, in cap coordinates: about ten units across, the tip or centre on
// the line's end point, the body of an arrow toward −y (back along the line).
constexpr std::array<BuiltInCap, kBuiltInCapCount> kBuiltInCaps{{
    {CapShape::PathData, "Arrow", 4, {{{-5, -5}, {0, 0}, {5, -5}, {0, -1}}}, {0x00, 0x01, 0x01, 0x81}},
    {CapShape::Polyline, "Line", 2, {{{-5, 0}, {5, 0}}}, {}},
    {CapShape::Polygon, "Arrow2", 3, {{{-5, -5}, {0, 0}, {5, -5}}}, {}},
    {CapShape::PathData, "Arrow3", 5, {{{-5, 0}, {5, 0}, {-5, -5}, {0, 0}, {5, -5}}}, {0x00, 0x01, 0x00, 0x01, 0x81}},
    {CapShape::PathData, "Double Arrows", 6, {{{-5, -5}, {0, 0}, {5, -5}, {-5, -10}, {0, -5}, {5, -10}}},
     {0x00, 0x01, 0x01, 0x00, 0x01, 0x01}},
    {CapShape::PathData, "Complex Arrows", 9,
     {{{-5, 0}, {0, 5}, {5, 0}, {-5, -5}, {0, 0}, {5, -5}, {-5, -10}, {0, -5}, {5, -10}}},
     {0x00, 0x01, 0x01, 0x00, 0x01, 0x01, 0x00, 0x01, 0x01}},
    {CapShape::Ellipse, "Circle", 2, {{{-5, -5}, {5, 5}}}, {}},
    {CapShape::Rectangle, "Rectangle", 2, {{{-5, -5}, {5, 5}}}, {}},
    // The star and polygon entries hold the centre and the radii; `count` is the number
    // of vertices (or star points), not of stored points.
    {CapShape::RegularPolygon, "Pentagon", 5, {{{0, 0}, {5, 3}}}, {}},
    {CapShape::RegularPolygon, "Hexagon", 6, {{{0, 0}, {5, 0}}}, {}},
    {CapShape::Star, "Star", 5, {{{0, 0}, {5, 3}}}, {}},
}};

bool IsBuiltInCap(int n)
{
    return n >= 0 && n < kBuiltInCapCount;
}

// The integer box of the outline, each of x, y, width and height rounded to the nearest
// integer (saturating, for outlines from files with wild coordinates).
struct IntegerBounds {
    int32_t x, y, width, height;
};

IntegerBounds RoundedBounds(const GraphicsPath& path)
{
    RectF b = path.GetBounds();
    return {RoundToInt32(b.X), RoundToInt32(b.Y), RoundToInt32(b.Width), RoundToInt32(b.Height)};
}

// The scale that takes an extent to a target size. An outline with no extent on the axis
// (the built-in "Line" has no height) cannot be scaled there: it keeps its size.
float AxisScale(float target, int32_t extent)
{
    return extent == 0 ? 1.0f : target / float(extent);
}

} // namespace

std::unique_ptr<GraphicsPath> BuildCapPath(int n)
{
    if (!IsBuiltInCap(n))
        return nullptr;
    const BuiltInCap& cap = kBuiltInCaps[size_t(n)];
    auto path = std::make_unique<GraphicsPath>(FillMode::Alternate);
    const PointF* p = cap.points.data();
    switch (cap.shape) {
    case CapShape::PathData:
        if (auto built = GraphicsPath::FromPathData(cap.Points(), cap.Types(), FillMode::Alternate))
            *path = std::move(*built);
        break;
    case CapShape::Rectangle:
        path->AddRectangle(RectF(float(int32_t(p[0].X)), float(int32_t(p[0].Y)), float(int32_t(p[1].X - p[0].X)),
                                 float(int32_t(p[1].Y - p[0].Y))));
        break;
    case CapShape::Ellipse:
        path->AddEllipse(RectF(p[0].X, p[0].Y, p[1].X - p[0].X, p[1].Y - p[0].Y));
        break;
    case CapShape::Star:
        BuildStar(*path, p[0], cap.count, p[1].X, p[1].Y);
        break;
    case CapShape::RegularPolygon:
        BuildRegularPolygon(*path, p[0], cap.count, p[1].X);
        break;
    case CapShape::Polygon:
        path->AddPolygon(cap.Points());
        break;
    case CapShape::Polyline:
        path->AddLines(cap.Points());
        break;
    }
    return path;
}

std::string GetBuiltInCapName(int n)
{
    return IsBuiltInCap(n) ? std::string(kBuiltInCaps[size_t(n)].name) : std::string();
}

CustomCapMan::CustomCapMan()
{
    Init(0);
}

CustomCapMan::CustomCapMan(const CustomCapMan& other) : CObject()
{
    *this = other;
}

CustomCapMan::~CustomCapMan() = default;

CustomCapMan& CustomCapMan::operator=(const CustomCapMan& other)
{
    if (this == &other)
        return *this;
    m_nIndex = other.m_nIndex;
    m_fBaseInset = other.m_fBaseInset;
    m_fWidthScale = other.m_fWidthScale;
    m_nBaseCap = other.m_nBaseCap;
    m_nStrokeStartCap = other.m_nStrokeStartCap;
    m_nStrokeEndCap = other.m_nStrokeEndCap;
    m_nStrokeJoin = other.m_nStrokeJoin;
    m_bFilled = other.m_bFilled;
    m_nSizeY = other.m_nSizeY;
    m_nSizeX = other.m_nSizeX;
    m_bMirrorX = other.m_bMirrorX;
    m_bMirrorY = other.m_bMirrorY;
    m_nOffsetX = other.m_nOffsetX;
    m_nOffsetY = other.m_nOffsetY;
    m_nAngle = other.m_nAngle;
    m_bReserved = other.m_bReserved;
    m_strName = other.m_strName;
    m_nReserved = other.m_nReserved;
    m_pPath = other.m_pPath ? std::make_unique<GraphicsPath>(*other.m_pPath) : BuildCapPath(m_nIndex);
    return *this;
}

void CustomCapMan::Init(int n)
{
    m_nIndex = n;
    m_fBaseInset = 0.0f;
    m_fWidthScale = 1.0f;
    m_nBaseCap = 0;
    m_nStrokeStartCap = 0;
    m_nStrokeEndCap = 0;
    m_nStrokeJoin = 0;
    m_bFilled = false;
    m_nSizeX = -1;
    m_nSizeY = -1;
    m_bMirrorX = false;
    m_bMirrorY = false;
    m_nOffsetX = 0;
    m_nOffsetY = 0;
    m_nAngle = 0;
    m_bReserved = false;
    m_nReserved = 0;
    m_strName.clear();
    m_pPath = BuildCapPath(n);
}

void CustomCapMan::Reset()
{
    Init(0);
}

void CustomCapMan::SetPath(const GraphicsPath& path)
{
    m_pPath = std::make_unique<GraphicsPath>(path);
}

void CustomCapMan::Serialize(Archive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nIndex << m_fBaseInset << m_fWidthScale << m_nBaseCap << m_nStrokeStartCap << m_nStrokeEndCap
           << m_nStrokeJoin << m_bFilled << m_nSizeY << m_nSizeX << m_bMirrorX << m_bMirrorY << m_nOffsetX
           << m_nOffsetY << m_nAngle << m_bReserved << m_strName << m_nReserved;
        return;
    }
    ar >> m_nIndex >> m_fBaseInset >> m_fWidthScale >> m_nBaseCap >> m_nStrokeStartCap >> m_nStrokeEndCap
        >> m_nStrokeJoin >> m_bFilled >> m_nSizeY >> m_nSizeX >> m_bMirrorX >> m_bMirrorY >> m_nOffsetX >> m_nOffsetY
        >> m_nAngle >> m_bReserved >> m_strName >> m_nReserved;
    m_pPath = BuildCapPath(m_nIndex);
}

std::unique_ptr<GraphicsPath> CustomCapMan::CreateCapPath() const
{
    std::unique_ptr<GraphicsPath> outline = m_pPath ? std::make_unique<GraphicsPath>(*m_pPath) : BuildCapPath(m_nIndex);
    if (!outline)
        return nullptr;

    const IntegerBounds bounds = RoundedBounds(*outline);
    const float w = m_nSizeX == -1 ? float(bounds.width) : float(m_nSizeX);
    const float h = m_nSizeY == -1 ? float(bounds.height) : float(m_nSizeY);

    Matrix m;
    if (m_bMirrorX)
        m.Scale(-1.0f, 1.0f, MatrixOrder::Append);
    if (m_bMirrorY)
        m.Scale(1.0f, -1.0f, MatrixOrder::Append);
    m.Translate(float(m_nOffsetX * double(w) / 100.0), float(m_nOffsetY * double(h) / 100.0), MatrixOrder::Append);
    m.Scale(AxisScale(w, bounds.width), AxisScale(h, bounds.height), MatrixOrder::Append);
    m.Rotate(float(m_nAngle), MatrixOrder::Append);
    // Sizes so large that the points overflow give no cap rather than infinite points.
    if (!outline->Transform(m))
        return nullptr;
    return outline;
}

} // namespace kelmora

namespace kelmora {

std::unique_ptr<CustomLineCap> CustomCapMan::CreateLineCap() const
{
    std::unique_ptr<GraphicsPath> outline = CreateCapPath();
    if (!outline)
        return nullptr;
    auto cap = std::make_unique<CustomLineCap>(m_bFilled ? outline.get() : nullptr, m_bFilled ? nullptr : outline.get(),
                                               LineCap::Flat, 0.0f);
    // Each setting is refused on its own by the cap when its value is unusable (a base
    // inset or width scale that is not finite, a code that names no plain cap or join);
    // the cap keeps its default for that setting, as one failing call would.
    cap->SetBaseInset(m_fBaseInset);
    cap->SetWidthScale(m_fWidthScale);
    if (m_nBaseCap >= 0 && m_nBaseCap <= 0xFF)
        cap->SetBaseCap(LineCap(uint8_t(m_nBaseCap)));
    if (m_nStrokeStartCap >= 0 && m_nStrokeStartCap <= 0xFF && m_nStrokeEndCap >= 0 && m_nStrokeEndCap <= 0xFF)
        cap->SetStrokeCaps(LineCap(uint8_t(m_nStrokeStartCap)), LineCap(uint8_t(m_nStrokeEndCap)));
    cap->SetStrokeJoin(LineJoin(m_nStrokeJoin));
    return cap;
}

} // namespace kelmora
