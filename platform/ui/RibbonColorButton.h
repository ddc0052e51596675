#pragma once
// A ribbon colour button: a click opens its palette (an automatic entry, the colour
// groups, the entry for any other colour, then its sub-items); choosing a colour makes it
// the button's colour and sends the button's command. The button's image carries a bar
// of the colour it holds.

#include "platform/ui/ColorPalette.h"
#include "platform/ui/RibbonElement.h"

#include <functional>
#include <optional>

namespace kelmora {

class RibbonColorButton : public RibbonElement {
public:
    // Colour boxes of the palette, in pixels.
    static constexpr int kBoxSize = 17;
    // The popup's command that opens the colour dialog; never sent.
    static constexpr int kOtherColorsCommand = -100;

    RibbonColorButton(RibbonId id, std::string caption, ColorPaletteSpec spec, uint32_t initial);

    const ColorPaletteModel& Palette() const { return m_palette; }
    // The colour the button stands for: the chosen one, or the automatic colour.
    uint32_t GetColor() const { return m_palette.Effective(); }
    // The chosen colour; kAutomaticColor for the automatic entry.
    uint32_t GetChosenColor() const { return m_palette.Chosen(); }
    void SetColor(uint32_t color);

    // The "simple button" look: the image stays as it is, without a colour bar.
    bool simpleButtonLook = false;

    // Asks the user for a colour, starting from `initial`; nothing when cancelled. The
    // colour dialog unless replaced.
    std::function<std::optional<uint32_t>(wxWindow* parent, uint32_t initial)> chooseColor;

    // `image` with a bar of the button's colour along its bottom (a hatched box for the
    // automatic colour of a button whose automatic colour is its only meaning).
    wxBitmap WithColorBar(const wxBitmap& image) const;

    bool HasPopup() const override { return true; }
    void OpenPopup(wxWindow* parent, const wxRect& anchor, RibbonHost& host) override;

    // What a pick of palette item `index` does: the colour becomes the button's and the
    // command is sent.
    void PickItem(int index, RibbonHost& host);
    // What the popup's command `id` does.
    void RunPopupCommand(int id, RibbonHost& host);

private:
    ColorPaletteModel m_palette;
};

} // namespace kelmora
