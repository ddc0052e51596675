#include "platform/ui/NumericEditValue.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kelmora {

NumericEditValue::NumericEditValue(double minimum, double maximum, NumberKind kind, std::string initial)
    : m_minimum(minimum), m_maximum(maximum), m_kind(kind), m_text(std::move(initial))
{
}

std::optional<double> NumericEditValue::Parse(std::string_view text) const
{
    const std::optional<double> value = ParseNumberText(text, m_kind);
    if (!value || *value < m_minimum || *value > m_maximum)
        return std::nullopt;
    return value;
}

std::string NumericEditValue::Format(double value) const
{
    char buffer[64];
    std::to_chars_result result;
    if (m_kind == NumberKind::Whole)
        result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(std::llround(value)));
    else
        result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool NumericEditValue::Commit(std::string_view typed)
{
    const std::optional<double> value = Parse(typed);
    if (!value)
        return false;
    m_text = Format(*value);
    return true;
}

bool NumericEditValue::Step(int steps)
{
    const std::optional<double> current = Parse(m_text);
    const double start = current ? *current : m_minimum;
    const double next = std::clamp(current ? start + steps : start, m_minimum, m_maximum);
    std::string text = Format(next);
    if (text == m_text)
        return false;
    m_text = std::move(text);
    return true;
}

} // namespace kelmora
