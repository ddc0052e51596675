#include "platform/ui/RibbonColors.h"

#include <wx/dc.h>

#include <cmath>

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

wxColour StatusBarTop(const wxColour& statusBackground)
{
    return statusBackground.ChangeLightness(108);
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

wxColour Mix(const wxColour& from, const wxColour& to, double t)
{
    const auto mix = [t](unsigned char a, unsigned char b) { return static_cast<unsigned char>(std::lround(a + (b - a) * t)); };
    return wxColour(mix(from.Red(), to.Red()), mix(from.Green(), to.Green()), mix(from.Blue(), to.Blue()));
}

wxColour Lighter(const wxColour& colour, double amount)
{
    return Mix(colour, *wxWHITE, amount);
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
