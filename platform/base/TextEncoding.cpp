#include "platform/base/TextEncoding.h"

#include <cstdint>

namespace kelmora {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Code points of bytes 0x80..0x9F in Windows-1252; the rest of the upper half is Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Decodes one code point at `i`, advancing it. Surrogate code points are accepted
// when `allowSurrogates`; anything malformed gives U+FFFD and skips one byte.
char32_t DecodeUtf8(std::string_view text, size_t& i, bool allowSurrogates, bool& ok)
{
    ok = true;
    auto byte = [&](size_t k) { return uint8_t(text[k]); };
    uint8_t lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int length;
    char32_t cp;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        length = 2; cp = lead & 0x1F; minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3; cp = lead & 0x0F; minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4; cp = lead & 0x07; minimum = 0x10000;
    } else {
        ++i;
        ok = false;
        return kReplacement;
    }
    if (i + length > text.size()) {
        ++i;
        ok = false;
        return kReplacement;
    }
    for (int k = 1; k < length; ++k) {
        uint8_t next = byte(i + k);
        if ((next & 0xC0) != 0x80) {
            ++i;
            ok = false;
            return kReplacement;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (cp < minimum || cp > 0x10FFFF || (surrogate && !allowSurrogates)) {
        ++i;
        ok = false;
        return kReplacement;
    }
    i += length;
    return cp;
}

} // namespace

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size()
            && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            char32_t low = text[++i];
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else {
            AppendUtf8(out, unit); // includes unpaired surrogates, kept as their own forms
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    bool ok;
    while (i < text.size()) {
        char32_t cp = DecodeUtf8(text, i, true, ok);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += char16_t(0xD800 + (cp >> 10));
            out += char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += char16_t(cp);
        }
    }
    return out;
}

std::string Utf16LeBytesToUtf8(std::string_view bytes)
{
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = char16_t(uint8_t(bytes[2 * i]) | (uint8_t(bytes[2 * i + 1]) << 8));
    return Utf16ToUtf8(units);
}

std::string Utf8ToUtf16LeBytes(std::string_view text)
{
    std::u16string units = Utf8ToUtf16(text);
    std::string out(units.size() * 2, '\0');
    for (size_t i = 0; i < units.size(); ++i) {
        out[2 * i] = char(units[i] & 0xFF);
        out[2 * i + 1] = char(units[i] >> 8);
    }
    return out;
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        uint8_t b = uint8_t(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xA0)
            AppendUtf8(out, kCp1252High[b - 0x80]);
        else
            AppendUtf8(out, b);
    }
    return out;
}

std::string Utf8ToWindows1252(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    bool ok;
    while (i < text.size()) {
        char32_t cp = DecodeUtf8(text, i, false, ok);
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += char(cp);
            continue;
        }
        char mapped = '?';
        for (int k = 0; k < 32; ++k) {
            if (kCp1252High[k] == cp) {
                mapped = char(0x80 + k);
                break;
            }
        }
        out += mapped;
    }
    return out;
}

bool IsValidUtf8(std::string_view text)
{
    size_t i = 0;
    bool ok = true;
    while (i < text.size()) {
        DecodeUtf8(text, i, false, ok);
        if (!ok)
            return false;
    }
    return true;
}

} // namespace kelmora
