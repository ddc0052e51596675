#pragma once
// Antialiasing of lines, curves and fills, with the GDI+ values. Default, HighSpeed and
// None draw aliased; HighQuality, AntiAlias and AntiAlias8x8 antialias.

namespace kelmora {

enum class SmoothingMode {
    Invalid = -1,
    Default = 0,
    HighSpeed = 1,
    HighQuality = 2,
    None = 3,
    AntiAlias = 4,
    AntiAlias8x8 = 5,
};

inline bool Antialiases(SmoothingMode mode)
{
    return mode == SmoothingMode::HighQuality || mode == SmoothingMode::AntiAlias || mode == SmoothingMode::AntiAlias8x8;
}

} // namespace kelmora
