#include "app/properties/LengthUnits.h"

#include "model/Coordinates.h"

#include <cmath>
#include <cstdio>

#include <wx/dcscreen.h>

namespace kelmora {

namespace {

int UsableDpi(int dpi)
{
    return dpi > 0 ? dpi : kDefaultScreenDpi;
}

bool IsPixels(DrawUnit unit)
{
    return unit != DrawUnit::Inches && unit != DrawUnit::Millimetres && unit != DrawUnit::Points;
}

// The document length of x of a unit that is not pixels.
float FromUnit(double x, DrawUnit unit)
{
    switch (unit) {
    case DrawUnit::Inches:
        return float(x * kUnitsPerInch);
    case DrawUnit::Millimetres:
        return float(double(float(x / kMillimetresPerInch)) * kUnitsPerInch);
    case DrawUnit::Points:
        return float(x * kUnitsPerInch / kPointsPerInch);
    default:
        return float(x);
    }
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
    if (IsPixels(unit)) {
        const double pixels = std::holds_alternative<int32_t>(value) ? double(std::get<int32_t>(value))
                                                                     : double(std::get<float>(value));
        return float(pixels * kUnitsPerInch / double(UsableDpi(dpi)));
    }
    const double x = std::holds_alternative<int32_t>(value) ? double(std::get<int32_t>(value))
                                                            : double(std::get<float>(value));
    return FromUnit(x, unit);
}

int ScreenPixelsPerInch()
{
    return UsableDpi(wxScreenDC().GetPPI().x);
}

std::string FormatLengthNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

} // namespace kelmora
