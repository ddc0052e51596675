#pragma once
// The unit in which lengths are shown. Document coordinates are always 1/300 inch; the
// unit only changes what the panes and dialogs display.

namespace kelmora {

enum class DrawUnit : int {
    Inches = 0,
    Millimetres = 1,
    Pixels = 2,
    Points = 3,
};

} // namespace kelmora
