#pragma once
// The kind that CDrawObj::GetHandle reports for a grip handle. The base handles report the
// kinds named here; shape and point handles of the subclasses report small kinds of their
// own (1 point or end point, 2 corner radius, 3 arc centre, 5 arc start, 6 arc end, 7 and 8
// Bézier controls after and before an anchor). 0 is no handle.

namespace kelmora {

enum HandleKind : int {
    HANDLE_NONE = 0,
    HANDLE_POINT = 1,
    HANDLE_MOVE = 9,
    HANDLE_ROTATE_CENTRE = 10,
    HANDLE_ROTATE = 11,
    HANDLE_SIZE = 12,
    HANDLE_SKEW = 13,
};

} // namespace kelmora
