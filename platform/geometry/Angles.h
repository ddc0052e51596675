#pragma once
// Angles in degrees, as GDI+ takes them.

#include <cmath>
#include <numbers>

namespace kelmora {

constexpr double DegreesToRadians(double degrees) { return degrees * std::numbers::pi / 180.0; }
constexpr double RadiansToDegrees(double radians) { return radians * 180.0 / std::numbers::pi; }

// Cosine and sine of an angle in degrees, exact at multiples of 90° so that quarter turns
// compose without drift (two turns by 90° equal one by 180°, a turn by 90° maps (1, 0)
// exactly onto (0, 1)).
inline void CosSinDegrees(double degrees, double& cosine, double& sine)
{
    double reduced = std::fmod(degrees, 360.0);
    if (reduced < 0)
        reduced += 360.0;
    if (reduced == 0.0 || reduced == 90.0 || reduced == 180.0 || reduced == 270.0) {
        static constexpr double kCos[] = {1, 0, -1, 0};
        static constexpr double kSin[] = {0, 1, 0, -1};
        int quadrant = int(reduced / 90.0);
        cosine = kCos[quadrant];
        sine = kSin[quadrant];
        return;
    }
    double radians = DegreesToRadians(reduced);
    cosine = std::cos(radians);
    sine = std::sin(radians);
}

} // namespace kelmora
