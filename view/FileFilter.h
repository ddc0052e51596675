#pragma once
// File-dialog filters in the wildcard form "Label|*.a;*.b|Label|*.c". The GTK file chooser
// matches patterns case-sensitively, so a filter written for "*.png" would hide
// "LOGO.PNG"; the dialogs are given every pattern in its lower- and upper-case spelling.
// No window system.

#include <string>
#include <string_view>

namespace kelmora {

// The filter with each pattern followed by its other spellings: "*.png" becomes
// "*.png;*.PNG", "*.XPS" becomes "*.XPS;*.xps"; patterns without letters, and the labels,
// stay as they are.
std::string WildcardMatchingAnyCase(std::string_view filter);

} // namespace kelmora
