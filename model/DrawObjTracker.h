#pragma once
// Helpers of the selection marks (CDrawObj::DrawTrackerEx) that callers and tests share.

#include <string>

namespace kelmora {

// The text of an angle read-out: the angle, given in radians, in degrees with two
// decimals ("90.00" for π/2).
std::string FormatAngleReadout(double radians);

} // namespace kelmora
