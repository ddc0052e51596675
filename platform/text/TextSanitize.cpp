#include "platform/text/TextSanitize.h"

#include <cstdint>

namespace kelmora {

namespace {

constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";

// The length of the well-formed sequence at `i`, 0 when the byte there starts none.
// `surrogate` tells that the sequence was the three-byte form of a surrogate.
size_t SequenceLength(std::string_view text, size_t i, bool& surrogate)
{
    surrogate = false;
    auto at = [&](size_t k) { return uint8_t(text[k]); };
    uint8_t lead = at(i);
    if (lead < 0x80)
        return 1;
    size_t length;
    uint32_t cp;
    uint32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2; cp = lead & 0x1F; minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3; cp = lead & 0x0F; minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4; cp = lead & 0x07; minimum = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - i < length)
        return 0;
    for (size_t k = 1; k < length; ++k) {
        uint8_t next = at(i + k);
        if ((next & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF)
        return 0;
    surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    return length;
}

} // namespace

std::string SanitizeTextForLayout(std::string_view text, size_t maxCharacters)
{
    std::string out;
    out.reserve(text.size() < 4096 ? text.size() : 4096);
    size_t characters = 0;
    size_t i = 0;
    while (i < text.size() && characters < maxCharacters) {
        bool surrogate = false;
        size_t length = SequenceLength(text, i, surrogate);
        if (length == 0) {
            out += kReplacementUtf8;
            ++i;
        } else if (surrogate) {
            out += kReplacementUtf8;
            i += length;
        } else if (length == 1 && text[i] == '\0') {
            ++i;
            continue;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
        ++characters;
    }
    return out;
}

} // namespace kelmora
