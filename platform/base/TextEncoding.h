#pragma once
// Conversions between the UTF-8 held in memory and the encodings files use.
//
// Strings in memory are UTF-8. UTF-16 text from a file may hold unpaired surrogates;
// those are kept as the three-byte forms of their code points (generalised UTF-8), so
// that what a file holds survives a load and a save unchanged.

#include <string>
#include <string_view>

namespace kelmora {

// UTF-16 code units to UTF-8. Unpaired surrogates become their three-byte forms.
std::string Utf16ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16 code units. The three-byte forms of surrogates become those code
// units again; bytes that are not UTF-8 become U+FFFD each.
std::u16string Utf8ToUtf16(std::string_view text);

// UTF-16LE bytes (an even count; a trailing odd byte is dropped) to UTF-8.
std::string Utf16LeBytesToUtf8(std::string_view bytes);
// UTF-8 to UTF-16LE bytes, without terminator.
std::string Utf8ToUtf16LeBytes(std::string_view text);

// Windows-1252 (the Western ANSI code page) to UTF-8. The five bytes the code page leaves
// unassigned map to the C1 control characters of the same value.
std::string Windows1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252; characters the code page lacks become '?'.
std::string Utf8ToWindows1252(std::string_view text);

// Whether the bytes are well-formed UTF-8 (surrogate forms excluded).
bool IsValidUtf8(std::string_view text);

} // namespace kelmora
