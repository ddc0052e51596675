#include "document/XPSMan.h"

#include "document/DrawDoc.h"
#include "document/XpsZipSource.h"
#include "model/BrushMan.h"
#include "model/DrawObjGroup.h"
#include "model/DrawPoly.h"
#include "model/ViewServices.h"
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
    group->m_children = std::move(children);
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

void CopyStops(const XpsBrush& brush, BrushMan& out)
{
    out.m_interpColors.clear();
    out.m_interpPositions.clear();
    for (const XpsGradientStop& stop : brush.stops) {
        out.m_interpColors.push_back(CXPSMan::ColorToArgb(stop.color, brush.opacity));
        out.m_interpPositions.push_back(stop.offset);
    }
}

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
            ConvertVisuals(page->visuals, children);
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
        ConvertVisuals(visual.children, out);
        [[fallthrough]];
    case XpsVisual::Type::Glyphs:
        if (visual.clip) {
            if (std::unique_ptr<CDrawObj> clip = GeometryToObject(*visual.clip))
                out.push_back(std::move(clip));
        }
        return nullptr;
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
    pen.m_fWidth = visual.thickness;

    std::unique_ptr<BrushMan> fill = visual.fill ? ConvertBrush(*visual.fill) : nullptr;
    object->m_bFillEnabled = fill != nullptr;
    if (fill)
        object->m_brush = *fill;

    if (auto* group = dynamic_cast<CDrawObjGroup*>(object.get())) {
        group->m_bUseGroupSettings = true;
        group->m_bGroupStroke = true;
        group->m_bGroupFill = true;
    }
    object->RecalcBounds(nullptr);
    out.push_back(std::move(object));
    return out.back().get();
}

std::unique_ptr<BrushMan> CXPSMan::ConvertBrush(const XpsBrush& brush)
{
    auto out = std::make_unique<BrushMan>();
    if (brush.transform)
        out->m_matrix = *brush.transform;
    switch (brush.kind) {
    case XpsBrush::Kind::SolidColor:
        out->m_nKind = BrushKind::Solid;
        out->m_clrFore = ColorToArgb(brush.color, brush.opacity);
        break;
    case XpsBrush::Kind::Image: {
        Bitmap bitmap = DecodeImage(brush.image);
        if (!bitmap.IsOk())
            return nullptr;
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
        CopyStops(brush, *out);
        break;
    case XpsBrush::Kind::RadialGradient:
        out->m_nKind = BrushKind::RadialGradient;
        out->m_nWrapMode = 4;
        out->m_ptCenter = brush.center;
        out->m_ptFocus = brush.gradientOrigin;
        out->m_fRadiusX = brush.radii.Width;
        out->m_fRadiusY = brush.radii.Height;
        out->m_nSpread = brush.spread == XpsSpreadMethod::Pad ? 1 : brush.spread == XpsSpreadMethod::Reflect ? 2 : 3;
        CopyStops(brush, *out);
        break;
    case XpsBrush::Kind::Visual: {
        out->m_nKind = BrushKind::Pattern;
        out->m_nWrapMode = WrapModeForTile(brush.tileMode);
        out->m_rcSource = brush.viewbox;
        out->m_rcTile = brush.viewport;
        std::vector<std::unique_ptr<CDrawObj>> content;
        if (brush.visual)
            ConvertVisual(*brush.visual, content);
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
    // Every figure's name carries the counter's value from before the first of them.
    const std::string name = "Custom - " + std::to_string(g_nObjectCounter.load());
    std::vector<std::unique_ptr<CDrawObj>> polys;
    for (const XpsFigure& figure : geometry.figures) {
        if (m_nMade >= kMaxImportedObjects)
            break;
        auto poly = std::make_unique<CDrawPoly>();
        poly->m_nShapeType = ShapeType::Custom;
        poly->SetName(name);
        if (FigureToPoly(figure, poly.get()) != S_OK)
            continue;
        poly->RecalcBounds(nullptr);
        ++m_nMade;
        polys.push_back(std::move(poly));
    }
    if (polys.empty())
        return nullptr;
    if (polys.size() == 1)
        return std::move(polys.front());
    auto group = NewGroup(std::move(polys));
    group->RecalcBounds(nullptr);
    return group;
}

HRESULT CXPSMan::FigureToPoly(const XpsFigure& figure, CDrawPoly* poly)
{
    if (!poly)
        return E_POINTER;
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
    poly->SetPoints(std::move(points), std::move(types));
    poly->m_bClosed = figure.closed;
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
