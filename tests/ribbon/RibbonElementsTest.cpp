// Every element of the ribbon, found by id in its category and panel with its caption,
// and what clicking it sends to the frame.

#include "RibbonTestSupport.h"

#include "platform/ui/QuickAccessToolbar.h"
#include "platform/ui/RibbonAppMenu.h"
#include "platform/ui/RibbonCheckCtrl.h"
#include "platform/ui/RibbonElement.h"
#include "platform/ui/RibbonIconButton.h"
#include "platform/ui/RibbonStatusBar.h"
#include "res/CommandIds.h"

#include <gtest/gtest.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/ribbon/page.h>
#include <wx/ribbon/panel.h>
#include <wx/ribbon/toolbar.h>

#include <map>

namespace kelmora::testing {

namespace {

using Kind = RibbonElementKind;

struct Expected {
    int id;
    const char* caption;
    Kind kind;
};

struct Panel {
    const char* category;
    const char* panel;
    std::vector<Expected> elements;
};

const std::vector<Panel>& Layout()
{
    static const std::vector<Panel> layout = {
        {"Home", "Clipboard", {{57637, "Paste", Kind::Button}, {57635, "Cut", Kind::Button},
                               {57634, "Copy", Kind::Button}, {57632, "Delete", Kind::Button}}},
        {"Home", "Operations",
         {{57642, "Select All", Kind::Button}, {32937, "Select Inverse", Kind::Button},
          {1068, "Copy Format", Kind::Button}, {32892, "Explode", Kind::Button}, {32877, "Group", Kind::Button},
          {32878, "Ungroup", Kind::Button}, {1081, "To Custom", Kind::Button},
          {32869, "Horizontal Mirror", Kind::Button}, {32870, "Vertical Mirror", Kind::Button},
          {32868, "Rotate 90\xC2\xB0" "CW", Kind::Button}, {32867, "Rotate 90\xC2\xB0" "CCW", Kind::Button}}},
        {"Home", "Draw",
         {{32770, "Select", Kind::Button}, {32886, "Anchor", Kind::Button}, {32893, "Break", Kind::Button},
          {32894, "Join", Kind::Button}, {32771, "Line", Kind::Button}, {32772, "Rectangle", Kind::Button},
          {32773, "Round Rectangle", Kind::Button}, {32774, "Ellipse", Kind::Button},
          {32782, "Polygon", Kind::Button}, {32841, "Arc", Kind::Button}, {32850, "Pie", Kind::Button},
          {32851, "Circle", Kind::Button}, {32856, "Pentagon", Kind::Button}, {32852, "Star", Kind::Button},
          {32857, "Complex Star", Kind::Button}, {32858, "Spiral", Kind::Button}, {32854, "Besier", Kind::Button},
          {32855, "Curve", Kind::Button}, {32853, "Word", Kind::Button}}},
        {"Home", "Import/Export",
         {{1000, "Insert Image ...", Kind::Button}, {1098, "Export Logo ...", Kind::Button}}},
        {"Format", "Styles",
         {{32989, "Styles", Kind::Gallery}, {32775, "Line Color", Kind::ColorButton},
          {32985, "Line Weight", Kind::ListGallery}, {32906, "Dash Styles", Kind::ListGallery},
          {32776, "Fill Color", Kind::ColorButton}}},
        {"Format", "Shadow",
         {{32972, "Shadow", Kind::Gallery}, {32980, "Color", Kind::ColorButton}, {32979, "Direction:", Kind::Edit}}},
        {"Format", "Glow", {{32973, "Glow", Kind::Gallery}, {32981, "Color", Kind::ColorButton}}},
        {"Format", "Reflection",
         {{32974, "Reflection", Kind::Gallery}, {32977, "Start Transparency:", Kind::Edit},
          {32976, "End Transparency:", Kind::Edit}, {32978, "Shown(%):", Kind::Edit}}},
        {"Format", "Text",
         {{32975, "Text", Kind::Gallery}, {32983, "Text :", Kind::Edit}, {32982, "Font:", Kind::ComboBox},
          {-1, "Size(pt):", Kind::Label}, {1074, "", Kind::Edit}, {1076, "", Kind::Button}, {1077, "", Kind::Button},
          {1078, "", Kind::Button}, {1079, "", Kind::Button}}},
        {"Layout", "Align",
         {{32871, "Align Lefts", Kind::Button}, {32872, "Align Rights", Kind::Button},
          {32873, "Align Tops", Kind::Button}, {32874, "Align Bottoms", Kind::Button},
          {32876, "Align Middles", Kind::Button}, {32875, "Align Centers", Kind::Button}}},
        {"Layout", "Arrange",
         {{32777, "Move to Front", Kind::Button}, {32779, "Move Forward", Kind::Button},
          {32780, "Move Backward", Kind::Button}, {32778, "Move to Back", Kind::Button}}},
        {"View", "Setting", {{32781, "Paper Color", Kind::ColorButton}, {32897, "Grid Line Color", Kind::ColorButton}}},
        {"View", "Snap",
         {{32900, "Snap to Grid", Kind::CheckBox}, {32901, "Snap to Edge Alignment", Kind::CheckBox},
          {32902, "Snap to Center Alignment", Kind::CheckBox}}},
        {"View", "Show/Hide",
         {{32769, "Grid Lines", Kind::CheckBox}, {32845, "Resource View", Kind::CheckBox},
          {505, "Properties View", Kind::CheckBox}}},
        {"View", "Zoom",
         {{1070, "Zoom In", Kind::Button}, {1072, "Zoom Out", Kind::Button}, {1067, "Zoom Fit", Kind::Button},
          {1071, "100%", Kind::Button}}},
        {"View", "Window", {{57648, "New Window", Kind::Button}, {32793, "Switch Windows", Kind::Button}}},
        {"Help", "Help", {{1073, "Home Page", Kind::Button}, {32992, "Help", Kind::Button}, {57664, "About", Kind::Button}}},
    };
    return layout;
}

} // namespace

TEST_F(RibbonTest, EveryElementSitsInItsCategoryAndPanelInOrder)
{
    std::vector<std::string> categories;
    for (wxRibbonPage* page : Ribbon().Pages())
        categories.push_back(page->GetLabel().utf8_string());
    EXPECT_EQ(categories, (std::vector<std::string>{"Home", "Format", "Layout", "View", "Help"}));

    std::vector<const RibbonElement*> subItems;
    for (const RibbonElement* element : Ribbon().Elements().All()) {
        for (const auto& sub : element->SubItems())
            subItems.push_back(sub.get());
    }
    for (const Panel& panel : Layout()) {
        std::vector<int> order;
        for (const RibbonElement* element : Ribbon().Elements().All()) {
            if (std::find(subItems.begin(), subItems.end(), element) != subItems.end())
                continue;
            if (element->category == panel.category && element->panel == panel.panel && !element->hiddenFromRibbon
                && std::find(order.begin(), order.end(), element->Id()) == order.end())
                order.push_back(element->Id());
        }
        std::vector<int> expectedOrder;
        for (const Expected& expected : panel.elements) {
            expectedOrder.push_back(expected.id);
            if (expected.id < 0)
                continue;
            SCOPED_TRACE(expected.id);
            const RibbonElement* element = Ribbon().FindElement(expected.id);
            ASSERT_NE(element, nullptr);
            EXPECT_EQ(element->Caption(), expected.caption);
            EXPECT_EQ(element->Kind(), expected.kind);
            const std::optional<CMainRibbon::ElementPlace> place = Ribbon().FindPlace(expected.id);
            ASSERT_TRUE(place);
            ASSERT_NE(place->page, nullptr);
            ASSERT_NE(place->panel, nullptr);
            EXPECT_EQ(place->page->GetLabel(), panel.category);
            EXPECT_EQ(place->panel->GetLabel(), panel.panel);
            if (expected.kind != Kind::CheckBox && expected.kind != Kind::Edit && expected.kind != Kind::ComboBox) {
                EXPECT_TRUE(element->smallImage.IsOk() || element->largeImage.IsOk());
            }
        }
        EXPECT_EQ(order, expectedOrder) << panel.panel;
    }

    // Kept for the Quick Access Toolbar only: Undo, Redo, Import and Batch Convert.
    for (int id : {57643, 57644, 32888, 32993}) {
        ASSERT_NE(Ribbon().FindElement(id), nullptr);
        EXPECT_TRUE(Ribbon().FindElement(id)->hiddenFromRibbon);
        EXPECT_FALSE(Ribbon().FindPlace(id));
    }
    EXPECT_EQ(Ribbon().HiddenCommands(), (std::vector<int>{57643, 57644, 32888, 32993}));
    // Ids only the document reads are on no element.
    for (int id : {32898, 32899, 32903, 32904})
        EXPECT_EQ(Ribbon().FindElement(id), nullptr);
}

TEST_F(RibbonTest, TheFileMenuTabRowAndQuickAccessToolbar)
{
    const RibbonAppMenuContent& content = Ribbon().AppButton()->Content();
    std::vector<std::string> captions;
    for (const RibbonElement* item : content.items)
        captions.push_back(item ? item->Caption() : "-");
    EXPECT_EQ(captions, (std::vector<std::string>{"&New", "&Open...", "&Save", "Save &As...", "&Export Logo...",
                                                  "&Print", "-", "Sen&d...", "Summary &Info...", "-", "&Close"}));
    const RibbonElement& print = *content.items[5];
    ASSERT_EQ(print.SubItems().size(), 3u);
    EXPECT_EQ(print.SubItems()[0]->Caption(), "Preview and print the document");
    EXPECT_EQ(print.SubItems()[1]->Id(), 57608);
    EXPECT_EQ(print.SubItems()[1]->keyTip, "p");
    EXPECT_EQ(print.SubItems()[2]->Id(), 57609);
    EXPECT_EQ(print.SubItems()[2]->keyTip, "w");
    EXPECT_TRUE(print.SubItems()[2]->alwaysShowDescription);
    EXPECT_EQ(content.recentCaption, "Recent Documents");
    EXPECT_EQ(content.recentWidth, 300);
    ASSERT_EQ(content.bottomButtons.size(), 2u);
    EXPECT_EQ(content.bottomButtons[0]->Id(), 32840);
    EXPECT_EQ(content.bottomButtons[1]->Id(), 57665);
    EXPECT_EQ(Ribbon().StyleButton()->GetParent(), Ribbon().Bar());

    EXPECT_EQ(Ribbon().QuickAccessEntries().Entries(),
              (std::vector<QuickAccessEntry>{{57600, false}, {57601, false}, {57603, true}, {57608, true},
                                             {57609, false}, {57643, true}, {57644, true}}));
    std::vector<int> shown;
    for (size_t i = 0; i < Ribbon().QuickAccess()->Buttons().size(); ++i)
        shown.push_back(Ribbon().QuickAccess()->ButtonCommand(i));
    EXPECT_EQ(shown, (std::vector<int>{57603, 57608, 57643, 57644}));
}

TEST_F(RibbonTest, EachCommandElementSendsItsCommand)
{
    std::vector<int> expected;
    for (const Panel& panel : Layout()) {
        for (const Expected& element : panel.elements) {
            if (element.kind != Kind::Button && element.kind != Kind::CheckBox)
                continue;
            const std::optional<CMainRibbon::ElementPlace> place = Ribbon().FindPlace(element.id);
            ASSERT_TRUE(place) << element.id;
            if (auto* bar = dynamic_cast<wxRibbonButtonBar*>(place->window)) {
                wxRibbonButtonBarEvent click(wxEVT_RIBBONBUTTONBAR_CLICKED, WxId(element.id), bar);
                click.SetEventObject(bar);
                bar->ProcessWindowEvent(click);
            } else if (auto* tools = dynamic_cast<wxRibbonToolBar*>(place->window)) {
                wxRibbonToolBarEvent click(wxEVT_RIBBONTOOLBAR_CLICKED, WxId(element.id), tools);
                click.SetEventObject(tools);
                tools->ProcessWindowEvent(click);
            } else if (auto* box = dynamic_cast<RibbonCheckCtrl*>(place->window)) {
                box->Click();
            } else {
                ADD_FAILURE() << "no window shows " << element.id;
            }
            expected.push_back(element.id);
        }
    }
    // The File menu, the Quick Access Toolbar, the tab row and the status bar.
    for (int id : {57600, 57604, 57612, 57602, 57665}) {
        Ribbon().AppButton()->OpenMenu();
        ASSERT_NE(RibbonAppMenu::Current(), nullptr);
        RibbonAppMenu::Current()->Choose(*Ribbon().FindElement(id));
        Pump();
        expected.push_back(id);
    }
    Ribbon().AppButton()->OpenMenu();
    RibbonAppMenu::Current()->TypeLetter('p');   // opens Print's sub-items
    EXPECT_NE(RibbonAppMenu::Current(), nullptr);
    RibbonAppMenu::Current()->TypeLetter('w');
    Pump();
    expected.push_back(57609);
    for (size_t i = 0; i < Ribbon().QuickAccess()->Buttons().size(); ++i) {
        Ribbon().QuickAccess()->ClickButton(i);
        expected.push_back(Ribbon().QuickAccess()->ButtonCommand(i));
    }
    for (int id : {1067, 1071, 57609, 1097, 32769, 32845, 505}) {
        RibbonIconButton* button = Ribbon().StatusBar()->GetButton(id);
        ASSERT_NE(button, nullptr) << id;
        button->Click();
        expected.push_back(id);
    }
    EXPECT_EQ(frame->commands, expected);
}

TEST_F(RibbonTest, StatusBarPanesAndZoomSlider)
{
    RibbonStatusBar& bar = *Ribbon().StatusBar();
    EXPECT_EQ(frame->GetStatusBar(), &bar);
    EXPECT_TRUE(bar.HasElement(504));
    EXPECT_EQ(*Ribbon().GetStatusText(32831), "Object Count: None");
    EXPECT_EQ(*Ribbon().GetStatusText(32832), "Selected Count: None");
    EXPECT_EQ(*Ribbon().GetStatusText(32833), "X: 0");
    EXPECT_EQ(*Ribbon().GetStatusText(32834), "Y: 0");
    EXPECT_TRUE(Ribbon().SetStatusText(32831, "Object Count: 3"));
    EXPECT_EQ(*Ribbon().GetStatusText(32831), "Object Count: 3");
    EXPECT_FALSE(Ribbon().SetStatusText(32840, "nothing"));
    EXPECT_FALSE(Ribbon().GetStatusText(32840));
    EXPECT_TRUE(Ribbon().HasElement(504));
    EXPECT_FALSE(Ribbon().HasElement(32898));
    EXPECT_EQ(bar.GroupLabels(), (std::vector<wxString>{"Zoom", "Print Preview", "Show/Hide"}));

    EXPECT_EQ(Ribbon().GetZoomSliderPos(), 50);
    RibbonZoomSlider& slider = *bar.GetSlider(32885);
    slider.StepBy(1);
    slider.StepBy(-1);
    slider.StepBy(-1);
    Ribbon().SetZoomSliderPos(95);     // the view sets it: no command
    slider.StepBy(1);
    slider.StepBy(1);                  // held at 100
    EXPECT_EQ(frame->commands, (std::vector<int>{32885, 32885, 32885, 32885}));
    EXPECT_EQ(frame->commandValues, (std::vector<int>{60, 50, 40, 100}));
}

} // namespace kelmora::testing
