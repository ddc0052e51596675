// The ribbon from the keyboard: Escape closes the open popup one level at a time, and the
// key tips reach the categories, their elements and the File menu.

#include "RibbonTestSupport.h"

#include "app/ribbon/RibbonKeyTips.h"
#include "platform/ui/RibbonAppMenu.h"
#include "platform/ui/RibbonIconButton.h"
#include "platform/ui/RibbonPopup.h"

#include <gtest/gtest.h>
#include <wx/ribbon/bar.h>

#include <set>

namespace kelmora::testing {

namespace {

using Level = RibbonKeyTips::Level;

// A key pressed as the toolkit delivers it: to the window with the focus, the frame when
// none has it or that window's popup has gone.
void Press(wxWindow& frame, int code, int modifiers = wxMOD_NONE)
{
    wxWindow* focus = wxWindow::FindFocus();
    wxWindow& target = focus && wxGetTopLevelParent(focus)->IsShown() ? *focus : frame;
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = code;
    key.m_uniChar = code < 128 ? wxChar(code) : wxChar(WXK_NONE);
    key.m_altDown = (modifiers & wxMOD_ALT) != 0;
    key.SetEventObject(&target);
    target.ProcessWindowEvent(key);
}

void TapAlt(wxWindow& frame)
{
    Press(frame, WXK_ALT);
    wxKeyEvent up(wxEVT_KEY_UP);
    up.m_keyCode = WXK_ALT;
    up.SetEventObject(&frame);
    frame.ProcessWindowEvent(up);
}

} // namespace

TEST_F(RibbonTest, EscapeClosesTheOpenPaletteOrGalleryWhichHasTheKeys)
{
    frame->SetFocus();
    for (int id : {32775, 32989, 32985}) {   // Line Color, the Styles gallery, Line Weight
        ASSERT_TRUE(Ribbon().OpenDropDown(id));
        RibbonPopup* popup = RibbonPopup::Current();
        ASSERT_NE(popup, nullptr);
        ASSERT_NE(wxWindow::FindFocus(), nullptr);
        EXPECT_EQ(wxGetTopLevelParent(wxWindow::FindFocus()), popup) << id;
        Press(*frame, WXK_DOWN);
        EXPECT_GE(popup->HotItem(), 0) << id;   // the arrows reach it too
        Press(*frame, WXK_ESCAPE);
        EXPECT_EQ(RibbonPopup::Current(), nullptr) << id;
        Pump();
    }
    EXPECT_TRUE(frame->commands.empty());
}

TEST_F(RibbonTest, KeyTipsOpenACategoryAndTheFileMenuAndEscapeStepsBack)
{
    RibbonKeyTips& tips = *Ribbon().KeyTips();
    TapAlt(*frame);
    ASSERT_EQ(tips.GetLevel(), Level::Top);
    // The application button, the toolbar's four buttons, the five tabs, Style and About.
    EXPECT_EQ(tips.ShownTips(), (std::vector<std::string>{"F", "1", "2", "3", "4", "H", "O", "L", "V", "E", "S", "A"}));

    Press(*frame, 'O');
    EXPECT_EQ(Ribbon().Bar()->GetActivePage(), 1);
    EXPECT_EQ(tips.GetLevel(), Level::Category);
    std::vector<std::string> shown = tips.ShownTips();
    EXPECT_EQ(shown.size(), 22u);
    EXPECT_EQ(std::set<std::string>(shown.begin(), shown.end()).size(), shown.size());
    // "L" is Line Color's: its palette opens, and Escape brings the category's tips back.
    Press(*frame, 'L');
    ASSERT_NE(RibbonPopup::Current(), nullptr);
    EXPECT_TRUE(tips.ShownTips().empty());
    Press(*frame, WXK_ESCAPE);
    EXPECT_EQ(RibbonPopup::Current(), nullptr);
    EXPECT_EQ(tips.ShownTips(), shown);
    Press(*frame, WXK_ESCAPE);
    EXPECT_EQ(tips.GetLevel(), Level::Top);
    Press(*frame, WXK_F10);
    EXPECT_EQ(tips.GetLevel(), Level::None);

    // Alt+F opens the File menu at once, showing its letters; "p" shows Print's sub-items,
    // Escape closes them, then the menu, then the tips.
    Press(*frame, 'F', wxMOD_ALT);
    RibbonAppMenu* menu = RibbonAppMenu::Current();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->KeyTipsShown());
    Press(*frame, 'P');
    ASSERT_NE(menu->SubItemsOwner(), nullptr);
    Press(*frame, WXK_ESCAPE);
    EXPECT_EQ(menu->SubItemsOwner(), nullptr);
    EXPECT_EQ(RibbonAppMenu::Current(), menu);
    Press(*frame, WXK_ESCAPE);
    EXPECT_EQ(RibbonAppMenu::Current(), nullptr);
    EXPECT_EQ(tips.GetLevel(), Level::Top);
    Press(*frame, WXK_ESCAPE);
    EXPECT_EQ(tips.GetLevel(), Level::None);
    Pump();

    // A tip on the Quick Access Toolbar sends its command (2: Quick Print) and ends the tips.
    Press(*frame, WXK_F10);
    Press(*frame, '2');
    Pump();
    EXPECT_EQ(tips.GetLevel(), Level::None);
    // "Opt&ions" shares its letter with "Summary &Info...", so it answers to a free one.
    Press(*frame, 'F', wxMOD_ALT);
    Press(*frame, 'T');
    Pump();
    EXPECT_EQ(frame->commands, (std::vector<int>{57608, 32840}));
}

} // namespace kelmora::testing
