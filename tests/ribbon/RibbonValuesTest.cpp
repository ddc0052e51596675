// The values the ribbon holds and the frame reads by id: palettes, galleries, edits and
// the Format tab's sync from a selected object; and what a palette's live preview hears.

#include "RibbonTestSupport.h"

#include "app/CommandIds.h"
#include "document/ColorRef.h"
#include "model/DrawRect.h"
#include "platform/ui/RibbonColorButton.h"
#include "platform/ui/RibbonEdit.h"
#include "platform/ui/RibbonEditCtrl.h"
#include "platform/ui/RibbonGallery.h"
#include "platform/ui/RibbonPopup.h"

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
        EXPECT_EQ(Ribbon().GetRibbonColor(id), initial);
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
    EXPECT_EQ(Ribbon().GetRibbonColor(32781), Rgb(79, 129, 189));
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
    EXPECT_EQ(Ribbon().GetRibbonColor(32775), Rgb(1, 2, 3));
    line->chooseColor = [](wxWindow*, uint32_t) { return std::optional<uint32_t>(); };   // cancelled
    line->RunPopupCommand(RibbonColorButton::kOtherColorsCommand, Ribbon());
    line->RunPopupCommand(32988, Ribbon());
    line->PickItem(0, Ribbon());     // Automatic
    EXPECT_EQ(Ribbon().GetRibbonColor(32775), kBlack);
    EXPECT_EQ(frame->commands, (std::vector<int>{32775, 32988, 32775}));
}

TEST_F(RibbonTest, GettersReadTheElementsByIdAndMissingOnesGiveNoValue)
{
    EXPECT_EQ(Ribbon().GetRibbonColor(12345), kNoColor);
    EXPECT_EQ(Ribbon().GetRibbonColor(32979), kNoColor);      // an edit box
    for (int id : {32898, 32899, 32903, 32904, 32775})
        EXPECT_EQ(Ribbon().GetRibbonEditInt(id), -1) << id;
    EXPECT_EQ(Ribbon().GetRibbonEditInt(32977), 255);
    EXPECT_EQ(Ribbon().GetRibbonEditText(32978), "100");
    EXPECT_EQ(Ribbon().GetRibbonEditText(1074), "22");
    EXPECT_EQ(Ribbon().GetRibbonEditText(32983), "");
    EXPECT_EQ(Ribbon().GetRibbonEditText(32982), "Arial");
    EXPECT_EQ(Ribbon().GetRibbonEditText(32989), "");          // a gallery
    EXPECT_EQ(Ribbon().GetGallerySelection(32985), -1);        // a list gallery is another kind

    EXPECT_EQ(Ribbon().GetDashStyleIndex(), -1);
    EXPECT_EQ(Ribbon().GetLineWeight(), -1);
    QuickStyle style;
    style.words[0] = 99;
    EXPECT_FALSE(Ribbon().GetSelectedQuickStyle(style));
    EXPECT_EQ(style.words[0], 99);

    dynamic_cast<RibbonGallery*>(Ribbon().FindElement(32985))->PickItem(2, Ribbon());
    dynamic_cast<RibbonGallery*>(Ribbon().FindElement(32906))->PickItem(18, Ribbon());
    dynamic_cast<RibbonGallery*>(Ribbon().FindElement(32989))->PickItem(7, Ribbon());
    dynamic_cast<RibbonGallery*>(Ribbon().FindElement(32974))->PickItem(7, Ribbon());
    dynamic_cast<RibbonGallery*>(Ribbon().FindElement(32975))->PickItem(4, Ribbon());   // beyond the items
    EXPECT_EQ(Ribbon().GetLineWeight(), 3);
    EXPECT_EQ(Ribbon().GetDashStyleIndex(), 18);
    EXPECT_EQ(Ribbon().GetGallerySelection(32974), 7);
    EXPECT_EQ(Ribbon().GetGallerySelection(32975), -1);
    ASSERT_TRUE(Ribbon().GetSelectedQuickStyle(style));
    EXPECT_EQ(style.words, QuickStyleTable[7].words);
    EXPECT_EQ(frame->commands, (std::vector<int>{32985, 32906, 32989, 32974}));
}

TEST_F(RibbonTest, FormatTabShowsTheSelectedObject)
{
    Ribbon().UpdateFormatTab(nullptr);
    dynamic_cast<RibbonGallery*>(Ribbon().FindElement(32972))->SetSelected(3);

    CDrawRect shape(RectF(0, 0, 100, 100), nullptr);
    shape.m_nShapeType = ShapeType::Rectangle;
    shape.EnableFill(true);
    shape.SetFillColor(0xFF102030, true);
    shape.SetLineColor(0x80405060, true);
    shape.m_bShadow = true;
    shape.m_shadowBrush.m_clrFore = 0xFF0000FF;
    shape.m_nShadowDirection = 135;
    shape.m_bInnerGlow = true;
    shape.m_clrGlow = 0xFF00FF00;
    shape.m_bReflection = true;
    shape.m_nReflectionStartTransparency = 200;
    shape.m_nReflectionEndTransparency = 20;
    shape.m_nReflectionShown = 60;
    Ribbon().UpdateFormatTab(&shape);
    EXPECT_EQ(Ribbon().GetRibbonColor(32776), 0x302010u);
    EXPECT_EQ(Ribbon().GetRibbonColor(32775), 0x605040u);     // alpha dropped
    EXPECT_EQ(Ribbon().GetRibbonColor(32980), 0xFF0000u);
    EXPECT_EQ(Ribbon().GetRibbonEditText(32979), "135");
    EXPECT_EQ(Ribbon().GetRibbonColor(32981), 0x00FF00u);
    EXPECT_EQ(Ribbon().GetRibbonEditText(32977), "200");
    EXPECT_EQ(Ribbon().GetRibbonEditText(32976), "20");
    EXPECT_EQ(Ribbon().GetRibbonEditText(32978), "60");

    // Effects off, a fill that is not solid, no outline: the automatic colours and the
    // resting values. The galleries keep their selection; the text panel stays.
    shape.m_brush.m_nKind = BrushKind::Hatch;
    shape.EnableLine(false);
    shape.m_bShadow = shape.m_bGlow = shape.m_bInnerGlow = shape.m_bReflection = false;
    Ribbon().UpdateFormatTab(&shape);
    EXPECT_EQ(Ribbon().GetRibbonColor(32776), 0x808080u);
    EXPECT_EQ(Ribbon().GetRibbonColor(32775), kBlack);
    EXPECT_EQ(Ribbon().GetRibbonColor(32980), 0x808080u);
    EXPECT_EQ(Ribbon().GetRibbonEditText(32979), "0");
    EXPECT_EQ(Ribbon().GetRibbonColor(32981), 0x808080u);
    EXPECT_EQ(Ribbon().GetRibbonEditText(32977), "255");
    EXPECT_EQ(Ribbon().GetRibbonEditText(32976), "0");
    EXPECT_EQ(Ribbon().GetRibbonEditText(32978), "100");
    EXPECT_EQ(Ribbon().GetGallerySelection(32972), 3);
    EXPECT_EQ(Ribbon().GetRibbonEditText(32983), "");

    CDrawRect text(RectF(0, 0, 100, 100), nullptr);
    text.m_nShapeType = ShapeType::Text;
    text.m_strText = "Kelmora";
    text.m_strFontName = "Courier New";
    for (auto [size, shown] : {std::pair{300.0f, "72"}, {301.0f, "72"}, {50.0f, "12"}}) {
        text.m_fFontSize = size;
        Ribbon().UpdateFormatTab(&text);
        EXPECT_EQ(Ribbon().GetRibbonEditText(1074), shown) << size;
    }
    EXPECT_EQ(Ribbon().GetRibbonEditText(32983), "Kelmora");
    EXPECT_EQ(Ribbon().GetRibbonEditText(32982), "Courier New");
    // A family the list lacks leaves the choice as it is.
    text.m_strFontName = "No Such Family";
    Ribbon().UpdateFormatTab(&text);
    EXPECT_EQ(Ribbon().GetRibbonEditText(32982), "Courier New");
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
    EXPECT_EQ(Ribbon().GetRibbonEditText(32979), "45");
    EXPECT_EQ(direction.Field().GetValue(), "45");
    direction.StepBy(1);
    EXPECT_EQ(Ribbon().GetRibbonEditInt(32979), 46);
    direction.CommitField(false);      // unchanged, not Enter: nothing sent
    direction.CommitField(true);       // Enter asks to apply it again

    RibbonEditCtrl& size = EditCtrl(Ribbon(), 1074);
    size.Field().ChangeValue("10.5");
    size.CommitField(true);
    EXPECT_EQ(Ribbon().GetRibbonEditText(1074), "10.5");
    size.Field().ChangeValue("0");
    size.CommitField(true);
    EXPECT_EQ(Ribbon().GetRibbonEditText(1074), "10.5");

    RibbonEditCtrl& content = EditCtrl(Ribbon(), 32983);
    content.Field().ChangeValue("Logo");
    content.CommitField(true);
    EXPECT_EQ(Ribbon().GetRibbonEditText(32983), "Logo");
    EXPECT_EQ(frame->commands, (std::vector<int>{32979, 32979, 32979, 1074, 32983}));
}

} // namespace kelmora::testing
