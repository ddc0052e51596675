#pragma once
// Files built into the program: picked by resource number, kept as their bytes.

#include <cstdint>
#include <span>

namespace kelmora {

// The built-in fill textures are PNG pictures numbered from kFirstTextureResource:
// sand, woven scales, grey clouds, pebbles, white granite, grey canvas, white marble,
// blue water, green marble and brown gravel. Each is a seamless tile of 128 x 124 pixels.
constexpr int32_t kFirstTextureResource = 400;
constexpr int32_t kTextureResourceCount = 10;

// The bytes of resource `id`, valid for the whole run; empty for an unknown id.
std::span<const uint8_t> GetResourceBytes(int32_t id);

} // namespace kelmora
