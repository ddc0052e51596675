#pragma once
// The parts of an object that one drawing step paints; the last argument of CDrawObj::Draw.
// Bits other than these are ignored, so callers that want everything pass kDrawAllParts.

#include <cstdint>

namespace kelmora {

using DrawPartMask = uint32_t;

inline constexpr DrawPartMask kDrawBody = 1;         // fill, picture, glow and outline
inline constexpr DrawPartMask kDrawShadow = 2;       // the drop shadow
inline constexpr DrawPartMask kDrawReflection = 32;  // the mirrored reflection below the object
inline constexpr DrawPartMask kDrawAllParts = 0xFFFFFFFF;

} // namespace kelmora
