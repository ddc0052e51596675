#pragma once
// How a new clip area combines with the current one, with the GDI+ values.

namespace kelmora {

enum class CombineMode {
    Replace = 0,   // the new area replaces the clip
    Intersect = 1, // the clip becomes the overlap of both
};

} // namespace kelmora
