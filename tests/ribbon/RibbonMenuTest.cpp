// The File menu's keys and recent documents, the Quick Access Toolbar's stand-ins for
// palettes, and the check boxes' marks.

#include "RibbonTestSupport.h"

#include "platform/ui/QuickAccessToolbar.h"
#include "platform/ui/RibbonAppMenu.h"
#include "platform/ui/RibbonCheckCtrl.h"
#include "platform/ui/RibbonColorButton.h"
#include "platform/ui/RibbonIconButton.h"
#include "platform/ui/RibbonPopup.h"
#include "res/CommandIds.h"

#include <gtest/gtest.h>
#include <wx/image.h>

namespace kelmora::testing {

TEST_F(RibbonTest, FileMenuKeysAndRecentDocuments)
{
    Ribbon().recentFiles = [] { return std::vector<std::string>{"/a/one.MZF", "/b/two & three.MZF"}; };
    Ribbon().AppButton()->OpenMenu();
    RibbonAppMenu* menu = RibbonAppMenu::Current();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->RecentFiles().size(), 2u);
    EXPECT_TRUE(menu->TypeLetter('2'));
    Pump();
    EXPECT_EQ(RibbonAppMenu::Current(), nullptr);

    // A letter picks by the caption's mnemonic; Print's letter opens its sub-items, whose
    // key tips then pick; Escape first closes the sub-items, then the menu.
    Ribbon().AppButton()->OpenMenu();
    menu = RibbonAppMenu::Current();
    EXPECT_FALSE(menu->TypeLetter('P'));
    ASSERT_NE(menu->SubItemsOwner(), nullptr);
    EXPECT_EQ(menu->SubItemsOwner()->Id(), 57607);
    EXPECT_FALSE(menu->TypeLetter('z'));
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    menu->GetEventHandler()->ProcessEvent(escape);
    EXPECT_EQ(menu->SubItemsOwner(), nullptr);
    EXPECT_EQ(RibbonAppMenu::Current(), menu);
    EXPECT_TRUE(menu->TypeLetter('x'));   // E&xit, a bottom button
    Pump();

    Ribbon().AppButton()->OpenMenu();
    RibbonAppMenu::Current()->TypeLetter('p');
    EXPECT_TRUE(RibbonAppMenu::Current()->TypeLetter('p'));   // Quick Print's key tip
    Pump();
    EXPECT_EQ(frame->commands, (std::vector<int>{57617, 57665, 57608}));
}

TEST_F(RibbonTest, QuickAccessButtonsStandForPalettesAndFollowTheirColour)
{
    std::vector<QuickAccessEntry> entries = Ribbon().QuickAccessEntries().Entries();
    entries.push_back({32776, true});
    Ribbon().SetQuickAccessEntries(entries);
    const size_t last = Ribbon().QuickAccess()->Buttons().size() - 1;
    ASSERT_EQ(Ribbon().QuickAccess()->ButtonCommand(last), 32776);
    RibbonIconButton* button = Ribbon().QuickAccess()->Buttons()[last];
    const auto barColour = [button] {
        const wxImage image = button->GetIcon().ConvertToImage();
        return wxColour(image.GetRed(8, 15), image.GetGreen(8, 15), image.GetBlue(8, 15));
    };
    EXPECT_EQ(barColour(), wxColour(128, 128, 128));   // the automatic fill colour
    dynamic_cast<RibbonColorButton*>(Ribbon().FindElement(32776))->SetColor(0x0000FF);
    EXPECT_EQ(barColour(), wxColour(255, 0, 0));

    // A click opens the same palette the ribbon does, not a command.
    Ribbon().QuickAccess()->ClickButton(last);
    ASSERT_NE(RibbonPopup::Current(), nullptr);
    RibbonPopup::CloseCurrent();
    Pump();
    EXPECT_TRUE(frame->commands.empty());
}

TEST_F(RibbonTest, CheckBoxesTakeTheirMarkFromTheFrame)
{
    auto* snap = dynamic_cast<RibbonCheckCtrl*>(Ribbon().FindPlace(32900)->window);
    ASSERT_NE(snap, nullptr);
    frame->Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) { event.Check(true); }, WxId(32900));
    frame->Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) { event.Enable(false); }, WxId(32901));
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_TRUE(snap->IsChecked());
    auto* edge = dynamic_cast<RibbonCheckCtrl*>(Ribbon().FindPlace(32901)->window);
    EXPECT_FALSE(edge->IsEnabled());
    edge->Click();   // disabled: nothing sent
    EXPECT_TRUE(frame->commands.empty());
}

} // namespace kelmora::testing
