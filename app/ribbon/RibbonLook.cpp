#include "app/ribbon/RibbonLook.h"

#include "app/ribbon/ApplicationLook.h"
#include "platform/ui/Contrast.h"
#include "platform/ui/RibbonColors.h"

#include <wx/ribbon/art.h>
#include <wx/ribbon/bar.h>

namespace kelmora {

namespace {

RibbonColors KitColorsFrom(const wxRibbonArtProvider& art, const LookScheme& scheme)
{
    RibbonColors colors;
    colors.menuBorder = art.GetColour(wxRIBBON_ART_PANEL_BORDER_COLOUR);
    colors.menuSideBand = Lighter(art.GetColour(wxRIBBON_ART_PAGE_BACKGROUND_COLOUR), 0.6);
    colors.captionBand = Lighter(art.GetColour(wxRIBBON_ART_PANEL_LABEL_BACKGROUND_COLOUR), 0.45);
    colors.hoverFill = art.GetColour(wxRIBBON_ART_BUTTON_BAR_HOVER_BACKGROUND_COLOUR);
    colors.hoverBorder = art.GetColour(wxRIBBON_ART_BUTTON_BAR_HOVER_BORDER_COLOUR);
    colors.pressedFill = art.GetColour(wxRIBBON_ART_BUTTON_BAR_ACTIVE_BACKGROUND_COLOUR);
    colors.checkedFill = art.GetColour(wxRIBBON_ART_BUTTON_BAR_ACTIVE_BACKGROUND_GRADIENT_COLOUR);
    colors.checkedBorder = art.GetColour(wxRIBBON_ART_BUTTON_BAR_ACTIVE_BORDER_COLOUR);
    colors.tabRowBackground = art.GetColour(wxRIBBON_ART_TAB_CTRL_BACKGROUND_COLOUR);
    colors.tabRowBottom = art.GetColour(wxRIBBON_ART_TAB_CTRL_BACKGROUND_GRADIENT_COLOUR);
    colors.panelBackground = art.GetColour(wxRIBBON_ART_PAGE_BACKGROUND_COLOUR);
    // The application button stands out in a deep shade of the base colour.
    const wxColour base = FromRgb(scheme.primary);
    colors.appButtonFill = base.ChangeLightness(base.GetLuminance() > 0.5 ? 45 : 70);
    colors.appButtonHover = colors.appButtonFill.ChangeLightness(125);
    colors.statusBackground = base;

    // Each text reads on whatever it sits on, hovered or not.
    colors.captionText = ReadableOn(art.GetColour(wxRIBBON_ART_PANEL_LABEL_COLOUR), {colors.captionBand});
    colors.tabRowText =
        ReadableOn(art.GetColour(wxRIBBON_ART_TAB_LABEL_COLOUR), {colors.tabRowBackground, colors.tabRowBottom});
    colors.panelText = ReadableOn(art.GetColour(wxRIBBON_ART_BUTTON_BAR_LABEL_COLOUR), {colors.panelBackground});
    colors.panelDisabledText = DisabledOn(colors.panelText, colors.panelBackground);
    const wxColour statusTop = StatusBarTop(base);
    colors.statusText = ReadableOn(FromRgb(scheme.tertiary), {statusTop, base});
    colors.linkText = ReadableOn(colors.linkText, {statusTop, base});
    return colors;
}

} // namespace

bool IsRibbonLook(int look)
{
    return FindLookScheme(look) != nullptr;
}

void ApplyRibbonLook(int look, wxRibbonBar& bar)
{
    const LookScheme* scheme = FindLookScheme(look);
    wxRibbonArtProvider* art = bar.GetArtProvider();
    if (!scheme || !art)
        return;
    art->SetColourScheme(FromRgb(scheme->primary), FromRgb(scheme->secondary), FromRgb(scheme->tertiary));
    SetRibbonColors(KitColorsFrom(*art, *scheme));
    // The scheme reaches every page, panel and bar through the art provider; handing the
    // bar a copy makes each of them take the new colours up and lay itself out again.
    bar.SetArtProvider(art->Clone());
    bar.Refresh();
}

} // namespace kelmora
