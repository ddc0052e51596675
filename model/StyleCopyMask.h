#pragma once
// The parts of an object's style that a copy-format step transfers. The shape type always
// travels with a style copy, whatever the mask, so that the receiver can tell what kind of
// object the style came from (the text font part only passes between text objects).

#include <cstdint>

namespace kelmora {

enum class StyleCopyMask : uint8_t {
    None = 0,
    Line = 1,
    Fill = 2,
    Shadow = 16,
    Glow = 32,
    Reflection = 64,
    TextFont = 128,
    All = 0xFF,
};

constexpr StyleCopyMask operator|(StyleCopyMask a, StyleCopyMask b)
{
    return StyleCopyMask(uint8_t(a) | uint8_t(b));
}

constexpr StyleCopyMask operator&(StyleCopyMask a, StyleCopyMask b)
{
    return StyleCopyMask(uint8_t(a) & uint8_t(b));
}

// Whether every bit of `part` is set in `mask`.
constexpr bool HasStyleParts(StyleCopyMask mask, StyleCopyMask part)
{
    return (mask & part) == part;
}

} // namespace kelmora
