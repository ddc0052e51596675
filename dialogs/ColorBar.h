#pragma once
// The colour bar of the brush editor: a grid of colour swatches and an "Other..." button
// that opens the colour dialog. Choosing a colour either way makes it the bar's colour
// and sends a wxEVT_BUTTON command with the bar's id to the parent.
//
// The palette is the bar's own: a row of greys from black to white, then rows of eight
// hues (red, orange, yellow, green, cyan, blue, violet, magenta) from dark to light.

#include "dialogs/DialogHooks.h"

#include <cstdint>
#include <vector>

#include <wx/panel.h>

class wxButton;

namespace kelmora {

class ImageSurface;

class CColorBar : public wxPanel {
public:
    static constexpr int kColumns = 8;
    static constexpr int kRows = 5;
    static constexpr int kSwatch = 16;   // pixels, with a one-pixel gap between swatches

    // `parent` must not be null.
    CColorBar(wxWindow* parent, wxWindowID id);

    // The bar's colour as 0x00RRGGBB.
    uint32_t GetColor() const { return m_nColor; }
    void SetColor(uint32_t rgb);
    const std::vector<uint32_t>& GetPalette() const { return m_palette; }

    // What a click on swatch `index` and the "Other..." button do.
    void PickSwatch(int index);
    void ChooseOther();

    // The swatch grid's picture, filling the surface.
    void RenderSwatches(ImageSurface& surface) const;

    DialogHooks m_hooks;

private:
    void Picked(uint32_t rgb);

    wxWindow* m_pSwatches = nullptr;
    wxButton* m_pOther = nullptr;
    std::vector<uint32_t> m_palette;
    uint32_t m_nColor = 0;
};

} // namespace kelmora
