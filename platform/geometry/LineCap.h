#pragma once
// The shapes a stroke can end in, with the GDI+ values (stored in files as these numbers).

#include <cstdint>

namespace kelmora {

enum class LineCap : uint8_t {
    Flat = 0x00,
    Square = 0x01,
    Round = 0x02,
    Triangle = 0x03,
    NoAnchor = 0x10,
    SquareAnchor = 0x11,
    RoundAnchor = 0x12,
    DiamondAnchor = 0x13,
    ArrowAnchor = 0x14,
    Custom = 0xFF,
};

constexpr bool IsAnchorCap(LineCap cap) { return cap != LineCap::Custom && (uint8_t(cap) & 0xF0) != 0; }

} // namespace kelmora
