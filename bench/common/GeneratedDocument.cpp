#include "bench/common/GeneratedDocument.h"

#include "document/DrawDocFile.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"

#include <iterator>
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

std::vector<uint8_t> GeneratedDocumentFile(int count)
{
    StandaloneEnvironment environment;
    CDrawDoc doc(environment);
    PopulateDocument(doc, count);
    return BuildDocumentCompoundFile(doc);
}

} // namespace kelmora
