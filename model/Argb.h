#pragma once
// Colours of drawing objects and styles: 32-bit 0xAARRGGBB with straight alpha.

#include <cstdint>

namespace kelmora {

using ARGB = uint32_t;

} // namespace kelmora
