#include "platform/ui/RibbonColors.h"

#include <wx/dc.h>

namespace kelmora {

namespace {

RibbonColors& Colors()
{
    static RibbonColors colors;
    return colors;
}

} // namespace

const RibbonColors& CurrentRibbonColors()
{
    return Colors();
}

void SetRibbonColors(const RibbonColors& colors)
{
    Colors() = colors;
}

void PaintTabRowBackground(wxDC& dc, const wxRect& rect)
{
    dc.GradientFillLinear(rect, Colors().tabRowBackground, Colors().tabRowBottom, wxSOUTH);
}

} // namespace kelmora

namespace kelmora {

wxColour FromRgb(uint32_t rgb)
{
    return wxColour((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

wxColour Lighter(const wxColour& colour, double amount)
{
    const auto mix = [amount](unsigned char c) { return static_cast<unsigned char>(c + (255 - c) * amount + 0.5); };
    return wxColour(mix(colour.Red()), mix(colour.Green()), mix(colour.Blue()));
}

void DrawCaption(wxDC& dc, const wxString& caption, const wxRect& rect, int alignment, bool underline)
{
    wxString text;
    int accel = -1;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != '&' && accel < 0)
                accel = int(text.size());
        }
        text += caption[i];
    }
    dc.DrawLabel(text, rect, alignment, underline ? accel : -1);
}

} // namespace kelmora
