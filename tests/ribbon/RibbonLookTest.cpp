// How each look draws the ribbon: checked and disabled buttons, and captions, links and
// pictures that stand out from what they sit on.

#include "RibbonTestSupport.h"

#include "app/ribbon/RibbonIcons.h"
#include "platform/ui/Contrast.h"
#include "platform/ui/RibbonArtProvider.h"
#include "platform/ui/RibbonColors.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/ribbon/bar.h>

namespace kelmora::testing {

namespace {

class RibbonLookTest : public RibbonTest, public ::testing::WithParamInterface<int> {
protected:
    RibbonArtProvider& Art()
    {
        auto* art = dynamic_cast<RibbonArtProvider*>(Ribbon().Bar()->GetArtProvider());
        EXPECT_NE(art, nullptr);
        return *art;
    }

    // A "Group" button as the ribbon's art draws it in `state`, over the panel.
    wxImage DrawButton(long state)
    {
        wxBitmap bitmap(90, 22, 24);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(Art().ButtonBackground(0));
            dc.Clear();
            Art().DrawButtonBarButton(dc, Ribbon().Bar(), wxRect(bitmap.GetSize()), wxRIBBON_BUTTON_NORMAL,
                                      wxRIBBON_BUTTONBAR_BUTTON_MEDIUM | state, "Group", wxNullBitmap,
                                      IconBitmap(Icon::Group, 16));
        }
        return bitmap.ConvertToImage();
    }
};

wxColour PixelAt(const wxImage& image, int x, int y)
{
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

// The colour of the caption's ink: of the pixels right of the picture, the one that
// differs most from the background.
wxColour CaptionInk(const wxImage& image, const wxColour& background)
{
    wxColour ink = background;
    double most = 1.0;
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 24; x < image.GetWidth(); ++x) {
            const wxColour pixel = PixelAt(image, x, y);
            if (const double contrast = ContrastRatio(pixel, background); contrast > most) {
                most = contrast;
                ink = pixel;
            }
        }
    }
    return ink;
}

double Distance(const wxColour& a, const wxColour& b)
{
    return std::abs(RelativeLuminance(a) - RelativeLuminance(b));
}

} // namespace

TEST_P(RibbonLookTest, CheckedButtonsShowPressedAndDisabledOnesGreyTheirCaption)
{
    Ribbon().ApplyLook(GetParam());
    const wxColour panel = Art().ButtonBackground(0);

    // A plain command button checked by its update handler draws in the pressed look.
    const wxImage plain = DrawButton(0);
    const wxImage checked = DrawButton(wxRIBBON_BUTTONBAR_BUTTON_TOGGLED);
    EXPECT_EQ(PixelAt(plain, 1, 11), panel);
    EXPECT_NE(PixelAt(checked, 1, 11), panel);

    // A disabled one writes its caption in the grey of the look, not in the caption colour.
    const wxColour label = Art().ButtonLabelColour(0);
    const wxColour grey = Art().GetColour(wxRIBBON_ART_BUTTON_BAR_LABEL_DISABLED_COLOUR);
    EXPECT_GE(Distance(label, grey), 0.05);
    const wxColour enabledInk = CaptionInk(plain, panel);
    const wxColour disabledInk = CaptionInk(DrawButton(wxRIBBON_BUTTONBAR_BUTTON_DISABLED), panel);
    EXPECT_LT(Distance(enabledInk, label), Distance(enabledInk, grey));
    EXPECT_LT(Distance(disabledInk, grey), Distance(disabledInk, label));
    EXPECT_GE(ContrastRatio(grey, panel), kDisabledContrast - 0.2);
}

TEST_P(RibbonLookTest, EveryCaptionLinkAndPictureStandsOut)
{
    Ribbon().ApplyLook(GetParam());
    RibbonArtProvider& art = Art();
    const RibbonColors& kit = CurrentRibbonColors();
    const auto readable = [](const wxColour& text, const wxColour& background) {
        return ContrastRatio(text, background) >= kReadableContrast;
    };
    for (const int id : {wxRIBBON_ART_TAB_CTRL_BACKGROUND_COLOUR, wxRIBBON_ART_TAB_CTRL_BACKGROUND_GRADIENT_COLOUR,
                         wxRIBBON_ART_TAB_HOVER_BACKGROUND_TOP_COLOUR, wxRIBBON_ART_TAB_HOVER_BACKGROUND_TOP_GRADIENT_COLOUR,
                         wxRIBBON_ART_TAB_HOVER_BACKGROUND_COLOUR})
        EXPECT_TRUE(readable(art.GetColour(wxRIBBON_ART_TAB_LABEL_COLOUR), art.GetColour(id))) << id;
    for (const int id : {wxRIBBON_ART_TAB_ACTIVE_BACKGROUND_TOP_COLOUR, wxRIBBON_ART_TAB_ACTIVE_BACKGROUND_COLOUR,
                         wxRIBBON_ART_TAB_ACTIVE_BACKGROUND_GRADIENT_COLOUR})
        EXPECT_TRUE(readable(art.GetColour(wxRIBBON_ART_TAB_ACTIVE_LABEL_COLOUR), art.GetColour(id))) << id;
    EXPECT_TRUE(readable(art.GetColour(wxRIBBON_ART_PANEL_LABEL_COLOUR),
                         art.GetColour(wxRIBBON_ART_PANEL_LABEL_BACKGROUND_COLOUR)));
    EXPECT_TRUE(readable(art.GetColour(wxRIBBON_ART_PANEL_HOVER_LABEL_COLOUR),
                         art.GetColour(wxRIBBON_ART_PANEL_HOVER_LABEL_BACKGROUND_COLOUR)));
    for (const long state : {0L, long(wxRIBBON_BUTTONBAR_BUTTON_NORMAL_HOVERED), long(wxRIBBON_BUTTONBAR_BUTTON_NORMAL_ACTIVE)})
        EXPECT_TRUE(readable(art.ButtonLabelColour(state), art.ButtonBackground(state))) << state;
    EXPECT_TRUE(readable(kit.panelText, kit.panelBackground));
    EXPECT_TRUE(readable(kit.captionText, kit.captionBand));
    EXPECT_TRUE(readable(kit.tabRowText, kit.tabRowBackground));
    EXPECT_TRUE(readable(kit.statusText, kit.statusBackground));
    EXPECT_TRUE(readable(kit.linkText, kit.statusBackground));

    // Every command's picture, on the panel and on the tab row, keeps its outline apart.
    for (int i = 0; i <= int(Icon::About); ++i) {
        for (const wxColour& background : {art.ButtonBackground(0), kit.tabRowBackground}) {
            const wxImage shown = ReadableOn(IconBitmap(Icon(i), 16), background).ConvertToImage();
            EXPECT_GE(OutlineContrast(shown, background), kReadableContrast) << "picture " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLook, RibbonLookTest, ::testing::Range(32818, 32823));

} // namespace kelmora::testing
