// What the views and documents ask of the real main frame, and the frame's own commands:
// status counts, the active view, zoom routing, panes, looks, settings, summary info, tab
// groups and help.

#include "app/desktop/WebLink.h"
#include "app/documents/SplitFrame.h"
#include "app/frame/TabGroups.h"
#include "app/frame/WindowsDlg.h"
#include "app/properties/LengthUnits.h"
#include "app/properties/PropertiesPane.h"
#include "app/ribbon/ApplicationLook.h"
#include "model/ViewServices.h"
#include "platform/ui/ClassicScrollbars.h"
#include "tests/app/ProgramTestSupport.h"
#include "view/DrawView.h"

#include <wx/aui/auibook.h>
#include <wx/display.h>
#include <wx/fileconf.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/utils.h>

#include <sys/stat.h>

namespace kelmora::apptest {
namespace {

using FrameServicesTest = ProgramTest;

TEST_F(FrameServicesTest, StatusCountsAndCursorPositionFollowTheActiveView)
{
    EXPECT_EQ(m_frame->GetStatusPaneText(cmd::kStatusObjectCount), "Object Count: None");
    EXPECT_EQ(m_frame->GetStatusPaneText(cmd::kStatusSelectedCount), "Selected Count: None");
    Command(cmd::kFileNew);
    CDrawView* view = GetActiveDrawView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->m_bViewActive);
    AddRect();
    view->Select(AddRect());
    EXPECT_EQ(m_frame->GetStatusPaneText(cmd::kStatusObjectCount), "Object Count: 2");
    EXPECT_EQ(m_frame->GetStatusPaneText(cmd::kStatusSelectedCount), "Selected Count: 1");

    // Inches are shown as floats, pixels as whole numbers.
    m_frame->UpdateCursorPos(300.0f, 750.0f);
    EXPECT_EQ(m_frame->GetStatusPaneText(cmd::kStatusX), "X: 1.000000");
    EXPECT_EQ(m_frame->GetStatusPaneText(cmd::kStatusY), "Y: 2.500000");
    m_frame->SetPropertiesUnit(DrawUnit::Pixels);
    m_frame->UpdateCursorPos(300.0f, 0.0f);
    EXPECT_EQ(m_frame->GetStatusPaneText(cmd::kStatusX), "X: " + std::to_string(ScreenPixelsPerInch()));
    EXPECT_EQ(m_frame->GetStatusPaneText(cmd::kStatusY), "Y: 0");
}

TEST_F(FrameServicesTest, TheFrameRemembersTheActiveViewUntilAViewGoes)
{
    Command(cmd::kFileNew);
    CDrawView* first = GetActiveDrawView();
    Command(cmd::kFileNew);
    CDrawView* second = GetActiveDrawView();
    ASSERT_NE(first, second);
    EXPECT_EQ(m_frame->GetRememberedActiveView(), second);
    EXPECT_FALSE(first->m_bViewActive);

    m_frame->GetClientWindow()->SetSelection(0);
    Idle();
    EXPECT_EQ(GetActiveDrawView(), first);
    EXPECT_EQ(m_frame->GetRememberedActiveView(), first);
    EXPECT_TRUE(first->m_bViewActive);
    EXPECT_FALSE(second->m_bViewActive);
    EXPECT_EQ(GetActiveDrawDoc(), &first->GetDocument());

    // A second window on the drawing, then that window closed: the frame remembers the
    // view that is left active, never the one that went.
    Command(cmd::kWindowNew);
    EXPECT_EQ(Documents().size(), 2u);
    Command(cmd::kFileClose);
    EXPECT_EQ(Documents().size(), 1u);
    Idle();
    EXPECT_NE(GetActiveDrawView(), nullptr);
    EXPECT_EQ(m_frame->GetRememberedActiveView(), GetActiveDrawView());
    // Every window closed: no view is remembered.
    for (int i = 0; i < 4 && !Documents().empty(); ++i)
        Command(cmd::kFileClose);
    Idle();
    ASSERT_TRUE(Documents().empty());
    EXPECT_EQ(m_frame->GetRememberedActiveView(), nullptr);
}

TEST_F(FrameServicesTest, ZoomAndShowObjectsCommandsReachTheActiveView)
{
    EXPECT_FALSE(IsEnabled(cmd::kZoomIn)) << "no drawing, no zoom";
    EXPECT_FALSE(IsEnabled(cmd::kFileSave));
    Command(cmd::kFileNew);
    CDrawView* view = GetActiveDrawView();
    // The first size change showed the page at its actual size.
    EXPECT_EQ(view->m_nLayoutState, 2);
    EXPECT_EQ(view->m_nZoomLevel, CDrawView::kActualSizeLevel);

    Command(cmd::kZoomIn);
    EXPECT_EQ(view->m_nZoomLevel, 6);
    Command(cmd::kZoomSlider, 100);
    EXPECT_EQ(view->m_nZoomLevel, 10);
    EXPECT_FALSE(IsEnabled(cmd::kZoomIn));
    EXPECT_TRUE(IsEnabled(cmd::kZoomOut));
    Command(cmd::kActualSize);
    EXPECT_EQ(view->m_fZoom, 1.0f);

    const bool shown = ViewServices::s_bOleIndication;
    Command(cmd::kShowObjects);
    EXPECT_NE(ViewServices::s_bOleIndication, shown);
    EXPECT_EQ(IsChecked(cmd::kShowObjects), ViewServices::s_bOleIndication);
    ViewServices::s_bOleIndication = shown;
}

TEST_F(FrameServicesTest, PanesToggleAndComeBackAsTheyWereAfterPreview)
{
    EXPECT_TRUE(IsChecked(cmd::kPropertiesView));
    EXPECT_TRUE(IsChecked(cmd::kResourceView));
    Command(cmd::kPropertiesView);
    EXPECT_FALSE(m_frame->IsPropertiesPaneVisible());
    EXPECT_FALSE(IsChecked(cmd::kPropertiesView));

    m_frame->HidePanesForPreview();
    EXPECT_FALSE(m_frame->IsGalleryPaneVisible(0));
    m_frame->RestorePanesAfterPreview();
    EXPECT_FALSE(m_frame->IsPropertiesPaneVisible());
    EXPECT_TRUE(m_frame->IsGalleryPaneVisible(0));
    EXPECT_TRUE(m_frame->IsGalleryPaneVisible(2));

    Command(cmd::kResourceView);
    EXPECT_FALSE(m_frame->IsGalleryPaneVisible(2));
    EXPECT_FALSE(IsChecked(cmd::kResourceView));
}

TEST_F(FrameServicesTest, TheLookIsStoredAndAnUnknownLookKeepsTheColoursInForce)
{
    EXPECT_EQ(m_frame->GetApplicationLook(), kDefaultLook);
    EXPECT_TRUE(IsChecked(cmd::kLookBlue));
    Command(cmd::kLookBlack);
    EXPECT_TRUE(IsChecked(cmd::kLookBlack));
    EXPECT_FALSE(IsChecked(cmd::kLookBlue));
    EXPECT_EQ(GetAppSettings().GetInt(kLookSetting, 0), cmd::kLookBlack);

    StopProgram();
    StartProgram();
    EXPECT_EQ(m_frame->GetApplicationLook(), cmd::kLookBlack);
    const wxColour black = m_frame->GetPaneManager().GetArtProvider()->GetColour(wxAUI_DOCKART_BACKGROUND_COLOUR);

    StopProgram();
    GetAppSettings().WriteInt(kLookSetting, 99);
    StartProgram();
    EXPECT_EQ(m_frame->GetApplicationLook(), 99);
    for (int look = cmd::kLookBlue; look <= cmd::kLookScenic; ++look)
        EXPECT_FALSE(IsChecked(look));
    EXPECT_NE(m_frame->GetPaneManager().GetArtProvider()->GetColour(wxAUI_DOCKART_BACKGROUND_COLOUR), black);
}

TEST_F(FrameServicesTest, SettingsThatCannotBeWrittenAreReportedOnceAndDamageGivesDefaults)
{
    WriteText(m_folder / "plain", "x");
    AppSettings unwritable(m_folder / "plain" / "kelmora.conf");
    std::vector<std::string> reports;
    unwritable.SetProblemReporter([&](const std::string& message) { reports.push_back(message); });
    unwritable.WriteInt(kLookSetting, cmd::kLookSilver);
    unwritable.WriteInt(kLookSetting, cmd::kLookAqua);
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(unwritable.GetInt(kLookSetting, 0), cmd::kLookAqua) << "the value stays in memory";

    WriteText(m_folder / "damaged.conf", std::string("\x01\xff[Settings\nApplicationLook=blue\n=\n[[", 30));
    AppSettings damaged(m_folder / "damaged.conf");
    EXPECT_EQ(damaged.GetInt(kLookSetting, kDefaultLook), kDefaultLook);

    // A stored window larger than the screen is cut to the screen.
    StopProgram();
    GetAppSettings().WriteInt("WindowWidth", 1000000);
    GetAppSettings().WriteInt("WindowHeight", 1000000);
    StartProgram();
    const wxRect screen = wxDisplay(0u).GetClientArea();
    EXPECT_LE(m_frame->GetSize().x, screen.width);
    EXPECT_LE(m_frame->GetSize().y, screen.height);
}

TEST_F(FrameServicesTest, SummaryInfoMarksTheDocumentModifiedOnlyOnOk)
{
    Command(cmd::kFileNew);
    m_prompt->confirmProperties = false;
    Command(cmd::kSummaryInfo);
    EXPECT_EQ(m_prompt->propertySheets, 1);
    EXPECT_FALSE(Active()->IsModified());
    m_prompt->confirmProperties = true;
    Command(cmd::kSummaryInfo);
    EXPECT_TRUE(Active()->IsModified());
}

TEST_F(FrameServicesTest, TabsMoveBetweenTabGroups)
{
    Command(cmd::kFileNew);
    EXPECT_FALSE(IsEnabled(cmd::kNewVertTabGroup)) << "a lone tab cannot make a group";
    Command(cmd::kFileNew);
    CTabGroupClient* tabs = m_frame->GetTabGroups();
    wxWindow* second = m_frame->GetActiveChild();
    EXPECT_EQ(tabs->AllowedItems(second), CTabGroupClient::kCanNewVerticalGroup | CTabGroupClient::kCanNewHorizontalGroup);

    Command(cmd::kNewVertTabGroup);
    ASSERT_EQ(tabs->GetTabGroups().size(), 2u);
    EXPECT_EQ(tabs->GroupOf(second), 1);
    EXPECT_EQ(tabs->AllowedItems(second), CTabGroupClient::kCanMoveToPrevious);
    Command(cmd::kMoveToPrevTabGroup);
    EXPECT_EQ(tabs->GetTabGroups().size(), 1u);
    EXPECT_EQ(m_frame->GetActiveChild(), second);

    // The menus offer only what is allowed.
    std::unique_ptr<wxMenu> clicked = BuildTabContextMenu(false, 0);
    EXPECT_EQ(clicked->GetMenuItemCount(), 2u);
    EXPECT_NE(clicked->FindItem(WxId(cmd::kFileClose)), nullptr);
    std::unique_ptr<wxMenu> dropped = BuildTabContextMenu(true, CTabGroupClient::kCanMoveToNext);
    ASSERT_EQ(dropped->GetMenuItemCount(), 3u);
    EXPECT_EQ(dropped->FindItemByPosition(0)->GetId(), WxId(cmd::kMoveToNextTabGroup));
    EXPECT_EQ(dropped->FindItemByPosition(2)->GetId(), WxId(cmd::kTabGroupCancel));
}

TEST_F(FrameServicesTest, HelpOpensTheProgramsPageOrSaysItIsMissing)
{
    std::vector<std::string> opened;
    BrowserLauncher previous = SetBrowserLauncher([&](const std::string& url, BrowserWindow) {
        opened.push_back(url);
        return true;
    });
    // Beside the test program there is no help page.
    Command(cmd::kHelp);
    ASSERT_EQ(m_prompt->messages.size(), 1u);
    EXPECT_NE(m_prompt->messages[0].find("help page cannot be found"), std::string::npos);
    EXPECT_TRUE(opened.empty());

    const std::filesystem::path help = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "Help";
    WriteText(help / "index.html", "<html></html>");
    Command(cmd::kHelp);
    std::filesystem::remove_all(help);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "file://" + (help / "index.html").string());
    EXPECT_EQ(m_prompt->messages.size(), 1u);
    SetBrowserLauncher(previous);
}

TEST_F(FrameServicesTest, NextPaneMovesTheActiveViewAcrossASplitWindow)
{
    Command(cmd::kFileNew);
    auto* frame = dynamic_cast<CSplitFrame*>(m_frame->GetActiveChild());
    ASSERT_NE(frame, nullptr);
    frame->GetSplitter()->SetSize(600, 400);
    ASSERT_TRUE(frame->GetSplitter()->PlaceSplit(CSplitterWndEx::Axis::Rows, 150));
    CDrawView* top = GetActiveDrawView();
    Command(cmd::kNextPane);
    CDrawView* bottom = GetActiveDrawView();
    ASSERT_NE(bottom, top);
    EXPECT_TRUE(bottom->m_bViewActive);
    EXPECT_FALSE(top->m_bViewActive);
    EXPECT_EQ(m_frame->GetRememberedActiveView(), bottom);
    EXPECT_EQ(&bottom->GetDocument(), &top->GetDocument());
    Command(cmd::kPrevPane);
    EXPECT_EQ(GetActiveDrawView(), top);
}

TEST_F(FrameServicesTest, TheWindowsDialogActivatesSavesAndClosesTheChosenWindows)
{
    SaveDrawing(Doc("a.MZF"), 1);
    m_manager->OpenDocumentFile(Doc("a.MZF").string());
    CDrawDocument* a = Active();
    Command(cmd::kFileNew);
    AddRect();
    a->Modify(true);

    CWindowsDlg dialog(m_frame);
    wxListBox* list = dialog.GetList();
    ASSERT_EQ(list->GetCount(), 2u);
    EXPECT_TRUE(list->IsSelected(1)) << "the active window is chosen at first";
    list->DeselectAll();
    list->SetSelection(0);
    dialog.SaveSelected();
    EXPECT_FALSE(a->IsModified());
    dialog.ActivateSelected();
    EXPECT_EQ(Active(), a);
    dialog.CloseSelected();
    EXPECT_EQ(Documents().size(), 1u);
    EXPECT_EQ(list->GetCount(), 1u);
}

TEST_F(FrameServicesTest, SendHandsACopyOfAnUnsavedDrawingToTheMailProgram)
{
    const char* oldPath = std::getenv("PATH");
    const std::string path = oldPath ? oldPath : "";
    ::setenv("PATH", (m_folder / "bin").c_str(), 1);
    Command(cmd::kFileNew);
    AddRect();
    EXPECT_FALSE(IsEnabled(cmd::kFileSendMail));
    Command(cmd::kFileSendMail);
    ASSERT_EQ(m_prompt->messages.size(), 1u);
    EXPECT_NE(m_prompt->messages[0].find("No mail program"), std::string::npos);

    // A mail program that writes down what it was given.
    const std::filesystem::path arguments = m_folder / "mail-arguments";
    WriteText(m_folder / "bin" / "xdg-email", "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + arguments.string() + "'\n");
    ::chmod((m_folder / "bin" / "xdg-email").c_str(), 0755);
    EXPECT_TRUE(IsEnabled(cmd::kFileSendMail));
    ::setenv("PATH", ((m_folder / "bin").string() + ":/bin:/usr/bin").c_str(), 1);
    Command(cmd::kFileSendMail);
    ::setenv("PATH", path.c_str(), 1);
    for (int i = 0; i < 100 && !std::filesystem::exists(arguments); ++i)
        wxMilliSleep(20);
    wxMilliSleep(50);
    std::ifstream in(arguments);
    std::string flag, attachment;
    std::getline(in, flag);
    std::getline(in, attachment);
    EXPECT_EQ(flag, "--attach");
    EXPECT_EQ(std::filesystem::path(attachment).filename(), "Vantorel Logo Designer1.MZF");
    EXPECT_TRUE(std::filesystem::exists(attachment));
    EXPECT_TRUE(Active()->IsModified()) << "sending does not save";
    EXPECT_EQ(m_prompt->messages.size(), 1u);
}

TEST_F(FrameServicesTest, TheViewHasClassicScrollbarsWithoutChangingTheEnvironment)
{
    // Overlay scrollbars would repaint the drawing for every step of their fading; the
    // programs the editor starts (mail, browser) keep the environment it was given.
    Command(cmd::kFileNew);
    ASSERT_NE(GetActiveDrawView(), nullptr);
    EXPECT_FALSE(HasOverlayScrollbars(*GetActiveDrawView()));
    EXPECT_EQ(std::getenv("GTK_OVERLAY_SCROLLING"), nullptr);
}

} // namespace
} // namespace kelmora::apptest
