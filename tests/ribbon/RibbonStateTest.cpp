// What the ribbon keeps: the Quick Access Toolbar across a restart, the customise
// dialog's lists, and the looks.

#include "RibbonTestSupport.h"

#include "app/ribbon/OptionsDialog.h"
#include "platform/ui/QuickAccessToolbar.h"
#include "platform/ui/RibbonAppMenu.h"
#include "platform/ui/RibbonIconButton.h"
#include "platform/ui/RibbonColors.h"

#include <gtest/gtest.h>
#include <wx/ribbon/art.h>
#include <wx/ribbon/bar.h>

namespace kelmora::testing {

namespace {

std::vector<int> ShownButtons(CMainRibbon& ribbon)
{
    std::vector<int> ids;
    for (size_t i = 0; i < ribbon.QuickAccess()->Buttons().size(); ++i)
        ids.push_back(ribbon.QuickAccess()->ButtonCommand(i));
    return ids;
}

} // namespace

TEST_F(RibbonTest, QuickAccessToolbarSurvivesARestart)
{
    Ribbon().QuickAccess()->ToggleEntry(57600);    // the toolbar's own menu shows New
    std::vector<QuickAccessEntry> entries = Ribbon().QuickAccessEntries().Entries();
    entries.push_back({32989, true});              // the Styles gallery, from the dialog
    entries.push_back({32775, true});              // and the line colour
    Ribbon().SetQuickAccessEntries(entries);
    EXPECT_EQ(ShownButtons(Ribbon()), (std::vector<int>{57600, 57603, 57608, 57643, 57644, 32989, 32775}));

    frame->Destroy();
    Pump();
    settings.Reopen();
    frame = new RibbonFrame(settings.Config());
    EXPECT_EQ(Ribbon().QuickAccessEntries().Entries(), entries);
    EXPECT_EQ(ShownButtons(Ribbon()), (std::vector<int>{57600, 57603, 57608, 57643, 57644, 32989, 32775}));

    // A stored entry for a command the ribbon no longer has is dropped.
    settings.Config().Write(kQuickAccessSettingKey, "57603:1;40000:1");
    frame->Destroy();
    Pump();
    frame = new RibbonFrame(settings.Config());
    EXPECT_EQ(ShownButtons(Ribbon()), (std::vector<int>{57603}));
}

TEST_F(RibbonTest, TheTabsMakeRoomForTheQuickAccessToolbarAfterEveryChange)
{
    const auto nothingOverlaps = [this](const char* step) {
        const wxRect app = Ribbon().AppButton()->GetRect();
        const wxRect quick = Ribbon().QuickAccess()->GetRect();
        const wxRect style = Ribbon().StyleButton()->GetRect();
        const auto [left, right] = Ribbon().TabMargins();
        EXPECT_FALSE(app.Intersects(quick)) << step;
        EXPECT_LT(quick.GetRight(), left) << step;
        EXPECT_GE(style.GetLeft(), Ribbon().Bar()->GetClientSize().x - right) << step;
    };
    nothingOverlaps("start");
    // The toolbar's own menu shows New, Open and Print Preview, one after the other.
    for (const int id : {57600, 57601, 57609}) {
        Ribbon().QuickAccess()->ToggleEntry(id);
        Pump();
        nothingOverlaps("shown");
    }
    Ribbon().SetQuickAccessEntries(Ribbon().QuickAccessEntries().Defaults());
    Pump();
    nothingOverlaps("reset");
}

TEST_F(RibbonTest, OptionsDialogListsTheThreeCategoriesAndEditsTheEntries)
{
    const QuickAccessModel& model = Ribbon().QuickAccessEntries();
    COptionsDialog dialog(frame, Ribbon().Elements(), Ribbon().HiddenCommands(), Ribbon().AllCommands(),
                          model.Entries(), model.Defaults());
    EXPECT_EQ(dialog.GetTitle(), "Options");
    // All ten, Import and Batch Convert among them though no panel shows them.
    EXPECT_EQ(dialog.ListedCommands(),
              (std::vector<int>{57600, 57601, 57603, 32888, 32859, 32993, 57609, 57608, 57643, 57644}));
    dialog.ShowCategory(1);
    EXPECT_EQ(dialog.ListedCommands(), (std::vector<int>{57643, 57644, 32888, 32993}));
    dialog.ShowCategory(2);
    const std::vector<int> all = dialog.ListedCommands();
    EXPECT_EQ(all, Ribbon().AllCommands());
    EXPECT_NE(std::find(all.begin(), all.end(), 32906), all.end());
    EXPECT_EQ(std::find(all.begin(), all.end(), 32979), all.end());   // an edit box has no toolbar button

    const auto index = size_t(std::find(all.begin(), all.end(), 32906) - all.begin());
    dialog.AddCommand(index);
    EXPECT_EQ(dialog.Entries().back(), (QuickAccessEntry{32906, true}));
    dialog.MoveEntry(dialog.ShownEntries().size() - 1, -1);   // before Redo
    dialog.RemoveEntry(0);                                    // Save: a default, hidden
    std::vector<int> shown;
    for (size_t i : dialog.ShownEntries())
        shown.push_back(dialog.Entries()[i].id);
    EXPECT_EQ(shown, (std::vector<int>{57608, 57643, 32906, 57644}));
    EXPECT_EQ(dialog.Entries()[2], (QuickAccessEntry{57603, false}));
    dialog.RemoveEntry(2);                                    // the Dash Styles entry goes
    EXPECT_EQ(dialog.Entries().size(), model.Defaults().size());
    dialog.ResetEntries();
    EXPECT_EQ(dialog.Entries(), model.Defaults());
}

TEST_F(RibbonTest, ACommandInNoPanelWorksFromTheQuickAccessToolbar)
{
    const QuickAccessModel& model = Ribbon().QuickAccessEntries();
    COptionsDialog dialog(frame, Ribbon().Elements(), Ribbon().HiddenCommands(), Ribbon().AllCommands(),
                          model.Entries(), model.Defaults());
    for (int command : {32888, 32993}) {
        const std::vector<int>& listed = dialog.ListedCommands();
        dialog.AddCommand(size_t(std::find(listed.begin(), listed.end(), command) - listed.begin()));
    }
    Ribbon().SetQuickAccessEntries(dialog.Entries());
    QuickAccessToolbar& toolbar = *Ribbon().QuickAccess();
    const size_t count = toolbar.Buttons().size();
    ASSERT_EQ(toolbar.ButtonCommand(count - 2), 32888);
    ASSERT_EQ(toolbar.ButtonCommand(count - 1), 32993);
    toolbar.ClickButton(count - 2);
    toolbar.ClickButton(count - 1);
    Pump();
    EXPECT_EQ(frame->commands, (std::vector<int>{32888, 32993}));
}

TEST_F(RibbonTest, LooksRecolourTheRibbonAndItsOwnWindows)
{
    const auto tabRow = [this] {
        return Ribbon().Bar()->GetArtProvider()->GetColour(wxRIBBON_ART_TAB_CTRL_BACKGROUND_COLOUR);
    };
    EXPECT_EQ(Ribbon().Look(), 32818);
    std::vector<wxColour> seen;
    for (int look = 32818; look <= 32822; ++look) {
        Ribbon().ApplyLook(look);
        EXPECT_EQ(Ribbon().Look(), look);
        EXPECT_EQ(CurrentRibbonColors().tabRowBackground, tabRow());
        EXPECT_EQ(std::find(seen.begin(), seen.end(), tabRow()), seen.end()) << look;
        seen.push_back(tabRow());
    }
    Ribbon().ApplyLook(40000);
    EXPECT_EQ(Ribbon().Look(), 32822);
    EXPECT_EQ(tabRow(), seen.back());
}

} // namespace kelmora::testing
