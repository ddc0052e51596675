#pragma once
// The document's paper and grid-line colours are COLORREF values, 0x00BBGGRR, as the
// ribbon's colour buttons deliver them; the views convert them for drawing.

#include <cstdint>

namespace kelmora {

using COLORREF = uint32_t;

// What a colour button reports when it has no colour (and the ribbon no such button).
inline constexpr COLORREF kNoColor = 0xFFFFFFFF;
inline constexpr COLORREF kWhite = 0x00FFFFFF;
inline constexpr COLORREF kBlack = 0x00000000;

} // namespace kelmora
