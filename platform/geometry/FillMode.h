#pragma once
// How a path's figures decide what is inside, with the GDI+ values.

namespace kelmora {

enum class FillMode {
    Alternate = 0, // even-odd: inside where a ray crosses the outline an odd number of times
    Winding = 1,   // non-zero: inside where the outline winds around the point
};

} // namespace kelmora
