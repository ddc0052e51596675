#pragma once
// Font style bits and font size units, with the numbers that stored documents carry.

#include <cstdint>

namespace kelmora {

// Style bits of a font; they combine. The values are those stored in text records:
// 1 bold, 2 italic (3 bold italic), 4 underline, 8 strikeout.
enum class FontStyle : int32_t {
    Regular = 0,
    Bold = 1,
    Italic = 2,
    BoldItalic = 3,
    Underline = 4,
    Strikeout = 8,
};

constexpr FontStyle operator|(FontStyle a, FontStyle b)
{
    return FontStyle(int32_t(a) | int32_t(b));
}

constexpr FontStyle operator&(FontStyle a, FontStyle b)
{
    return FontStyle(int32_t(a) & int32_t(b));
}

constexpr bool HasStyle(FontStyle style, FontStyle bit)
{
    return (int32_t(style) & int32_t(bit)) != 0;
}

// The style held in a record as an integer; bits above the four known ones are dropped.
constexpr FontStyle FontStyleFromBits(int32_t bits)
{
    return FontStyle(bits & 0xF);
}

// The unit a font size is given in. The numbers are the stored unit codes.
//   World: the size is an em height in the coordinates the text is drawn in (before
//          the surface's transform), as glyph outlines of a text object are built.
//   Pixel: an em height in device pixels of an untransformed surface; the same as
//          World on a surface whose page unit is the pixel.
//   Point: 1/72 inch, converted with the surface's resolution.
enum class FontUnit : int32_t {
    World = 0,
    Pixel = 2,
    Point = 3,
};

} // namespace kelmora
