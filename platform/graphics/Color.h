#pragma once
// A 32-bit colour as GDI+ takes it: 0xAARRGGBB with straight (not premultiplied) alpha.
// The default is opaque black, as in GDI+.

#include <cstdint>

namespace kelmora {

class Color {
public:
    constexpr Color() = default;
    constexpr explicit Color(uint32_t argb) : m_argb(argb) { }
    constexpr Color(uint8_t r, uint8_t g, uint8_t b) : m_argb(MakeARGB(255, r, g, b)) { }
    constexpr Color(uint8_t a, uint8_t r, uint8_t g, uint8_t b) : m_argb(MakeARGB(a, r, g, b)) { }

    static constexpr uint32_t MakeARGB(uint8_t a, uint8_t r, uint8_t g, uint8_t b)
    {
        return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
    }

    constexpr uint32_t GetValue() const { return m_argb; }
    constexpr uint8_t GetA() const { return uint8_t(m_argb >> 24); }
    constexpr uint8_t GetR() const { return uint8_t(m_argb >> 16); }
    constexpr uint8_t GetG() const { return uint8_t(m_argb >> 8); }
    constexpr uint8_t GetB() const { return uint8_t(m_argb); }

    friend constexpr bool operator==(Color, Color) = default;

private:
    uint32_t m_argb = 0xFF000000;
};

} // namespace kelmora
