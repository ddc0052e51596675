#include "app/properties/LengthUnits.h"

#include "model/Coordinates.h"

#include <cstdio>

namespace kelmora {

namespace {

constexpr double kUnitsPerInch = 300.0;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kPointsPerInch = 72.0;

int UsableDpi(int dpi)
{
    return dpi > 0 ? dpi : kDefaultScreenDpi;
}

} // namespace

LengthValue MakeLengthValue(float length, DrawUnit unit, int dpi)
{
    const double v = length;
    switch (unit) {
    case DrawUnit::Inches:
        return float(v / kUnitsPerInch);
    case DrawUnit::Millimetres:
        return float(double(float(v / kUnitsPerInch)) * kMillimetresPerInch);
    case DrawUnit::Points:
        return float(v * kPointsPerInch / kUnitsPerInch);
    default:
        return TruncateToInt32(double(UsableDpi(dpi)) * v / kUnitsPerInch + 0.5);
    }
}

float LengthFromValue(const LengthValue& value, DrawUnit unit, int dpi)
{
    const double x = std::visit([](auto shown) { return double(shown); }, value);
    switch (unit) {
    case DrawUnit::Inches:
        return float(x * kUnitsPerInch);
    case DrawUnit::Millimetres:
        return float(double(float(x / kMillimetresPerInch)) * kUnitsPerInch);
    case DrawUnit::Points:
        return float(x * kUnitsPerInch / kPointsPerInch);
    default:
        return float(x * kUnitsPerInch / double(UsableDpi(dpi)));
    }
}

std::string FormatLengthNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

} // namespace kelmora
