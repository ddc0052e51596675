#pragma once
// Numbers typed into edit boxes, read one way in every dialog and on the ribbon.
//
// The text is plain decimal notation with a point, whatever the desktop's locale, because
// that is how the program writes every number it shows. A comma is refused rather than
// guessed at: "2,5" is two and a half to a user whose locale writes a decimal comma, and
// "1,250" is twelve hundred and fifty to one whose locale groups thousands with it, so
// either guess would silently take a number a thousand times off for the others. A refused
// text gets the edit box's own answer (a message in the dialogs, the last good text on the
// ribbon), and the user sees the point in the numbers around it.

#include <optional>
#include <string_view>

namespace kelmora {

enum class NumberKind {
    Whole,  // an optional sign and digits: "12", "-3", "+7"
    Real,   // also a fraction and an exponent: "2.5", ".5", "1e3"
};

// The number that the whole text stands for, blanks around it allowed; nothing for
// anything else: empty, "12abc", "1 2", "2,5", hexadecimal, "nan", infinities, and numbers
// beyond the range of a double.
std::optional<double> ParseNumberText(std::string_view text, NumberKind kind = NumberKind::Real);

} // namespace kelmora
