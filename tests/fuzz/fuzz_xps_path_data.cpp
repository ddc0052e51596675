// The abbreviated path syntax of XPS markup, then the conversion of every figure it
// accepts into polyline points (arcs included).
#include "document/XPSMan.h"
#include "model/DrawPoly.h"
#include "platform/xps/XpsPathData.h"

#include <cstdint>
#include <string_view>

using namespace kelmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    XpsGeometry geometry;
    if (!ParseXpsPathData(std::string_view(reinterpret_cast<const char*>(data), size), geometry))
        return 0;
    size_t figures = 0;
    for (const XpsFigure& figure : geometry.figures) {
        if (++figures > 64)
            break;
        CDrawPoly poly;
        poly.m_nShapeType = ShapeType::Custom;
        if (CXPSMan::FigureToPoly(figure, &poly) == S_OK)
            poly.RecalcBounds(nullptr);
    }
    return 0;
}
