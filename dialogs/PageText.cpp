#include "dialogs/PageText.h"

namespace kelmora {

wxString ToControlText(std::string_view utf8)
{
    return wxString::FromUTF8(utf8.data(), utf8.size());
}

std::string FromControlText(const wxString& text)
{
    return text.utf8_string();
}

wxString ToMultiLineControlText(std::string_view utf8)
{
    std::string lines;
    lines.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
            continue;
        lines += utf8[i];
    }
    return ToControlText(lines);
}

std::string FromMultiLineControlText(const wxString& text)
{
    std::string utf8 = FromControlText(text);
    std::string lines;
    lines.reserve(utf8.size() + utf8.size() / 16);
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\n' && (i == 0 || utf8[i - 1] != '\r'))
            lines += '\r';
        lines += utf8[i];
    }
    return lines;
}

} // namespace kelmora
