#include "view/FileFilter.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace kelmora {

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

std::string Converted(std::string_view pattern, int (*convert)(int))
{
    std::string out(pattern);
    std::transform(out.begin(), out.end(), out.begin(), [convert](unsigned char c) { return char(convert(c)); });
    return out;
}

} // namespace

std::string WildcardMatchingAnyCase(std::string_view filter)
{
    std::string result;
    const std::vector<std::string_view> fields = Split(filter, '|');
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            result += '|';
        // Labels and patterns alternate; labels are shown as written.
        if (i % 2 == 0) {
            result += fields[i];
            continue;
        }
        std::vector<std::string> patterns;
        for (std::string_view pattern : Split(fields[i], ';')) {
            for (std::string spelling : {std::string(pattern), Converted(pattern, ::tolower), Converted(pattern, ::toupper)}) {
                if (std::find(patterns.begin(), patterns.end(), spelling) == patterns.end())
                    patterns.push_back(std::move(spelling));
            }
        }
        for (size_t p = 0; p < patterns.size(); ++p)
            result += (p > 0 ? ";" : "") + patterns[p];
    }
    return result;
}

} // namespace kelmora
