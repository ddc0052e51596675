#pragma once
// Dash patterns and the ends of dashes, with the GDI+ values (stored in files as these
// numbers).

#include <cstdint>

namespace kelmora {

enum class DashStyle : int32_t {
    Solid = 0,
    Dash = 1,       // 3 on, 1 off (in pen widths)
    Dot = 2,        // 1 on, 1 off
    DashDot = 3,    // 3, 1, 1, 1
    DashDotDot = 4, // 3, 1, 1, 1, 1, 1
    Custom = 5,     // the pen's own pattern (Pen::SetDashPattern)
};

constexpr bool IsValidDashStyle(DashStyle style) { return int32_t(style) >= 0 && int32_t(style) <= 5; }

// The shape of both ends of every dash; the ends of a figure take the pen's start and end
// caps instead. There is no value 1.
enum class DashCap : int32_t {
    Flat = 0,
    Round = 2,
    Triangle = 3,
};

constexpr bool IsValidDashCap(DashCap cap) { return cap == DashCap::Flat || cap == DashCap::Round || cap == DashCap::Triangle; }

} // namespace kelmora
