#include "app/ribbon/ApplicationLook.h"

#include <wx/aui/auibook.h>
#include <wx/aui/dockart.h>
#include <wx/aui/framemanager.h>
#include <wx/config.h>
#include <wx/ribbon/art.h>
#include <wx/ribbon/bar.h>

namespace kelmora {

std::optional<LookScheme> SchemeOfLook(int look)
{
    switch (look) {
    case 32818: // Blue
        return LookScheme{{194, 216, 241}, {255, 223, 114}, {0, 0, 0}, {25, 91, 180},
                          {191, 219, 255}, {170, 200, 240}, {214, 228, 247}, {21, 66, 139}};
    case 32819: // Black
        return LookScheme{{148, 151, 156}, {255, 206, 100}, {0, 0, 0}, {50, 50, 52},
                          {83, 83, 83}, {120, 122, 126}, {160, 162, 166}, {20, 20, 20}};
    case 32820: // Silver
        return LookScheme{{212, 216, 226}, {255, 223, 114}, {0, 0, 0}, {108, 116, 132},
                          {208, 212, 221}, {186, 191, 203}, {228, 230, 236}, {43, 50, 64}};
    case 32821: // Aqua
        return LookScheme{{182, 222, 226}, {255, 214, 110}, {0, 0, 0}, {0, 122, 132},
                          {196, 228, 231}, {150, 207, 213}, {213, 238, 240}, {12, 70, 78}};
    case 32822: // Scenic
        return LookScheme{{226, 233, 243}, {182, 216, 247}, {0, 0, 0}, {32, 88, 158},
                          {220, 230, 244}, {196, 214, 238}, {234, 240, 249}, {30, 57, 91}};
    default:
        return std::nullopt;
    }
}

namespace {

RibbonColors KitColorsFrom(const wxRibbonArtProvider& art, const LookScheme& scheme)
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
    colors.appButtonHover = scheme.appButton.ChangeLightness(120);
    colors.statusBackground = scheme.paneBackground;
    colors.statusText = scheme.captionText;
    return colors;
}

} // namespace

void ApplyLook(int look, wxRibbonBar& bar, wxAuiManager* aui)
{
    const std::optional<LookScheme> scheme = SchemeOfLook(look);
    if (!scheme)
        return;
    wxRibbonArtProvider* art = bar.GetArtProvider();
    if (art) {
        art->SetColourScheme(scheme->primary, scheme->secondary, scheme->tertiary);
        SetRibbonColors(KitColorsFrom(*art, *scheme));
        // The scheme reaches every page, panel and bar through the art provider; setting
        // it again makes each of them take up the new colours.
        bar.SetArtProvider(art->Clone());
    }
    if (aui) {
        wxAuiDockArt* dock = aui->GetArtProvider();
        dock->SetColour(wxAUI_DOCKART_BACKGROUND_COLOUR, scheme->paneBackground);
        dock->SetColour(wxAUI_DOCKART_SASH_COLOUR, scheme->paneBackground);
        dock->SetColour(wxAUI_DOCKART_BORDER_COLOUR, scheme->activeCaption.ChangeLightness(80));
        dock->SetColour(wxAUI_DOCKART_ACTIVE_CAPTION_COLOUR, scheme->activeCaption);
        dock->SetColour(wxAUI_DOCKART_ACTIVE_CAPTION_GRADIENT_COLOUR, scheme->activeCaption.ChangeLightness(115));
        dock->SetColour(wxAUI_DOCKART_INACTIVE_CAPTION_COLOUR, scheme->inactiveCaption);
        dock->SetColour(wxAUI_DOCKART_INACTIVE_CAPTION_GRADIENT_COLOUR, scheme->inactiveCaption.ChangeLightness(110));
        dock->SetColour(wxAUI_DOCKART_ACTIVE_CAPTION_TEXT_COLOUR, scheme->captionText);
        dock->SetColour(wxAUI_DOCKART_INACTIVE_CAPTION_TEXT_COLOUR, scheme->captionText);
        dock->SetColour(wxAUI_DOCKART_GRIPPER_COLOUR, scheme->activeCaption);
        aui->Update();
    }
    bar.Refresh();
    if (wxWindow* top = wxGetTopLevelParent(&bar))
        top->Refresh();
}

void ApplyLookToNotebook(int look, wxAuiNotebook& notebook)
{
    const std::optional<LookScheme> scheme = SchemeOfLook(look);
    if (!scheme)
        return;
    auto* art = new wxAuiGenericTabArt;
    art->SetColour(scheme->paneBackground);
    art->SetActiveColour(scheme->activeCaption.ChangeLightness(125));
    notebook.SetArtProvider(art);
    notebook.Refresh();
}

int ReadStoredLook(wxConfigBase& config)
{
    long look = kDefaultLook;
    if (!config.Read(kLookSettingKey, &look))
        return kDefaultLook;
    return int(look);
}

void WriteStoredLook(wxConfigBase& config, int look)
{
    config.Write(kLookSettingKey, long(look));
    config.Flush();
}

} // namespace kelmora
