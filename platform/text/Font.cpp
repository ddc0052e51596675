#include "platform/text/Font.h"

#include <cmath>

namespace kelmora {

namespace {
constexpr float kPointsPerInch = 72.0f;
}

Font::Font(FontFamily family, float size, FontStyle style, FontUnit unit)
    : m_family(std::move(family))
    , m_size(size)
    , m_style(style)
    , m_unit(unit)
{
}

std::optional<Font> Font::Create(const FontFamily& family, float emSize, FontStyle style, FontUnit unit)
{
    if (!std::isfinite(emSize) || !(emSize > 0.0f))
        return std::nullopt;
    if (unit != FontUnit::World && unit != FontUnit::Pixel && unit != FontUnit::Point)
        return std::nullopt;
    return Font(family, emSize, FontStyleFromBits(int32_t(style)), unit);
}

float Font::EmSizeInWorld(float dpi) const
{
    if (m_unit == FontUnit::Point)
        return m_size * dpi / kPointsPerInch;
    return m_size;
}

} // namespace kelmora
