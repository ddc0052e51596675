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
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    // from_chars reads the C locale's form whatever the process locale is.
    double value = 0.0;
    if (m_kind == NumberKind::Whole) {
        long long whole = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), whole);
        if (ec != std::errc() || end != text.data() + text.size())
            return std::nullopt;
        value = double(whole);
    } else {
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
        if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
            return std::nullopt;
    }
    if (value < m_minimum || value > m_maximum)
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
