#pragma once
// What a ribbon colour button offers and holds: an automatic entry, three groups of named
// colours laid out in a fixed number of columns, and an entry that opens the colour
// dialog. Colours are 0x00BBGGRR values; kAutomaticColor stands for "the automatic one".
// Plain data; the button and its popup draw from it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelmora {

// The colour a button holds when its automatic entry is chosen.
inline constexpr uint32_t kAutomaticColor = 0xFFFFFFFF;

struct NamedColor {
    uint32_t color = 0;
    std::string name;
};

struct ColorGroup {
    std::string caption;            // empty: no caption row
    std::vector<NamedColor> colors;
};

struct ColorPaletteSpec {
    uint32_t automaticColor = 0;
    std::string automaticLabel = "&Automatic";
    std::string otherLabel;         // the entry that opens the colour dialog
    std::string otherToolTip;
    int columns = 10;
    std::vector<ColorGroup> groups;
};

class ColorPaletteModel {
public:
    explicit ColorPaletteModel(ColorPaletteSpec spec, uint32_t initial);

    const ColorPaletteSpec& Spec() const { return m_spec; }

    // The chosen colour; kAutomaticColor when the automatic entry is chosen.
    uint32_t Chosen() const { return m_chosen; }
    void SetChosen(uint32_t color) { m_chosen = color; }
    // The chosen colour, or the automatic colour when the automatic entry is chosen.
    uint32_t Effective() const { return m_chosen == kAutomaticColor ? m_spec.automaticColor : m_chosen; }

    // The palette's items in the order the popup shows them: item 0 is the automatic
    // entry, then every colour of every group. Each item's colour and name.
    int ItemCount() const;
    std::optional<NamedColor> Item(int index) const;
    // The item showing the chosen colour (0 for automatic), -1 when no item shows it.
    int ChosenItem() const;

private:
    ColorPaletteSpec m_spec;
    uint32_t m_chosen;
};

} // namespace kelmora
