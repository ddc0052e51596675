#include "dialogs/NumberText.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace kelmora {

std::optional<double> ParseNumberText(const std::string& text)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    if (end == begin || errno == ERANGE || !std::isfinite(value))
        return std::nullopt;
    while (*end != '\0' && std::isspace(static_cast<unsigned char>(*end)))
        ++end;
    if (*end != '\0')
        return std::nullopt;
    return value;
}

} // namespace kelmora
