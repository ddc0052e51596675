#pragma once
// How a stroke turns a corner, with the GDI+ values (stored in files as these numbers).

namespace kelmora {

enum class LineJoin {
    Miter = 0,        // sharp corner; past the miter limit the point is cut off square
    Bevel = 1,        // corner cut straight across
    Round = 2,        // corner rounded with a circle of the stroke width
    MiterClipped = 3, // sharp corner; past the miter limit it falls back to a bevel
};

} // namespace kelmora
