#pragma once
// The cursor a grip handle shows. The view maps each to a system or program cursor.

namespace kelmora {

enum class HandleCursor {
    Arrow,                 // the standard arrow
    SizeNorthWestSouthEast,
    SizeNorthSouth,
    SizeNorthEastSouthWest,
    SizeWestEast,
    Rotate,                // program cursor 171
    RotateCentre,          // program cursor 172
    SkewHorizontal,        // program cursor 174
    SkewVertical,          // program cursor 175
    ShapePoint,            // program cursor 169: the shape handles of the rectangle family
};

} // namespace kelmora
