#pragma once
// The font names the font choosers offer.

#include <string>
#include <vector>

namespace kelmora {

// Appends the name of every installed family whose regular, bold, italic and
// bold-italic styles are all available to `names`, sorted with case ignored.
void GetInstalledFontNames(std::vector<std::string>& names);

} // namespace kelmora
