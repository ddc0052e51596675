#include "app/ribbon/RibbonColorTables.h"

#include <array>

namespace kelmora {

namespace {

constexpr uint32_t Rgb(int r, int g, int b)
{
    return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16;
}

struct Entry {
    uint32_t color;
    const char* name;
};

constexpr std::array<Entry, 10> kMainColors{{
    {Rgb(255, 255, 255), "White, Background 1"},
    {Rgb(0, 0, 0), "Black, Text 1"},
    {Rgb(238, 236, 225), "Tan, Background 2"},
    {Rgb(31, 73, 125), "Dark Blue, Text 2"},
    {Rgb(79, 129, 189), "Blue, Accent 1"},
    {Rgb(192, 80, 77), "Red, Accent 2"},
    {Rgb(155, 187, 89), "Olive Green, Accent 3"},
    {Rgb(128, 100, 162), "Purple, Accent 4"},
    {Rgb(75, 172, 198), "Aqua, Accent 5"},
    {Rgb(245, 150, 70), "Orange, Accent 6"},
}};

// Five rows of shades, each in the column order of the main colours, with the suffixes
// for white, black, tan and then the seven others.
struct ShadeRow {
    std::array<uint32_t, 10> colors;
    const char* white;
    const char* black;
    const char* tan;
    const char* others;
};

constexpr std::array<ShadeRow, 5> kShadeRows{{
    {{Rgb(242, 242, 242), Rgb(127, 127, 127), Rgb(214, 212, 202), Rgb(210, 218, 229), Rgb(217, 228, 240),
      Rgb(244, 219, 218), Rgb(234, 241, 221), Rgb(229, 223, 235), Rgb(216, 237, 242), Rgb(255, 234, 218)},
     ", Darker 5%", ", Lighter 50%", ", Darker 10%", ", Lighter 80%"},
    {{Rgb(215, 215, 215), Rgb(89, 89, 89), Rgb(177, 176, 167), Rgb(161, 180, 201), Rgb(179, 202, 226),
      Rgb(233, 184, 182), Rgb(213, 226, 188), Rgb(203, 191, 215), Rgb(176, 220, 231), Rgb(255, 212, 181)},
     ", Darker 15%", ", Lighter 35%", ", Darker 25%", ", Lighter 60%"},
    {{Rgb(190, 190, 190), Rgb(65, 65, 65), Rgb(118, 117, 112), Rgb(115, 143, 175), Rgb(143, 177, 213),
      Rgb(222, 149, 147), Rgb(192, 213, 155), Rgb(177, 160, 197), Rgb(137, 203, 218), Rgb(255, 191, 145)},
     ", Darker 25%", ", Lighter 25%", ", Darker 35%", ", Lighter 40%"},
    {{Rgb(163, 163, 163), Rgb(42, 42, 42), Rgb(61, 61, 59), Rgb(20, 57, 92), Rgb(54, 96, 139), Rgb(149, 63, 60),
      Rgb(114, 139, 71), Rgb(97, 76, 119), Rgb(41, 128, 146), Rgb(190, 112, 59)},
     ", Darker 35%", ", Lighter 15%", ", Darker 50%", ", Darker 25%"},
    {{Rgb(126, 126, 126), Rgb(20, 20, 20), Rgb(29, 29, 28), Rgb(17, 40, 64), Rgb(38, 66, 94), Rgb(100, 44, 43),
      Rgb(77, 93, 49), Rgb(67, 53, 81), Rgb(31, 86, 99), Rgb(126, 77, 42)},
     ", Darker 50%", ", Lighter 5%", ", Darker 90%", ", Darker 50%"},
}};

constexpr std::array<Entry, 10> kStandardColors{{
    {Rgb(200, 15, 18), "Dark Red"},
    {Rgb(255, 20, 24), "Red"},
    {Rgb(255, 191, 40), "Orange"},
    {Rgb(255, 255, 49), "Yellow"},
    {Rgb(138, 207, 87), "Light Green"},
    {Rgb(0, 175, 84), "Green"},
    {Rgb(0, 174, 238), "Light Blue"},
    {Rgb(0, 111, 189), "Blue"},
    {Rgb(0, 36, 95), "Black"},
    {Rgb(114, 50, 157), "Purple"},
}};

} // namespace

RibbonColorTables InitColorTables()
{
    RibbonColorTables tables;
    for (const Entry& entry : kMainColors)
        tables.mainColors.push_back({entry.color, entry.name});
    for (const ShadeRow& row : kShadeRows) {
        for (size_t column = 0; column < row.colors.size(); ++column) {
            const char* suffix = column == 0 ? row.white : column == 1 ? row.black : column == 2 ? row.tan : row.others;
            tables.additionalColors.push_back({row.colors[column], std::string(kMainColors[column].name) + suffix});
        }
    }
    for (const Entry& entry : kStandardColors)
        tables.standardColors.push_back({entry.color, entry.name});
    return tables;
}

ColorPaletteSpec MakeColorPaletteSpec(const RibbonColorTables& tables, uint32_t automaticColor, std::string otherLabel,
                                      std::string otherToolTip)
{
    ColorPaletteSpec spec;
    spec.automaticColor = automaticColor;
    spec.otherLabel = std::move(otherLabel);
    spec.otherToolTip = std::move(otherToolTip);
    spec.columns = 10;
    spec.groups.push_back({"Theme Colors", tables.mainColors});
    spec.groups.push_back({"", tables.additionalColors});
    spec.groups.push_back({"Standard Colors", tables.standardColors});
    return spec;
}

} // namespace kelmora
