#pragma once
// The document's paper and grid-line colours are COLORREF values, 0x00BBGGRR, as the
// ribbon's colour buttons deliver them; the views convert them for drawing.

#include "model/Argb.h"

#include <cstdint>

namespace kelmora {

using COLORREF = uint32_t;

// What a colour button reports when it has no colour (and the ribbon no such button).
inline constexpr COLORREF kNoColor = 0xFFFFFFFF;
inline constexpr COLORREF kWhite = 0x00FFFFFF;
inline constexpr COLORREF kBlack = 0x00000000;

// Colours cross between the ribbon (COLORREF) and the objects (ARGB 0xAARRGGBB): alpha
// is dropped on the way out and set to 255 on the way in.
constexpr COLORREF ColorRefFromArgb(ARGB color)
{
    return ((color >> 16) & 0xFF) | (color & 0xFF00) | ((color & 0xFF) << 16);
}
constexpr ARGB ArgbFromColorRef(COLORREF color)
{
    return 0xFF000000u | ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

} // namespace kelmora
