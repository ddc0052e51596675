// The values the ribbon holds and the frame reads by id: palettes and edits; and what a
// palette's live preview hears.

#include "RibbonTestSupport.h"

#include "document/ColorRef.h"
#include "platform/ui/RibbonColorButton.h"
#include "platform/ui/RibbonEdit.h"
#include "platform/ui/RibbonEditCtrl.h"
#include "platform/ui/RibbonPopup.h"
#include "res/CommandIds.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kelmora::testing {

namespace {

void Move(RibbonPopup* popup, wxEventType type, wxPoint point)
{
    wxMouseEvent event(type);
    event.SetEventObject(popup);
    event.SetPosition(point);
    popup->GetEventHandler()->ProcessEvent(event);
}

wxPoint ItemCentre(RibbonPopup* popup, int index)
{
    const wxRect rect = popup->ItemRect(index);
    return rect.GetPosition() + rect.GetSize() / 2;
}

constexpr COLORREF Rgb(int r, int g, int b)
{
    return COLORREF(r) | COLORREF(g) << 8 | COLORREF(b) << 16;
}

COLORREF Color(CMainRibbon& ribbon, int id)
{
    return ribbon.GetColor(id).value_or(kNoColor);
}

std::string Text(CMainRibbon& ribbon, int id)
{
    return ribbon.GetEditText(id).value_or("(none)");
}

RibbonEditCtrl& EditCtrl(CMainRibbon& ribbon, int id)
{
    return *dynamic_cast<RibbonEditCtrl*>(ribbon.FindPlace(id)->window);
}

} // namespace

TEST_F(RibbonTest, EveryColorButtonOffersTheSameNamedColors)
{
    const std::tuple<int, COLORREF, const char*, COLORREF, int> buttons[] = {
        {32775, kBlack, "&More Line Colors...", kBlack, 32988},
        {32776, Rgb(128, 128, 128), "&More Fill Colors...", Rgb(128, 128, 128), 32984},
        {32980, Rgb(128, 128, 128), "&More Fill Colors...", Rgb(128, 128, 128), -1},
        {32981, Rgb(128, 128, 128), "&More Fill Colors...", Rgb(128, 128, 128), -1},
        {32781, kWhite, "&More Colors...", kWhite, -1},
        {32897, kWhite, "&More Colors...", kBlack, -1},
    };
    for (const auto& [id, automatic, other, initial, subItem] : buttons) {
        SCOPED_TRACE(id);
        auto* button = dynamic_cast<RibbonColorButton*>(Ribbon().FindElement(id));
        ASSERT_NE(button, nullptr);
        const ColorPaletteSpec& spec = button->Palette().Spec();
        EXPECT_EQ(spec.automaticColor, automatic);
        EXPECT_EQ(spec.automaticLabel, "&Automatic");
        EXPECT_EQ(spec.otherLabel, other);
        EXPECT_EQ(spec.otherToolTip + "...", std::string(other).erase(std::string(other).find('&'), 1));
        EXPECT_EQ(spec.columns, 10);
        ASSERT_EQ(spec.groups.size(), 3u);
        EXPECT_EQ(spec.groups[0].caption, "Theme Colors");
        EXPECT_EQ(spec.groups[1].caption, "");
        EXPECT_EQ(spec.groups[2].caption, "Standard Colors");
        ASSERT_EQ(spec.groups[0].colors.size(), 10u);
        ASSERT_EQ(spec.groups[1].colors.size(), 50u);
        ASSERT_EQ(spec.groups[2].colors.size(), 10u);
        for (const ColorGroup& group : spec.groups) {
            for (const NamedColor& color : group.colors)
                EXPECT_FALSE(color.name.empty());
        }
        EXPECT_EQ(Color(Ribbon(), id), initial);
        if (subItem >= 0) {
            ASSERT_EQ(button->SubItems().size(), 1u);
            EXPECT_EQ(button->SubItems()[0]->Id(), subItem);
        }
    }
    const ColorPaletteSpec& spec = dynamic_cast<RibbonColorButton*>(Ribbon().FindElement(32775))->Palette().Spec();
    const auto& shades = spec.groups[1].colors;
    EXPECT_EQ(spec.groups[0].colors[4].name, "Blue, Accent 1");
    EXPECT_EQ(shades[0].name, "White, Background 1, Darker 5%");
    EXPECT_EQ(shades[0].color, Rgb(242, 242, 242));
    EXPECT_EQ(shades[4].name, "Blue, Accent 1, Lighter 80%");
    EXPECT_EQ(shades[4].color, Rgb(217, 228, 240));
    EXPECT_EQ(shades[11].name, "Black, Text 1, Lighter 35%");
    EXPECT_EQ(shades[32].name, "Tan, Background 2, Darker 50%");
    EXPECT_EQ(shades[49].name, "Orange, Accent 6, Darker 50%");
    EXPECT_EQ(shades[49].color, Rgb(126, 77, 42));
    EXPECT_EQ(spec.groups[2].colors[8].name, "Black");
    EXPECT_EQ(spec.groups[2].colors[8].color, Rgb(0, 36, 95));
}

TEST_F(RibbonTest, PaletteHoverPreviewsAndEveryEndTakesItBackOnce)
{
    std::vector<std::tuple<int, int, COLORREF>> heard;
    Ribbon().onHighlight = [&heard](int id, int index, COLORREF color) { heard.emplace_back(id, index, color); };

    ASSERT_TRUE(Ribbon().OpenDropDown(32781));
    RibbonPopup* popup = RibbonPopup::Current();
    ASSERT_NE(popup, nullptr);
    Move(popup, wxEVT_MOTION, ItemCentre(popup, 2));
    Move(popup, wxEVT_MOTION, ItemCentre(popup, 11));
    Move(popup, wxEVT_LEAVE_WINDOW, wxPoint(-3, -3));
    Move(popup, wxEVT_MOTION, ItemCentre(popup, 5));
    Move(popup, wxEVT_LEFT_UP, ItemCentre(popup, 5));
    Pump();
    using H = std::tuple<int, int, COLORREF>;
    EXPECT_EQ(heard, (std::vector<H>{{32781, 2, kBlack}, {32781, 11, Rgb(242, 242, 242)}, {32781, -1, kNoColor},
                                     {32781, 5, Rgb(79, 129, 189)}, {32781, -1, kNoColor}}));
    EXPECT_EQ(Color(Ribbon(), 32781), Rgb(79, 129, 189));
    EXPECT_EQ(frame->commands, (std::vector<int>{32781}));

    // Escape, and the window closing, end a preview as well.
    for (bool close : {false, true}) {
        heard.clear();
        ASSERT_TRUE(Ribbon().OpenDropDown(32775));
        popup = RibbonPopup::Current();
        Move(popup, wxEVT_MOTION, ItemCentre(popup, 0));
        if (close) {
            frame->Close(true);
        } else {
            wxKeyEvent escape(wxEVT_CHAR_HOOK);
            escape.m_keyCode = WXK_ESCAPE;
            popup->GetEventHandler()->ProcessEvent(escape);
        }
        Pump();
        EXPECT_EQ(heard, (std::vector<H>{{32775, 0, kBlack}, {32775, -1, kNoColor}}));
    }
    frame = new RibbonFrame(settings.Config());   // the fixture's frame closed
}

TEST_F(RibbonTest, PopupCommandsAndTheColorDialog)
{
    auto* line = dynamic_cast<RibbonColorButton*>(Ribbon().FindElement(32775));
    line->chooseColor = [](wxWindow*, uint32_t) { return std::optional<uint32_t>(Rgb(1, 2, 3)); };
    line->RunPopupCommand(RibbonColorButton::kOtherColorsCommand, Ribbon());
    EXPECT_EQ(Color(Ribbon(), 32775), Rgb(1, 2, 3));
    line->chooseColor = [](wxWindow*, uint32_t) { return std::optional<uint32_t>(); };   // cancelled
    line->RunPopupCommand(RibbonColorButton::kOtherColorsCommand, Ribbon());
    line->RunPopupCommand(32988, Ribbon());
    line->PickItem(0, Ribbon());     // Automatic
    EXPECT_EQ(Color(Ribbon(), 32775), kBlack);
    EXPECT_EQ(frame->commands, (std::vector<int>{32775, 32988, 32775}));
}

TEST_F(RibbonTest, EditsKeepTheLastGoodValueAndSendTheirCommand)
{
    RibbonEditCtrl& direction = EditCtrl(Ribbon(), 32979);
    for (const char* bad : {"abc", "400", "-5", "12,5"}) {
        direction.Field().ChangeValue(bad);
        direction.CommitField(true);
        EXPECT_EQ(direction.Field().GetValue(), "0") << bad;
    }
    EXPECT_TRUE(frame->commands.empty());
    direction.Field().ChangeValue("045");
    direction.CommitField(false);
    EXPECT_EQ(Text(Ribbon(), 32979), "45");
    EXPECT_EQ(direction.Field().GetValue(), "45");
    direction.StepBy(1);
    EXPECT_EQ(Text(Ribbon(), 32979), "46");
    direction.CommitField(false);      // unchanged, not Enter: nothing sent
    direction.CommitField(true);       // Enter asks to apply it again

    RibbonEditCtrl& size = EditCtrl(Ribbon(), 1074);
    size.Field().ChangeValue("10.5");
    size.CommitField(true);
    EXPECT_EQ(Text(Ribbon(), 1074), "10.5");
    size.Field().ChangeValue("0");
    size.CommitField(true);
    EXPECT_EQ(Text(Ribbon(), 1074), "10.5");

    RibbonEditCtrl& content = EditCtrl(Ribbon(), 32983);
    content.Field().ChangeValue("Logo");
    content.CommitField(true);
    EXPECT_EQ(Text(Ribbon(), 32983), "Logo");
    EXPECT_EQ(frame->commands, (std::vector<int>{32979, 32979, 32979, 1074, 32983}));
}

} // namespace kelmora::testing
