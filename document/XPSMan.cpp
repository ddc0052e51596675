#include "document/XPSMan.h"

#include "document/DrawDoc.h"
#include "document/XpsZipSource.h"
#include "model/BrushMan.h"
#include "model/DrawObjGroup.h"
#include "model/DrawPoly.h"
#include "model/ViewServices.h"
#include "platform/geometry/PathPointType.h"
#include "platform/imaging/ImageCodec.h"
#include "platform/xps/XpsPackage.h"

#include <algorithm>
#include <cmath>

namespace kelmora {

namespace {

// One XPS unit in document units.
constexpr float kPageScale = 3.0f;

std::unique_ptr<CDrawObjGroup> NewGroup(std::vector<std::unique_ptr<CDrawObj>> children)
{
    auto group = std::make_unique<CDrawObjGroup>();
    group->SetName("Group");
    group->ReplaceChildren(std::move(children));
    return group;
}

float Clamp01(float value)
{
    return std::isfinite(value) ? std::clamp(value, 0.0f, 1.0f) : 1.0f;
}

// A linear scRGB channel as an 8-bit sRGB channel.
uint32_t ScRgbToSRgb(float linear)
{
    float c = Clamp01(linear);
    float encoded = c <= 0.0031308f ? 12.92f * c : 1.055f * std::pow(c, 1.0f / 2.4f) - 0.055f;
    return uint32_t(std::lround(std::clamp(encoded, 0.0f, 1.0f) * 255.0f));
}

int32_t WrapModeForTile(XpsTileMode mode)
{
    switch (mode) {
    case XpsTileMode::None:
        return 4;
    case XpsTileMode::Tile:
        return 0;
    case XpsTileMode::FlipX:
        return 1;
    case XpsTileMode::FlipY:
        return 2;
    case XpsTileMode::FlipXY:
        return 3;
    }
    return 0;
}

int32_t LineCapCode(XpsLineCap cap)
{
    switch (cap) {
    case XpsLineCap::Flat:
        return 0;
    case XpsLineCap::Round:
        return 2;
    case XpsLineCap::Square:
        return 1;
    case XpsLineCap::Triangle:
        return 3;
    }
    return 0;
}

int32_t DashCapCode(XpsDashCap cap)
{
    // Square dash caps have no equivalent and become flat.
    switch (cap) {
    case XpsDashCap::Round:
        return 2;
    case XpsDashCap::Triangle:
        return 3;
    case XpsDashCap::Flat:
    case XpsDashCap::Square:
        return 0;
    }
    return 0;
}

int32_t LineJoinCode(XpsLineJoin join)
{
    switch (join) {
    case XpsLineJoin::Miter:
        return 0;
    case XpsLineJoin::Bevel:
        return 1;
    case XpsLineJoin::Round:
        return 2;
    }
    return 0;
}

void CopyStops(const XpsBrush& brush, float opacity, BrushMan& out)
{
    out.m_interpColors.clear();
    out.m_interpPositions.clear();
    for (const XpsGradientStop& stop : brush.stops) {
        out.m_interpColors.push_back(CXPSMan::ColorToArgb(stop.color, opacity));
        out.m_interpPositions.push_back(stop.offset);
    }
}

// How much a transform scales lengths: the square root of the area it gives a unit
// square. An outline's width follows it, as the outline is drawn in the transformed
// space; a transform that is not finite counts as none.
float LengthScale(const Matrix& m)
{
    const double scale = std::sqrt(std::abs(double(m.M11()) * m.M22() - double(m.M12()) * m.M21()));
    return std::isfinite(scale) ? float(scale) : 1.0f;
}

// Widens the outlines of the object (and of a group's children) by `factor`.
void ScaleOutlines(CDrawObj& object, float factor)
{
    object.m_pen.m_fWidth *= factor;
    if (auto* group = dynamic_cast<CDrawObjGroup*>(&object)) {
        for (const std::unique_ptr<CDrawObj>& child : group->Children())
            ScaleOutlines(*child, factor);
    }
}

// Places the object by `transform` after its own, its outline widened along.
void ApplyTransform(CDrawObj& object, const Matrix& transform)
{
    object.m_pMatrix->Multiply(transform, MatrixOrder::Append);
    ScaleOutlines(object, LengthScale(transform));
    object.RecalcBounds(nullptr);
}

// A copy of the picture with every pixel's alpha scaled by `opacity` (0..1).
Bitmap WithOpacity(Bitmap bitmap, float opacity)
{
    for (uint32_t& pixel : bitmap.Pixels()) {
        const uint32_t alpha = uint32_t(std::lround(double(pixel >> 24) * opacity));
        pixel = (pixel & 0x00FFFFFFu) | std::min<uint32_t>(alpha, 255) << 24;
    }
    return bitmap;
}

// Multiplies the import's running opacity by a visual's or brush's own for one scope:
// canvases pass theirs on to everything inside them.
class OpacityScope {
public:
    OpacityScope(float& running, float own) : m_running(running), m_saved(running)
    {
        m_running = running * Clamp01(own);
    }
    ~OpacityScope() { m_running = m_saved; }
    OpacityScope(const OpacityScope&) = delete;
    OpacityScope& operator=(const OpacityScope&) = delete;

private:
    float& m_running;
    float m_saved;
};

} // namespace

CXPSMan::CXPSMan(CDrawDoc* pDocument, ViewServices* pView) : m_pDocument(pDocument), m_pView(pView) { }

CXPSMan::~CXPSMan()
{
    Reset();
}

void CXPSMan::Reset()
{
    m_objects.clear();
    m_owned.clear();
    m_nMade = 0;
}

bool CXPSMan::Import(const std::filesystem::path& path)
{
    m_strError.clear();
    std::unique_ptr<XpsZipSource> source = XpsZipSource::Open(path);
    if (!source) {
        m_strError = "it is not a readable XPS package";
        return false;
    }
    std::string error;
    std::unique_ptr<XpsPackage> package = XpsPackage::Open(*source, &error);
    if (!package) {
        m_strError = error;
        return false;
    }
    ImportPackage(*package);
    return true;
}

void CXPSMan::ImportPackage(const XpsPackage& package)
{
    for (size_t d = 0; d < package.GetDocumentCount(); ++d) {
        for (size_t p = 0; p < package.GetPageCount(d); ++p) {
            std::unique_ptr<XpsPage> page = package.GetPage(d, p);
            if (!page)
                continue;
            std::vector<std::unique_ptr<CDrawObj>> children;
            m_fOpacity = 1.0f;
            ConvertVisuals(page->visuals, children);
            // The page's scale widens the outlines as it enlarges the shapes.
            for (std::unique_ptr<CDrawObj>& child : children)
                ScaleOutlines(*child, kPageScale);
            std::unique_ptr<CDrawObjGroup> group = NewGroup(std::move(children));
            group->m_pMatrix->Scale(kPageScale, kPageScale, MatrixOrder::Append);
            group->RecalcBounds(m_pView);
            CDrawObj* added = group.get();
            if (m_pDocument)
                m_pDocument->Add(std::move(group));
            else
                m_owned.push_back(std::move(group));
            m_objects.push_back(added);
        }
    }
    if (m_pView && m_pDocument)
        m_pView->SelectObjects(m_objects);
}

void CXPSMan::ConvertVisuals(const std::vector<std::unique_ptr<XpsVisual>>& visuals,
                             std::vector<std::unique_ptr<CDrawObj>>& out)
{
    for (const std::unique_ptr<XpsVisual>& visual : visuals) {
        if (visual)
            ConvertVisual(*visual, out);
    }
}

CDrawObj* CXPSMan::ConvertVisual(const XpsVisual& visual, std::vector<std::unique_ptr<CDrawObj>>& out)
{
    switch (visual.type) {
    case XpsVisual::Type::Canvas:
    case XpsVisual::Type::Glyphs: {
        // A canvas's transform and opacity reach everything inside it, its clip shape
        // included; a glyph run's transform places its clip shape.
        std::vector<std::unique_ptr<CDrawObj>> content;
        if (visual.type == XpsVisual::Type::Canvas) {
            OpacityScope opacity(m_fOpacity, visual.opacity);
            ConvertVisuals(visual.children, content);
        }
        if (visual.clip) {
            if (std::unique_ptr<CDrawObj> clip = GeometryToObject(*visual.clip))
                content.push_back(std::move(clip));
        }
        for (std::unique_ptr<CDrawObj>& object : content) {
            if (visual.transform)
                ApplyTransform(*object, *visual.transform);
            out.push_back(std::move(object));
        }
        return nullptr;
    }
    case XpsVisual::Type::Path:
        break;
    }

    if (!visual.data)
        return nullptr;
    std::unique_ptr<CDrawObj> object = GeometryToObject(*visual.data);
    if (!object)
        return nullptr;
    if (visual.clip)
        object->m_pClipObject = GeometryToObject(*visual.clip);
    // The geometry's own transform acts first, then the path's.
    if (visual.data->transform)
        object->m_pMatrix->Multiply(*visual.data->transform, MatrixOrder::Append);
    if (visual.transform)
        object->m_pMatrix->Multiply(*visual.transform, MatrixOrder::Append);

    OpacityScope opacity(m_fOpacity, visual.opacity);
    std::unique_ptr<BrushMan> stroke = visual.stroke ? ConvertBrush(*visual.stroke) : nullptr;
    object->m_bLineEnabled = stroke != nullptr;
    if (stroke)
        object->m_pen.m_brush = *stroke;
    PenMan& pen = object->m_pen;
    pen.m_nDashCap = DashCapCode(visual.dashCap);
    pen.m_nStartCap = LineCapCode(visual.startCap);
    pen.m_nEndCap = LineCapCode(visual.endCap);
    pen.m_fDashOffset = visual.dashOffset;
    pen.m_nLineJoin = LineJoinCode(visual.lineJoin);
    pen.m_fMiterLimit = visual.miterLimit;
    // The thickness is measured where the path is drawn: its transform widens it (the
    // geometry's own transform moves the shape only).
    pen.m_fWidth = visual.transform ? visual.thickness * LengthScale(*visual.transform) : visual.thickness;

    std::unique_ptr<BrushMan> fill = visual.fill ? ConvertBrush(*visual.fill) : nullptr;
    object->m_bFillEnabled = fill != nullptr;
    if (fill)
        object->m_brush = *fill;

    object->RecalcBounds(nullptr);
    out.push_back(std::move(object));
    return out.back().get();
}

std::unique_ptr<BrushMan> CXPSMan::ConvertBrush(const XpsBrush& brush)
{
    auto out = std::make_unique<BrushMan>();
    if (brush.transform)
        out->m_matrix = *brush.transform;
    // The brush's own opacity and that of the visuals it paints for.
    const float opacity = Clamp01(brush.opacity) * m_fOpacity;
    switch (brush.kind) {
    case XpsBrush::Kind::SolidColor:
        out->m_nKind = BrushKind::Solid;
        out->m_clrFore = ColorToArgb(brush.color, opacity);
        break;
    case XpsBrush::Kind::Image: {
        Bitmap bitmap = DecodeImage(brush.image);
        if (!bitmap.IsOk())
            return nullptr;
        if (opacity < 1.0f)
            bitmap = WithOpacity(std::move(bitmap), opacity);
        out->m_nKind = BrushKind::Texture;
        out->m_pImage = std::make_shared<const Bitmap>(std::move(bitmap));
        out->m_nWrapMode = WrapModeForTile(brush.tileMode);
        out->m_rcSource = brush.viewbox;
        out->m_rcTile = brush.viewport;
        break;
    }
    case XpsBrush::Kind::LinearGradient:
        out->m_nKind = BrushKind::LinearGradient;
        out->m_bUsePoints = 1;
        out->m_ptStart = brush.startPoint;
        out->m_ptEnd = brush.endPoint;
        out->m_nWrapMode = brush.spread == XpsSpreadMethod::Pad ? 4 : brush.spread == XpsSpreadMethod::Reflect ? 2 : 0;
        CopyStops(brush, opacity, *out);
        break;
    case XpsBrush::Kind::RadialGradient:
        out->m_nKind = BrushKind::RadialGradient;
        out->m_nWrapMode = 4;
        out->m_ptCenter = brush.center;
        out->m_ptFocus = brush.gradientOrigin;
        out->m_fRadiusX = brush.radii.Width;
        out->m_fRadiusY = brush.radii.Height;
        out->m_nSpread = brush.spread == XpsSpreadMethod::Pad ? 1 : brush.spread == XpsSpreadMethod::Reflect ? 2 : 3;
        CopyStops(brush, opacity, *out);
        break;
    case XpsBrush::Kind::Visual: {
        out->m_nKind = BrushKind::Pattern;
        out->m_nWrapMode = WrapModeForTile(brush.tileMode);
        out->m_rcSource = brush.viewbox;
        out->m_rcTile = brush.viewport;
        std::vector<std::unique_ptr<CDrawObj>> content;
        if (brush.visual) {
            OpacityScope scope(m_fOpacity, brush.opacity);
            ConvertVisual(*brush.visual, content);
        }
        auto group = NewGroup(std::move(content));
        group->RecalcBounds(nullptr);
        out->m_pAttached = std::move(group);
        break;
    }
    }
    return out;
}

std::unique_ptr<CDrawObj> CXPSMan::GeometryToObject(const XpsGeometry& geometry)
{
    if (m_nMade >= kMaxImportedObjects)
        return nullptr;
    // All figures in one custom path, so that the inner figures of a shape (the counters
    // of letters like o and p) stay holes in its fill. Figures whose segment data runs
    // short are left out.
    std::vector<PointF> points;
    std::vector<uint8_t> types;
    bool closed = false;
    for (const XpsFigure& figure : geometry.figures) {
        if (AppendFigure(figure, points, types) != S_OK)
            continue;
        closed = figure.closed;
        if (closed)
            types.back() |= PathPointType::CloseSubpath;
    }
    if (points.empty())
        return nullptr;
    // The last figure closes through the path's closed flag, as a single figure does.
    if (closed)
        types.back() &= uint8_t(~PathPointType::CloseSubpath);
    auto poly = std::make_unique<CDrawPoly>();
    poly->m_nShapeType = ShapeType::Custom;
    poly->SetName("Custom - " + std::to_string(g_nObjectCounter.load()));
    poly->SetPoints(std::move(points), std::move(types));
    poly->m_bClosed = closed;
    poly->RecalcBounds(nullptr);
    ++m_nMade;
    return poly;
}

HRESULT CXPSMan::FigureToPoly(const XpsFigure& figure, CDrawPoly* poly)
{
    if (!poly)
        return E_POINTER;
    std::vector<PointF> points;
    std::vector<uint8_t> types;
    if (HRESULT result = AppendFigure(figure, points, types); result != S_OK)
        return result;
    poly->SetPoints(std::move(points), std::move(types));
    poly->m_bClosed = figure.closed;
    return S_OK;
}

HRESULT CXPSMan::AppendFigure(const XpsFigure& figure, std::vector<PointF>& pathPoints,
                              std::vector<uint8_t>& pathTypes)
{
    std::vector<PointF> points;
    std::vector<uint8_t> types;
    size_t room = 1;
    for (XpsSegmentType type : figure.segmentTypes)
        room += type == XpsSegmentType::Bezier || type == XpsSegmentType::QuadraticBezier ? 3
            : type == XpsSegmentType::Line                                               ? 1
                                                                                         : 0;
    points.reserve(room);
    types.reserve(room);
    points.push_back(figure.start);
    types.push_back(0);

    const std::vector<float>& data = figure.segmentData;
    size_t next = 0;
    auto add = [&](float x, float y) {
        points.emplace_back(x, y);
        types.push_back(3);
    };
    for (XpsSegmentType type : figure.segmentTypes) {
        size_t count = size_t(XpsSegmentDataCount(type));
        if (count == 0 || next > data.size() || data.size() - next < count)
            return E_INVALIDARG;
        const float* v = data.data() + next;
        next += count;
        switch (type) {
        case XpsSegmentType::Line:
            points.emplace_back(v[0], v[1]);
            types.push_back(1);
            break;
        case XpsSegmentType::Bezier:
            add(v[0], v[1]);
            add(v[2], v[3]);
            add(v[4], v[5]);
            break;
        case XpsSegmentType::QuadraticBezier:
            // The quadratic control serves as both cubic controls.
            add(v[0], v[1]);
            add(v[0], v[1]);
            add(v[2], v[3]);
            break;
        case XpsSegmentType::ArcLargeClockwise:
        case XpsSegmentType::ArcLargeCounterClockwise:
        case XpsSegmentType::ArcSmallClockwise:
        case XpsSegmentType::ArcSmallCounterClockwise: {
            bool large = type == XpsSegmentType::ArcLargeClockwise || type == XpsSegmentType::ArcLargeCounterClockwise;
            bool sweep = type == XpsSegmentType::ArcLargeClockwise || type == XpsSegmentType::ArcSmallClockwise;
            std::vector<PointF> arc;
            ArcToPathPoints(arc, points.back(), PointF(v[0], v[1]), v[2], v[3], v[4], large, sweep);
            for (const PointF& p : arc)
                add(p.X, p.Y);
            break;
        }
        }
    }
    pathPoints.insert(pathPoints.end(), points.begin(), points.end());
    pathTypes.insert(pathTypes.end(), types.begin(), types.end());
    return S_OK;
}

ARGB CXPSMan::ColorToArgb(const XpsColor& color, float opacity)
{
    const float o = Clamp01(opacity);
    switch (color.type) {
    case XpsColor::Type::SRgb: {
        uint32_t a = uint32_t(float(color.a) * o) & 0xFF;
        return (a << 24) | (uint32_t(color.r) << 16) | (uint32_t(color.g) << 8) | color.b;
    }
    case XpsColor::Type::ScRgb: {
        uint32_t a = uint32_t(Clamp01(color.scA) * o * 255.0f) & 0xFF;
        return (a << 24) | (ScRgbToSRgb(color.scR) << 16) | (ScRgbToSRgb(color.scG) << 8) | ScRgbToSRgb(color.scB);
    }
    case XpsColor::Type::Context:
        break;
    }
    return 0xFF000000;
}

} // namespace kelmora
