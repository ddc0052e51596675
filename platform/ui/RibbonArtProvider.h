#pragma once
// The ribbon's art: wxWidgets' own, with what a command surface needs on top of it.
// - A command button whose update handler checks it (the current tool, an armed mode)
//   shows pressed, as a toggle button does.
// - A disabled button greys its caption as well as its picture.
// - Captions and pictures stand out from what they sit on in every colour scheme: the
//   scheme's captions are moved to a readable colour where they are not, and a button's
//   caption and picture follow the background of its state (plain, hovered, pressed).

#include <wx/ribbon/art.h>

namespace kelmora {

class RibbonArtProvider : public wxRibbonAUIArtProvider {
public:
    RibbonArtProvider();

    wxRibbonArtProvider* Clone() const override;
    void SetColourScheme(const wxColour& primary, const wxColour& secondary, const wxColour& tertiary) override;

    void DrawButtonBarButton(wxDC& dc, wxWindow* wnd, const wxRect& rect, wxRibbonButtonKind kind, long state,
                             const wxString& label, const wxBitmap& bitmap_large, const wxBitmap& bitmap_small) override;
    void DrawTool(wxDC& dc, wxWindow* wnd, const wxRect& rect, const wxBitmap& bitmap, wxRibbonButtonKind kind,
                  long state) override;
    void DrawMinimisedPanel(wxDC& dc, wxRibbonPanel* wnd, const wxRect& rect, wxBitmap& bitmap) override;

    // What a button in `state` (wxRibbonButtonBarButtonState bits, as drawn) sits on, and
    // the colour its caption takes there.
    wxColour ButtonBackground(long state) const;
    wxColour ButtonLabelColour(long state) const;

private:
    // Moves the scheme's captions to colours that read on their backgrounds.
    void MakeCaptionsReadable();
};

} // namespace kelmora
