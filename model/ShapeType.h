#pragma once
// The shape code of a drawing object. Files store it as a 32-bit integer and nothing
// range-checks it on load, so a ShapeType may hold any value, not only the named ones;
// code that needs to know an object's class asks the class (dynamic_cast), never the code.

#include <cstdint>

namespace kelmora {

enum class ShapeType : int32_t {
    None = 0,
    Group = 1,
    Custom = 2,
    Rectangle = 3,
    RoundRectangle = 4,
    Ellipse = 5,
    Arc = 6,
    Pie = 7,
    Circle = 8,
    Star = 9,
    Pentagon = 10,
    ComplexStar = 11,
    Spiral = 12,
    Polygon = 13,
    Line = 14,
    Bezier = 15,
    Curve = 16,
    Text = 17,
    Image = 18,
    OleObject = 19,
};

} // namespace kelmora
