// Parsing of fixed page markup into the object tree.
#include "platform/xps/XpsMarkup.h"
#include "platform/xps/XpsPackage.h"
#include "platform/xps/XpsPathData.h"

#include <cmath>
#include <cstring>
#include <map>

namespace kelmora {

using xpsmarkup::LocalName;

namespace {

// Malformed markup in one visual: the visual is left out.
struct MarkupError {
    std::string message;
};
// Markup nested too deeply or too large a page: the page is refused.
struct PageLimitError {
    std::string message;
};

// Splits a list of numbers separated by commas and white space.
bool ParseNumberList(std::string_view text, std::vector<float>& values, size_t limit = kMaxXpsPathNumbers)
{
    values.clear();
    size_t i = 0;
    auto separator = [](char c) { return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (i < text.size()) {
        // White space with at most one comma between two numbers.
        int commas = 0;
        while (i < text.size() && separator(text[i]))
            commas += text[i++] == ',';
        if (commas > 1)
            return false;
        if (i >= text.size())
            break;
        size_t start = i;
        while (i < text.size() && !separator(text[i]))
            ++i;
        float value = 0;
        if (!ParseXpsNumber(text.substr(start, i - start), value) || values.size() >= limit)
            return false;
        values.push_back(value);
    }
    return true;
}

std::vector<float> Numbers(std::string_view text, size_t count, const char* what)
{
    std::vector<float> values;
    if (!ParseNumberList(text, values, count + 1) || values.size() != count)
        throw MarkupError { std::string("malformed ") + what };
    return values;
}

float NumberAttribute(const pugi::xml_node& node, const char* name, float fallback)
{
    pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute)
        return fallback;
    return Numbers(attribute.value(), 1, name)[0];
}

PointF PointAttribute(const pugi::xml_node& node, const char* name)
{
    std::vector<float> v = Numbers(node.attribute(name).value(), 2, name);
    return PointF(v[0], v[1]);
}

RectF RectAttribute(const pugi::xml_node& node, const char* name)
{
    std::vector<float> v = Numbers(node.attribute(name).value(), 4, name);
    return RectF(v[0], v[1], v[2], v[3]);
}

bool BoolAttribute(const pugi::xml_node& node, const char* name, bool fallback)
{
    pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute)
        return fallback;
    std::string_view value = attribute.value();
    if (value == "true")
        return true;
    if (value == "false")
        return false;
    throw MarkupError { std::string("malformed ") + name };
}

// Maps an enumeration attribute through `names`; the fallback when absent.
template <typename E, size_t N>
E EnumAttribute(const pugi::xml_node& node, const char* name, const std::pair<const char*, E> (&names)[N], E fallback)
{
    pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute)
        return fallback;
    for (const auto& [text, value] : names) {
        if (std::strcmp(text, attribute.value()) == 0)
            return value;
    }
    throw MarkupError { std::string("malformed ") + name };
}

constexpr std::pair<const char*, XpsLineCap> kLineCaps[] = {
    { "Flat", XpsLineCap::Flat }, { "Round", XpsLineCap::Round },
    { "Square", XpsLineCap::Square }, { "Triangle", XpsLineCap::Triangle } };
constexpr std::pair<const char*, XpsDashCap> kDashCaps[] = {
    { "Flat", XpsDashCap::Flat }, { "Round", XpsDashCap::Round },
    { "Square", XpsDashCap::Square }, { "Triangle", XpsDashCap::Triangle } };
constexpr std::pair<const char*, XpsLineJoin> kLineJoins[] = {
    { "Miter", XpsLineJoin::Miter }, { "Bevel", XpsLineJoin::Bevel }, { "Round", XpsLineJoin::Round } };
constexpr std::pair<const char*, XpsTileMode> kTileModes[] = {
    { "None", XpsTileMode::None }, { "Tile", XpsTileMode::Tile }, { "FlipX", XpsTileMode::FlipX },
    { "FlipY", XpsTileMode::FlipY }, { "FlipXY", XpsTileMode::FlipXY } };
constexpr std::pair<const char*, XpsSpreadMethod> kSpreads[] = {
    { "Pad", XpsSpreadMethod::Pad }, { "Reflect", XpsSpreadMethod::Reflect }, { "Repeat", XpsSpreadMethod::Repeat } };
constexpr std::pair<const char*, XpsColorInterpolation> kInterpolations[] = {
    { "ScRgbLinearInterpolation", XpsColorInterpolation::ScRgb },
    { "SRgbLinearInterpolation", XpsColorInterpolation::SRgb } };
constexpr std::pair<const char*, XpsFillRule> kFillRules[] = {
    { "EvenOdd", XpsFillRule::EvenOdd }, { "NonZero", XpsFillRule::NonZero } };
constexpr std::pair<const char*, bool> kSweeps[] = { { "Clockwise", true }, { "Counterclockwise", false } };

// The key of "{StaticResource key}", or empty when `value` is no such reference.
std::string_view StaticResourceKey(std::string_view value)
{
    constexpr std::string_view prefix = "{StaticResource";
    if (value.size() < prefix.size() + 2 || value.substr(0, prefix.size()) != prefix || value.back() != '}')
        return {};
    std::string_view key = value.substr(prefix.size(), value.size() - prefix.size() - 1);
    while (!key.empty() && key.front() == ' ')
        key.remove_prefix(1);
    while (!key.empty() && key.back() == ' ')
        key.remove_suffix(1);
    return key;
}

class PageParser {
public:
    PageParser(const std::string& partName, XpsPackageSource& source) : m_partName(partName), m_source(source) { }

    std::unique_ptr<XpsPage> Parse(const pugi::xml_node& root);

private:
    // Bounds the depth of everything recursive: visuals, brushes, resource references.
    class Nesting {
    public:
        explicit Nesting(PageParser& parser) : m_parser(parser)
        {
            if (++m_parser.m_depth > kMaxXpsNesting)
                throw PageLimitError { "markup nested too deeply" };
        }
        ~Nesting() { --m_parser.m_depth; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        PageParser& m_parser;
    };

    using Dictionary = std::map<std::string, pugi::xml_node, std::less<>>;

    void PushResources(const pugi::xml_node& owner, std::string_view resourcesName);
    void LoadDictionary(const pugi::xml_node& dictionary, Dictionary& into);
    pugi::xml_node FindResource(std::string_view key) const;
    // The property element "Owner.Property" below `node`, if any.
    static pugi::xml_node PropertyElement(const pugi::xml_node& node, std::string_view property);
    // The first element child of a property element.
    static pugi::xml_node FirstElement(const pugi::xml_node& node);

    void ParseVisualsInto(const pugi::xml_node& parent, std::vector<std::unique_ptr<XpsVisual>>& out);
    std::unique_ptr<XpsVisual> ParseVisual(const pugi::xml_node& node);
    void ParseCommon(const pugi::xml_node& node, std::string_view owner, XpsVisual& visual);
    void ParsePath(const pugi::xml_node& node, XpsVisual& visual);

    std::optional<Matrix> ParseTransform(const pugi::xml_node& node, std::string_view owner, const char* attribute);
    Matrix ParseMatrixTransformElement(const pugi::xml_node& node);
    std::unique_ptr<XpsGeometry> ParseGeometryProperty(const pugi::xml_node& node, std::string_view owner,
                                                       const char* attribute);
    std::unique_ptr<XpsGeometry> ParseGeometryElement(const pugi::xml_node& node);
    void ParseFigure(const pugi::xml_node& node, XpsGeometry& geometry);
    std::unique_ptr<XpsBrush> ParseBrushProperty(const pugi::xml_node& node, std::string_view owner, const char* attribute);
    std::unique_ptr<XpsBrush> ParseBrushElement(const pugi::xml_node& node);
    void ParseGradient(const pugi::xml_node& node, std::string_view owner, XpsBrush& brush);

    const std::string& m_partName;
    XpsPackageSource& m_source;
    int m_depth = 0;
    size_t m_visuals = 0;
    std::vector<Dictionary> m_dictionaries;
    std::vector<std::unique_ptr<pugi::xml_document>> m_remoteDictionaries;
};

pugi::xml_node PageParser::PropertyElement(const pugi::xml_node& node, std::string_view property)
{
    std::string_view owner = LocalName(node);
    for (pugi::xml_node child : node.children()) {
        std::string_view name = LocalName(child);
        if (name.size() == owner.size() + 1 + property.size() && name.substr(0, owner.size()) == owner
            && name[owner.size()] == '.' && name.substr(owner.size() + 1) == property)
            return child;
    }
    return {};
}

pugi::xml_node PageParser::FirstElement(const pugi::xml_node& node)
{
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_element)
            return child;
    }
    return {};
}

void PageParser::LoadDictionary(const pugi::xml_node& dictionary, Dictionary& into)
{
    if (pugi::xml_attribute source = dictionary.attribute("Source")) {
        // A remote dictionary in a part of its own; its entries need no further parts.
        std::string name = ResolveXpsPartName(m_partName, source.value());
        auto document = std::make_unique<pugi::xml_document>();
        if (name.empty() || !xpsmarkup::LoadPart(m_source, name, kMaxXpsPartSize, *document)
            || LocalName(document->document_element()) != "ResourceDictionary")
            throw MarkupError { "remote resource dictionary cannot be read" };
        if (m_remoteDictionaries.size() >= size_t(kMaxXpsNesting))
            throw PageLimitError { "too many remote resource dictionaries" };
        pugi::xml_node root = document->document_element();
        m_remoteDictionaries.push_back(std::move(document));
        LoadDictionary(root, into);
        return;
    }
    for (pugi::xml_node entry : dictionary.children()) {
        if (entry.type() != pugi::node_element)
            continue;
        std::string_view key;
        for (pugi::xml_attribute attribute : entry.attributes()) {
            std::string_view name = attribute.name();
            if (name == "x:Key" || name == "Key" || (name.size() > 4 && name.substr(name.size() - 4) == ":Key"))
                key = attribute.value();
        }
        if (!key.empty())
            into.emplace(std::string(key), entry);
    }
}

void PageParser::PushResources(const pugi::xml_node& owner, std::string_view resourcesName)
{
    Dictionary dictionary;
    if (pugi::xml_node resources = PropertyElement(owner, resourcesName)) {
        for (pugi::xml_node child : resources.children()) {
            if (LocalName(child) == "ResourceDictionary")
                LoadDictionary(child, dictionary);
        }
    }
    m_dictionaries.push_back(std::move(dictionary));
}

pugi::xml_node PageParser::FindResource(std::string_view key) const
{
    for (auto it = m_dictionaries.rbegin(); it != m_dictionaries.rend(); ++it) {
        auto found = it->find(key);
        if (found != it->end())
            return found->second;
    }
    throw MarkupError { "unknown resource" };
}

std::unique_ptr<XpsPage> PageParser::Parse(const pugi::xml_node& root)
{
    auto page = std::make_unique<XpsPage>();
    page->size = SizeF(NumberAttribute(root, "Width", 0.0f), NumberAttribute(root, "Height", 0.0f));
    PushResources(root, "Resources");
    ParseVisualsInto(root, page->visuals);
    return page;
}

void PageParser::ParseVisualsInto(const pugi::xml_node& parent, std::vector<std::unique_ptr<XpsVisual>>& out)
{
    for (pugi::xml_node child : parent.children()) {
        std::string_view name = LocalName(child);
        if (name != "Canvas" && name != "Path" && name != "Glyphs")
            continue;
        if (++m_visuals > kMaxXpsVisuals)
            throw PageLimitError { "too many visuals" };
        try {
            if (auto visual = ParseVisual(child))
                out.push_back(std::move(visual));
        } catch (const MarkupError&) {
            // A visual with malformed markup is left out; its siblings stay.
        }
    }
}

std::unique_ptr<XpsVisual> PageParser::ParseVisual(const pugi::xml_node& node)
{
    Nesting nesting(*this);
    std::string_view name = LocalName(node);
    auto visual = std::make_unique<XpsVisual>();
    if (name == "Canvas") {
        visual->type = XpsVisual::Type::Canvas;
        ParseCommon(node, name, *visual);
        PushResources(node, "Resources");
        try {
            ParseVisualsInto(node, visual->children);
        } catch (...) {
            m_dictionaries.pop_back();
            throw;
        }
        m_dictionaries.pop_back();
    } else if (name == "Path") {
        visual->type = XpsVisual::Type::Path;
        ParseCommon(node, name, *visual);
        ParsePath(node, *visual);
    } else if (name == "Glyphs") {
        visual->type = XpsVisual::Type::Glyphs;
        ParseCommon(node, name, *visual);
    } else {
        return nullptr;
    }
    return visual;
}

void PageParser::ParseCommon(const pugi::xml_node& node, std::string_view owner, XpsVisual& visual)
{
    visual.transform = ParseTransform(node, owner, "RenderTransform");
    visual.clip = ParseGeometryProperty(node, owner, "Clip");
    visual.opacity = NumberAttribute(node, "Opacity", 1.0f);
}

void PageParser::ParsePath(const pugi::xml_node& node, XpsVisual& visual)
{
    visual.data = ParseGeometryProperty(node, "Path", "Data");
    visual.fill = ParseBrushProperty(node, "Path", "Fill");
    visual.stroke = ParseBrushProperty(node, "Path", "Stroke");
    visual.dashCap = EnumAttribute(node, "StrokeDashCap", kDashCaps, XpsDashCap::Flat);
    visual.startCap = EnumAttribute(node, "StrokeStartLineCap", kLineCaps, XpsLineCap::Flat);
    visual.endCap = EnumAttribute(node, "StrokeEndLineCap", kLineCaps, XpsLineCap::Flat);
    visual.dashOffset = NumberAttribute(node, "StrokeDashOffset", 0.0f);
    visual.lineJoin = EnumAttribute(node, "StrokeLineJoin", kLineJoins, XpsLineJoin::Miter);
    visual.miterLimit = NumberAttribute(node, "StrokeMiterLimit", 10.0f);
    visual.thickness = NumberAttribute(node, "StrokeThickness", 1.0f);
    if (visual.thickness < 0 || visual.miterLimit < 0)
        throw MarkupError { "negative stroke value" };
    if (pugi::xml_attribute dashes = node.attribute("StrokeDashArray")) {
        if (!ParseNumberList(dashes.value(), visual.dashArray, 4096))
            throw MarkupError { "malformed StrokeDashArray" };
    }
}

std::optional<Matrix> PageParser::ParseTransform(const pugi::xml_node& node, std::string_view owner,
                                                 const char* attribute)
{
    if (pugi::xml_attribute value = node.attribute(attribute)) {
        std::string_view text = value.value();
        if (std::string_view key = StaticResourceKey(text); !key.empty()) {
            Nesting nesting(*this);
            return ParseMatrixTransformElement(FindResource(key));
        }
        Matrix matrix;
        if (!ParseXpsMatrix(text, matrix))
            throw MarkupError { std::string("malformed ") + attribute };
        return matrix;
    }
    std::string property(attribute);
    (void)owner;
    if (pugi::xml_node element = PropertyElement(node, property))
        return ParseMatrixTransformElement(FirstElement(element));
    return std::nullopt;
}

Matrix PageParser::ParseMatrixTransformElement(const pugi::xml_node& node)
{
    Matrix matrix;
    if (LocalName(node) != "MatrixTransform" || !ParseXpsMatrix(node.attribute("Matrix").value(), matrix))
        throw MarkupError { "malformed MatrixTransform" };
    return matrix;
}

std::unique_ptr<XpsGeometry> PageParser::ParseGeometryProperty(const pugi::xml_node& node, std::string_view owner,
                                                               const char* attribute)
{
    (void)owner;
    if (pugi::xml_attribute value = node.attribute(attribute)) {
        std::string_view text = value.value();
        if (std::string_view key = StaticResourceKey(text); !key.empty()) {
            Nesting nesting(*this);
            return ParseGeometryElement(FindResource(key));
        }
        auto geometry = std::make_unique<XpsGeometry>();
        std::string error;
        if (!ParseXpsPathData(text, *geometry, &error))
            throw MarkupError { "malformed path data: " + error };
        return geometry;
    }
    if (pugi::xml_node element = PropertyElement(node, attribute))
        return ParseGeometryElement(FirstElement(element));
    return nullptr;
}

std::unique_ptr<XpsGeometry> PageParser::ParseGeometryElement(const pugi::xml_node& node)
{
    if (LocalName(node) != "PathGeometry")
        throw MarkupError { "unknown geometry" };
    auto geometry = std::make_unique<XpsGeometry>();
    if (pugi::xml_attribute figures = node.attribute("Figures")) {
        std::string error;
        if (!ParseXpsPathData(figures.value(), *geometry, &error))
            throw MarkupError { "malformed path data: " + error };
    }
    // A fill rule attribute overrides the path text's own.
    geometry->fillRule = EnumAttribute(node, "FillRule", kFillRules, geometry->fillRule);
    geometry->transform = ParseTransform(node, "PathGeometry", "Transform");
    for (pugi::xml_node child : node.children()) {
        if (LocalName(child) == "PathFigure")
            ParseFigure(child, *geometry);
    }
    return geometry;
}

void PageParser::ParseFigure(const pugi::xml_node& node, XpsGeometry& geometry)
{
    XpsFigure figure;
    figure.start = PointAttribute(node, "StartPoint");
    figure.closed = BoolAttribute(node, "IsClosed", false);
    figure.filled = BoolAttribute(node, "IsFilled", true);
    size_t total = 0;
    for (const XpsFigure& other : geometry.figures)
        total += other.segmentData.size();
    for (pugi::xml_node segment : node.children()) {
        std::string_view name = LocalName(segment);
        bool stroked = BoolAttribute(segment, "IsStroked", true);
        auto append = [&](XpsSegmentType type, const std::vector<float>& data) {
            total += data.size();
            if (total > kMaxXpsPathNumbers)
                throw PageLimitError { "too much path data" };
            figure.segmentTypes.push_back(type);
            figure.segmentStrokes.push_back(stroked);
            figure.segmentData.insert(figure.segmentData.end(), data.begin(), data.end());
        };
        if (name == "ArcSegment") {
            PointF end = PointAttribute(segment, "Point");
            std::vector<float> size = Numbers(segment.attribute("Size").value(), 2, "Size");
            float rotation = NumberAttribute(segment, "RotationAngle", 0.0f);
            bool large = BoolAttribute(segment, "IsLargeArc", false);
            bool clockwise = EnumAttribute(segment, "SweepDirection", kSweeps, false);
            if (size[0] < 0 || size[1] < 0)
                throw MarkupError { "negative arc radius" };
            XpsSegmentType type = large ? (clockwise ? XpsSegmentType::ArcLargeClockwise
                                                     : XpsSegmentType::ArcLargeCounterClockwise)
                                        : (clockwise ? XpsSegmentType::ArcSmallClockwise
                                                     : XpsSegmentType::ArcSmallCounterClockwise);
            append(type, { end.X, end.Y, size[0], size[1], rotation });
            continue;
        }
        XpsSegmentType type;
        size_t stride;
        if (name == "PolyLineSegment") {
            type = XpsSegmentType::Line, stride = 2;
        } else if (name == "PolyBezierSegment") {
            type = XpsSegmentType::Bezier, stride = 6;
        } else if (name == "PolyQuadraticBezierSegment") {
            type = XpsSegmentType::QuadraticBezier, stride = 4;
        } else {
            continue;
        }
        std::vector<float> values;
        if (!ParseNumberList(segment.attribute("Points").value(), values) || values.size() % stride != 0)
            throw MarkupError { "malformed Points" };
        for (size_t i = 0; i < values.size(); i += stride)
            append(type, std::vector<float>(values.begin() + i, values.begin() + i + stride));
    }
    geometry.figures.push_back(std::move(figure));
}

std::unique_ptr<XpsBrush> PageParser::ParseBrushProperty(const pugi::xml_node& node, std::string_view owner,
                                                         const char* attribute)
{
    (void)owner;
    if (pugi::xml_attribute value = node.attribute(attribute)) {
        std::string_view text = value.value();
        if (std::string_view key = StaticResourceKey(text); !key.empty()) {
            Nesting nesting(*this);
            return ParseBrushElement(FindResource(key));
        }
        auto brush = std::make_unique<XpsBrush>();
        if (!ParseXpsColor(text, brush->color))
            throw MarkupError { std::string("malformed ") + attribute };
        return brush;
    }
    if (pugi::xml_node element = PropertyElement(node, attribute))
        return ParseBrushElement(FirstElement(element));
    return nullptr;
}

void PageParser::ParseGradient(const pugi::xml_node& node, std::string_view owner, XpsBrush& brush)
{
    brush.spread = EnumAttribute(node, "SpreadMethod", kSpreads, XpsSpreadMethod::Pad);
    brush.interpolation = EnumAttribute(node, "ColorInterpolationMode", kInterpolations, XpsColorInterpolation::SRgb);
    pugi::xml_node stops = PropertyElement(node, "GradientStops");
    (void)owner;
    for (pugi::xml_node stop : stops.children()) {
        if (LocalName(stop) != "GradientStop")
            continue;
        if (brush.stops.size() >= 4096)
            throw MarkupError { "too many gradient stops" };
        XpsGradientStop entry;
        entry.offset = NumberAttribute(stop, "Offset", 0.0f);
        if (!ParseXpsColor(stop.attribute("Color").value(), entry.color))
            throw MarkupError { "malformed gradient stop" };
        brush.stops.push_back(entry);
    }
}

std::unique_ptr<XpsBrush> PageParser::ParseBrushElement(const pugi::xml_node& node)
{
    Nesting nesting(*this);
    std::string_view name = LocalName(node);
    auto brush = std::make_unique<XpsBrush>();
    brush->opacity = NumberAttribute(node, "Opacity", 1.0f);
    if (name == "SolidColorBrush") {
        brush->kind = XpsBrush::Kind::SolidColor;
        if (!ParseXpsColor(node.attribute("Color").value(), brush->color))
            throw MarkupError { "malformed Color" };
        return brush;
    }
    brush->transform = ParseTransform(node, name, "Transform");
    if (name == "ImageBrush" || name == "VisualBrush") {
        brush->tileMode = EnumAttribute(node, "TileMode", kTileModes, XpsTileMode::None);
        brush->viewbox = RectAttribute(node, "Viewbox");
        brush->viewport = RectAttribute(node, "Viewport");
    }
    if (name == "ImageBrush") {
        brush->kind = XpsBrush::Kind::Image;
        std::string image = ResolveXpsPartName(m_partName, node.attribute("ImageSource").value());
        auto bytes = image.empty() ? std::nullopt : m_source.ReadPart(image, kMaxXpsPartSize);
        if (!bytes)
            throw MarkupError { "image cannot be read" };
        brush->image = std::move(*bytes);
    } else if (name == "VisualBrush") {
        brush->kind = XpsBrush::Kind::Visual;
        pugi::xml_node visual;
        if (pugi::xml_attribute reference = node.attribute("Visual")) {
            std::string_view key = StaticResourceKey(reference.value());
            if (key.empty())
                throw MarkupError { "malformed Visual" };
            visual = FindResource(key);
        } else {
            visual = FirstElement(PropertyElement(node, "Visual"));
        }
        if (visual) {
            if (++m_visuals > kMaxXpsVisuals)
                throw PageLimitError { "too many visuals" };
            brush->visual = ParseVisual(visual);
        }
    } else if (name == "LinearGradientBrush") {
        brush->kind = XpsBrush::Kind::LinearGradient;
        brush->startPoint = PointAttribute(node, "StartPoint");
        brush->endPoint = PointAttribute(node, "EndPoint");
        ParseGradient(node, name, *brush);
    } else if (name == "RadialGradientBrush") {
        brush->kind = XpsBrush::Kind::RadialGradient;
        brush->center = PointAttribute(node, "Center");
        brush->gradientOrigin = PointAttribute(node, "GradientOrigin");
        brush->radii = SizeF(NumberAttribute(node, "RadiusX", 0.0f), NumberAttribute(node, "RadiusY", 0.0f));
        ParseGradient(node, name, *brush);
    } else {
        throw MarkupError { "unknown brush" };
    }
    return brush;
}

} // namespace

bool ParseXpsColor(std::string_view text, XpsColor& color)
{
    if (text.substr(0, 12) == "ContextColor") {
        color = XpsColor();
        color.type = XpsColor::Type::Context;
        return true;
    }
    if (text.substr(0, 3) == "sc#") {
        std::vector<float> values;
        if (!ParseNumberList(text.substr(3), values, 5) || (values.size() != 3 && values.size() != 4))
            return false;
        color = XpsColor();
        color.type = XpsColor::Type::ScRgb;
        size_t i = 0;
        if (values.size() == 4)
            color.scA = values[i++];
        color.scR = values[i++];
        color.scG = values[i++];
        color.scB = values[i++];
        return true;
    }
    if (text.empty() || text[0] != '#' || (text.size() != 7 && text.size() != 9))
        return false;
    uint32_t value = 0;
    for (char c : text.substr(1)) {
        int digit = c >= '0' && c <= '9' ? c - '0'
            : c >= 'a' && c <= 'f'       ? c - 'a' + 10
            : c >= 'A' && c <= 'F'       ? c - 'A' + 10
                                         : -1;
        if (digit < 0)
            return false;
        value = value * 16 + uint32_t(digit);
    }
    if (text.size() == 7)
        value |= 0xFF000000u;
    color = XpsColor();
    color.a = uint8_t(value >> 24);
    color.r = uint8_t(value >> 16);
    color.g = uint8_t(value >> 8);
    color.b = uint8_t(value);
    return true;
}

bool ParseXpsMatrix(std::string_view text, Matrix& matrix)
{
    std::vector<float> v;
    if (!ParseNumberList(text, v, 7) || v.size() != 6)
        return false;
    matrix = Matrix(v[0], v[1], v[2], v[3], v[4], v[5]);
    return true;
}

std::unique_ptr<XpsPage> ParseXpsFixedPage(std::string_view markup, const std::string& partName,
                                           XpsPackageSource& source, std::string* error)
{
    pugi::xml_document document;
    if (!document.load_buffer(markup.data(), markup.size(), pugi::parse_default)) {
        if (error)
            *error = "the page markup is not well-formed";
        return nullptr;
    }
    pugi::xml_node root = document.document_element();
    if (LocalName(root) != "FixedPage") {
        if (error)
            *error = "the part is no fixed page";
        return nullptr;
    }
    PageParser parser(partName, source);
    try {
        return parser.Parse(root);
    } catch (const PageLimitError& limit) {
        if (error)
            *error = limit.message;
    } catch (const MarkupError& markupError) {
        if (error)
            *error = markupError.message;
    }
    return nullptr;
}

} // namespace kelmora
