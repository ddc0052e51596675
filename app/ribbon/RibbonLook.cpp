#include "app/ribbon/RibbonLook.h"

#include "platform/ui/RibbonColors.h"

#include <wx/ribbon/art.h>
#include <wx/ribbon/bar.h>

#include <optional>

namespace kelmora {

namespace {

struct RibbonScheme {
    // The ribbon art's three scheme colours: the base, the highlight of hovered and
    // active parts, and the text.
    wxColour primary;
    wxColour secondary;
    wxColour tertiary;
    // The application button.
    wxColour appButton;
    // The status bar.
    wxColour statusBackground;
    wxColour statusText;
};

std::optional<RibbonScheme> SchemeOf(int look)
{
    switch (look) {
    case 32818: // Blue
        return RibbonScheme{{194, 216, 241}, {255, 223, 114}, {21, 66, 139}, {25, 91, 180}, {191, 219, 255}, {21, 66, 139}};
    case 32819: // Black
        return RibbonScheme{{83, 83, 83}, {255, 223, 114}, {255, 255, 255}, {40, 40, 42}, {96, 96, 96}, {240, 240, 240}};
    case 32820: // Silver
        return RibbonScheme{{208, 212, 221}, {255, 223, 114}, {76, 83, 92}, {108, 116, 132}, {208, 212, 221}, {43, 50, 64}};
    case 32821: // Aqua
        return RibbonScheme{{188, 213, 216}, {255, 223, 114}, {30, 78, 87}, {0, 122, 132}, {196, 222, 226}, {12, 70, 78}};
    case 32822: // Scenic
        return RibbonScheme{{232, 237, 245}, {182, 207, 240}, {30, 57, 91}, {32, 88, 158}, {226, 233, 244}, {30, 57, 91}};
    default:
        return std::nullopt;
    }
}

RibbonColors KitColorsFrom(const wxRibbonArtProvider& art, const RibbonScheme& scheme)
{
    RibbonColors colors;
    colors.menuBorder = art.GetColour(wxRIBBON_ART_PANEL_BORDER_COLOUR);
    colors.menuSideBand = Lighter(art.GetColour(wxRIBBON_ART_PAGE_BACKGROUND_COLOUR), 0.6);
    colors.captionBand = Lighter(art.GetColour(wxRIBBON_ART_PANEL_LABEL_BACKGROUND_COLOUR), 0.45);
    colors.captionText = art.GetColour(wxRIBBON_ART_PANEL_LABEL_COLOUR);
    colors.hoverFill = art.GetColour(wxRIBBON_ART_BUTTON_BAR_HOVER_BACKGROUND_COLOUR);
    colors.hoverBorder = art.GetColour(wxRIBBON_ART_BUTTON_BAR_HOVER_BORDER_COLOUR);
    colors.pressedFill = art.GetColour(wxRIBBON_ART_BUTTON_BAR_ACTIVE_BACKGROUND_COLOUR);
    colors.checkedFill = art.GetColour(wxRIBBON_ART_BUTTON_BAR_ACTIVE_BACKGROUND_GRADIENT_COLOUR);
    colors.checkedBorder = art.GetColour(wxRIBBON_ART_BUTTON_BAR_ACTIVE_BORDER_COLOUR);
    colors.tabRowBackground = art.GetColour(wxRIBBON_ART_TAB_CTRL_BACKGROUND_COLOUR);
    colors.tabRowBottom = art.GetColour(wxRIBBON_ART_TAB_CTRL_BACKGROUND_GRADIENT_COLOUR);
    colors.tabRowText = art.GetColour(wxRIBBON_ART_TAB_LABEL_COLOUR);
    colors.panelBackground = art.GetColour(wxRIBBON_ART_PAGE_BACKGROUND_COLOUR);
    colors.panelText = art.GetColour(wxRIBBON_ART_BUTTON_BAR_LABEL_COLOUR);
    colors.appButtonFill = scheme.appButton;
    colors.appButtonHover = scheme.appButton.ChangeLightness(125);
    colors.statusBackground = scheme.statusBackground;
    colors.statusText = scheme.statusText;
    return colors;
}

} // namespace

bool IsRibbonLook(int look)
{
    return SchemeOf(look).has_value();
}

void ApplyRibbonLook(int look, wxRibbonBar& bar)
{
    const std::optional<RibbonScheme> scheme = SchemeOf(look);
    wxRibbonArtProvider* art = bar.GetArtProvider();
    if (!scheme || !art)
        return;
    art->SetColourScheme(scheme->primary, scheme->secondary, scheme->tertiary);
    SetRibbonColors(KitColorsFrom(*art, *scheme));
    // The scheme reaches every page, panel and bar through the art provider; handing the
    // bar a copy makes each of them take the new colours up and lay itself out again.
    bar.SetArtProvider(art->Clone());
    bar.Refresh();
}

} // namespace kelmora
