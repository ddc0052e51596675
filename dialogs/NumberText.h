#pragma once
// Numbers typed into the dialogs' edit boxes.

#include <optional>
#include <string>

namespace kelmora {

// The whole text as a number, blanks around it allowed; nothing for anything else (empty,
// "12abc", "1 2", "nan", infinities, numbers beyond the range of a double).
std::optional<double> ParseNumberText(const std::string& text);

} // namespace kelmora
