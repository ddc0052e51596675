#include "app/LengthUnits.h"

#include <wx/dcscreen.h>

#include <cmath>
#include <limits>

namespace kelmora {

namespace {

constexpr double kUnitsPerInch = 300.0;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kPointsPerInch = 72.0;
// A screen that reports no resolution is taken at the usual 96 pixels per inch.
constexpr int kDefaultPixelsPerInch = 96;

int32_t TruncateSaturated(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (value <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return int32_t(std::trunc(value));
}

} // namespace

LengthValue MakeLengthValue(DrawUnit unit, float v, int dpi)
{
    switch (unit) {
    case DrawUnit::Inches:
        return float(v / kUnitsPerInch);
    case DrawUnit::Millimetres:
        return float(double(float(v / kUnitsPerInch)) * kMillimetresPerInch);
    case DrawUnit::Points:
        return float(v * kPointsPerInch / kUnitsPerInch);
    case DrawUnit::Pixels:
    default:
        return TruncateSaturated(dpi * double(v) / kUnitsPerInch + 0.5);
    }
}

int ScreenPixelsPerInch()
{
    const int dpi = wxScreenDC().GetPPI().x;
    return dpi > 0 ? dpi : kDefaultPixelsPerInch;
}

} // namespace kelmora
