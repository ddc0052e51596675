#include "bench/common/GeneratedDocument.h"

#include "document/DrawDocFile.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"

#include <cmath>
#include <iterator>
#include <numbers>
#include <string>

namespace kelmora {

void PopulateDocument(CDrawDoc& doc, int count)
{
    constexpr ShapeType kShapes[] = { ShapeType::Rectangle, ShapeType::RoundRectangle, ShapeType::Ellipse,
                                      ShapeType::Star, ShapeType::Pentagon, ShapeType::Pie };
    for (int i = 0; i < count; ++i) {
        const float x = float(i % 100) * 24.0f;
        const float y = float(i / 100) * 24.0f;
        std::unique_ptr<CDrawObj> object;
        if (i % 7 == 6) {
            auto line = std::make_unique<CDrawPoly>(RectF(x, y, 20.0f, 16.0f), nullptr);
            line->m_nShapeType = ShapeType::Line;
            line->SetPoints({ PointF(x, y), PointF(x + 20.0f, y + 16.0f) });
            line->SetName("Line - " + std::to_string(i));
            object = std::move(line);
        } else {
            auto shape = std::make_unique<CDrawRect>(RectF(x, y, 20.0f, 16.0f), nullptr);
            shape->m_nShapeType = kShapes[i % std::size(kShapes)];
            shape->SetName("Shape - " + std::to_string(i));
            shape->SetFillColor(0xFF000000u | uint32_t(i * 2654435761u >> 8), true);
            shape->EnableFill(true);
            object = std::move(shape);
        }
        object->SetLineWidth(1.0f + float(i % 5), true);
        doc.Add(std::move(object));
    }
}

void PopulateLogo(CDrawDoc& doc, int count)
{
    struct Kind {
        ShapeType type;
        const char* name;
    };
    constexpr Kind kKinds[] = {{ShapeType::Rectangle, "Rectangle"}, {ShapeType::RoundRectangle, "Round Rectangle"},
                               {ShapeType::Ellipse, "Ellipse"},     {ShapeType::Star, "Star"},
                               {ShapeType::Polygon, "Polygon"},     {ShapeType::Line, "Line"}};
    constexpr float kPageWidth = 2478.0f;
    constexpr float kPageHeight = 3507.0f;
    // Square cells that cover the page; each object a little larger than its cell, so
    // that neighbours overlap as the parts of a logo do.
    const float cell = std::sqrt(kPageWidth * kPageHeight / float(std::max(count, 1)));
    const int perRow = std::max(1, int(kPageWidth / cell));
    for (int i = 0; i < count; ++i) {
        const Kind& kind = kKinds[i % std::size(kKinds)];
        const uint32_t hash = uint32_t(i) * 2654435761u;
        const float size = cell * (1.0f + float(hash % 7) / 10.0f);
        const float x = float(i % perRow) * cell;
        const float y = float(i / perRow) * cell;
        const std::string name = std::string(kind.name) + " - " + std::to_string(i + 1);
        std::unique_ptr<CDrawObj> object;
        if (kind.type == ShapeType::Polygon || kind.type == ShapeType::Line) {
            auto poly = std::make_unique<CDrawPoly>(RectF(x, y, size, size), nullptr);
            poly->m_nShapeType = kind.type;
            if (kind.type == ShapeType::Line)
                poly->SetPoints({PointF(x, y), PointF(x + size, y + size * 0.6f)});
            else
                poly->SetPoints({PointF(x, y + size), PointF(x + size * 0.5f, y), PointF(x + size, y + size * 0.7f),
                                 PointF(x + size * 0.3f, y + size * 0.9f)});
            object = std::move(poly);
        } else {
            object = std::make_unique<CDrawRect>(RectF(x, y, size, size * 0.8f), nullptr);
            object->m_nShapeType = kind.type;
        }
        object->SetName(name);
        if (object->CanFill()) {
            object->SetFillColor(0xFF000000u | (hash >> 8), true);
            object->EnableFill(true);
            if (i % 2 == 1) {
                object->m_brush.m_nKind = BrushKind::LinearGradient;
                object->m_brush.m_clrBack = 0xFF000000u | ~(hash >> 8);
            }
        }
        object->SetLineColor(0xFF000000u | (hash >> 12), true);
        object->SetLineWidth(float(1 + i % 10), true);
        if (i % 4 == 3)
            object->SetDashStyle(1 + (i / 4) % 4, true);
        object->RecalcBounds(nullptr);
        doc.Add(std::move(object));
    }
}

CDrawObj* AddDensePolygon(CDrawDoc& doc, int points)
{
    constexpr float kCentre = 1200.0f;
    constexpr float kRadius = 600.0f;
    // How far a vertex may stray outward from the circle, in document units.
    constexpr double kJitter = 1.0;
    std::vector<PointF> vertices;
    vertices.reserve(size_t(points));
    uint32_t seed = 1;
    for (int i = 0; i < points; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const double angle = 2.0 * std::numbers::pi * double(i) / double(points);
        const double radius = kRadius + kJitter * double(seed >> 8) / double(1u << 24);
        vertices.emplace_back(float(kCentre + radius * std::cos(angle)), float(kCentre + radius * std::sin(angle)));
    }
    auto poly = std::make_unique<CDrawPoly>(RectF(kCentre - kRadius, kCentre - kRadius, 2 * kRadius, 2 * kRadius),
                                            nullptr);
    poly->m_nShapeType = ShapeType::Polygon;
    poly->SetPoints(std::move(vertices));
    poly->SetName("Polygon - 1");
    poly->SetFillColor(0xFF3060A0u, true);
    poly->EnableFill(true);
    poly->SetLineWidth(3.0f, true);
    poly->RecalcBounds(nullptr);
    return doc.Add(std::move(poly));
}

CDrawObj* AddLongWord(CDrawDoc& doc, int letters)
{
    auto text = std::make_unique<CDrawRect>(RectF(100.0f, 100.0f, 2.5e6f, 300.0f), nullptr);
    text->m_nShapeType = ShapeType::Text;
    std::string word;
    word.reserve(size_t(letters));
    for (int i = 0; i < letters; ++i)
        word.push_back(char('a' + i % 26));
    text->m_strText = std::move(word);
    text->m_strFontName = "Liberation Sans";
    text->SetName("Text - 1");
    text->SetFillColor(0xFF202020u, true);
    text->EnableFill(true);
    text->SetLineWidth(1.0f, true);
    text->RecalcBounds(nullptr);
    return doc.Add(std::move(text));
}

std::vector<uint8_t> GeneratedDocumentFile(int count)
{
    StandaloneEnvironment environment;
    CDrawDoc doc(environment);
    PopulateDocument(doc, count);
    return BuildDocumentCompoundFile(doc);
}

} // namespace kelmora
