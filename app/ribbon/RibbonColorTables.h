#pragma once
// The colours every ribbon colour button offers: ten theme colours, fifty shades of them
// (five rows of ten, one shade of each theme colour per row) and ten standard colours,
// each with the name its tool-tip shows. Colours are 0x00BBGGRR values.

#include "platform/ui/ColorPalette.h"

#include <string>
#include <vector>

namespace kelmora {

struct RibbonColorTables {
    std::vector<NamedColor> mainColors;
    std::vector<NamedColor> additionalColors;
    std::vector<NamedColor> standardColors;
};

// The three lists, built from the fixed tables.
RibbonColorTables InitColorTables();

// A colour button's palette: the automatic colour, the label and tool-tip of the entry
// for any other colour, and the three groups in ten columns ("Theme Colors", the shades
// under them without a caption, "Standard Colors").
ColorPaletteSpec MakeColorPaletteSpec(const RibbonColorTables& tables, uint32_t automaticColor, std::string otherLabel,
                                      std::string otherToolTip);

} // namespace kelmora
