#pragma once
// Conversions between the resolutions image files store and dots per inch.

#include <cmath>
#include <cstdint>

namespace kelmora {

constexpr double kMetersPerInch = 0.0254;

// Files store whole pixels per metre, so 96 dpi is kept as 3780 and comes back as
// 96.012: the result is rounded to a tenth of a dot, which brings the usual
// resolutions back exactly. Nothing (0) for a missing resolution.
inline float DpiFromPixelsPerMeter(double pixelsPerMeter)
{
    if (!(pixelsPerMeter > 0) || !std::isfinite(pixelsPerMeter))
        return 0;
    return float(std::round(pixelsPerMeter * kMetersPerInch * 10) / 10);
}

inline uint32_t PixelsPerMeterFromDpi(float dpi)
{
    double ppm = std::round(double(dpi) / kMetersPerInch);
    if (!(ppm >= 1))
        return 0;
    return ppm > 2147483647.0 ? 2147483647u : uint32_t(ppm);
}

} // namespace kelmora
