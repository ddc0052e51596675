#pragma once
// The abbreviated path syntax of XPS markup ("F1 M 10,10 L 20,10 20,20 Z"): an optional
// fill rule F0 or F1 first, then the commands M, L, H, V, C, Q, S, A and Z, upper case
// absolute and lower case relative to the current point. A command letter may be left
// out when the same command repeats (after M the repeated pairs are lines).
//
// The text comes from files and is parsed strictly: a malformed or non-finite number, a
// missing argument, a drawing command before the first M or an unknown letter refuses the
// whole text. The amount of data is bounded by kMaxXpsPathNumbers.

#include "platform/xps/XpsGeometry.h"

#include <string>
#include <string_view>

namespace kelmora {

// The most numbers one path text may hold (about 16 MB of figures).
inline constexpr size_t kMaxXpsPathNumbers = size_t(1) << 22;

// Parses `text` into `out` (its figures and fill rule). False, with `error` saying why
// when given, for text that does not follow the syntax; `out` is then left empty.
bool ParseXpsPathData(std::string_view text, XpsGeometry& out, std::string* error = nullptr);

// Parses one number of XPS markup: an optional sign, digits with an optional fraction,
// an optional exponent. Refuses anything else, surrounding spaces included, and results
// that are not finite.
bool ParseXpsNumber(std::string_view text, float& value);

} // namespace kelmora
