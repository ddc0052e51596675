#pragma once
// Making arbitrary bytes safe to hand to the text layout engine, which requires
// well-formed UTF-8 and warns, or worse, on anything else.

#include <cstddef>
#include <string>
#include <string_view>

namespace kelmora {

// `text` as well-formed UTF-8 holding at most `maxCharacters` characters:
//   - each byte that does not start or continue a well-formed sequence (overlong forms,
//     stray continuation bytes, truncated sequences, code points above U+10FFFF)
//     becomes one U+FFFD;
//   - the three-byte form of a surrogate (a lone UTF-16 half kept from a file) becomes
//     one U+FFFD;
//   - NUL characters are dropped;
//   - characters beyond `maxCharacters` are dropped.
std::string SanitizeTextForLayout(std::string_view text, size_t maxCharacters);

} // namespace kelmora
