#pragma once
// Where a pen's width lies relative to the path, with the GDI+ values.

#include <cstdint>

namespace kelmora {

enum class PenAlignment : int32_t {
    Center = 0, // centred on the path
    Inset = 1,  // inside closed figures; open figures are drawn centred
};

constexpr bool IsValidPenAlignment(PenAlignment alignment)
{
    return alignment == PenAlignment::Center || alignment == PenAlignment::Inset;
}

} // namespace kelmora
