// The program's first minute as a user meets it under a window manager: the new-document
// dialog in front, a drawing named on the command line shown where File > Open shows it, a
// start-up message over the frame, and the window back where it was.

#include "dialogs/CreateNewDocumentDlg.h"
#include "platform/ui/DialogFit.h"
#include "tests/app/ProgramTestSupport.h"
#include "view/DrawView.h"

#include <wx/timer.h>

#include "tests/app/WindowManagerProbe.h"

namespace kelmora::apptest {
namespace {

// The real new-document dialog, which notes whether it was ever activated.
class RealNewDocumentPrompt : public ScriptedPrompt {
public:
    std::unique_ptr<NewDocumentDialog> MakeNewDocumentDialog() override
    {
        auto dialog = std::make_unique<CCreateNewDocumentDlg>(GetMainFrame(), std::filesystem::path());
        dialog->Bind(wxEVT_ACTIVATE, [this](wxActivateEvent& event) {
            activated = activated || event.GetActive();
            event.Skip();
        });
        shown = dialog.get();
        return dialog;
    }
    wxDialog* shown = nullptr;
    bool activated = false;
};

// Where a view shows its drawing: the scroll position and the document point at the centre.
std::pair<CPoint, CPoint> PlacementOf(const CDrawView& view)
{
    const wxSize client = view.GetClientSize();
    CPoint centre(client.x / 2, client.y / 2);
    view.ClientToDocPoint(true, centre);
    return {view.GetScrollPosition(), centre};
}

class StartUpTest : public ProgramTest {
protected:
    StartUpTest() { m_bStartInSetUp = false; }

    // What the program does when it starts: the frame is shown and the command line served
    // at once, before any event is handled.
    void StartUp(const std::vector<std::string>& files)
    {
        m_manager = new CDrawDocManager(RecoveryRoot());
        m_frame = new CMainFrame;
        ASSERT_TRUE(m_frame->Create());
        m_frame->Show();
        m_manager->OpenAtStartUp(files);
    }

    // Runs the events until the window manager has taken the frame (at once without one),
    // and a little longer for the sizes it sends.
    void WaitForTheFrame()
    {
        WindowManagerProbe probe;
        const auto managed = [&probe] {
            for (Window window : probe.OwnWindows()) {
                if (probe.Title(window).starts_with(CMainFrame::kTitle) && probe.TransientFor(window) == None)
                    return true;
            }
            return false;
        };
        for (int i = 0; i < 500 && probe.HasWindowManager() && !managed(); ++i) {
            wxYield();
            wxMilliSleep(10);
        }
        for (int i = 0; i < 20; ++i) {
            wxYield();
            wxMilliSleep(10);
        }
    }
};

TEST_F(StartUpTest, TheNewDocumentDialogComesUpInFrontOfTheFrameWithTheFocus)
{
    WindowManagerProbe probe;
    if (!probe.HasWindowManager())
        GTEST_SKIP() << "no window manager manages the display";
    auto* prompt = new RealNewDocumentPrompt;
    InstallUserPrompt(std::unique_ptr<UserPrompt>(prompt));
    m_prompt = prompt;

    std::vector<std::string> stacking;
    bool closed = false;
    int ticks = 0;
    wxTimer watch;
    watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (closed || !prompt->shown || !prompt->shown->IsModal())
            return;
        stacking.clear();
        for (Window window : probe.OwnWindows())
            stacking.push_back(probe.Title(window));
        // A busy machine's window manager may take seconds to map and activate the dialog.
        if ((stacking.size() >= 2 && prompt->activated) || ++ticks > 600) {
            closed = true;
            prompt->shown->EndModal(wxID_CANCEL);
        }
    });
    watch.Start(50);
    StartUp({});
    // The dialog comes up from the first round of events and is closed by the watch.
    wxTheApp->ProcessPendingEvents();
    watch.Stop();

    ASSERT_TRUE(closed);
    ASSERT_GE(stacking.size(), 2u);
    EXPECT_EQ(stacking.back(), CCreateNewDocumentDlg::kTitle) << "the window on top";
    EXPECT_TRUE(prompt->activated);
    EXPECT_TRUE(Documents().empty()) << "cancelled: the empty frame";
}

TEST_F(StartUpTest, ADrawingOnTheCommandLineLiesWhereFileOpenPutsIt)
{
    StartProgram();
    SaveDrawing(Doc("logo.MZF"), 2);
    StopProgram();

    StartUp({Doc("logo.MZF").string()});
    WaitForTheFrame();
    // The window manager may still change the window's size before the user does anything.
    m_frame->SetSize(m_frame->GetSize() - wxSize(120, 90));
    WaitForTheFrame();
    ASSERT_NE(GetActiveDrawView(), nullptr);
    const auto atStartUp = PlacementOf(*GetActiveDrawView());

    Command(cmd::kFileClose);
    m_prompt->openPath = Doc("logo.MZF").string();
    Command(cmd::kFileOpen);
    WaitForTheFrame();
    const CDrawView* view = GetActiveDrawView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(atStartUp, PlacementOf(*view));
    // The middle of the page lies in the middle of the view.
    EXPECT_NEAR(atStartUp.second.x, view->GetDocument().m_sizePage.cx / 2, 8);
    EXPECT_NEAR(atStartUp.second.y, view->GetDocument().m_sizePage.cy / 2, 8);
}

TEST_F(StartUpTest, AMessageAtStartUpComesUpCentredOnTheFrame)
{
    WindowManagerProbe probe;
    if (!probe.HasWindowManager())
        GTEST_SKIP() << "no window manager manages the display";
    WriteText(Doc("damaged.MZF"), "not a drawing");
    InstallUserPrompt(MakeDialogPrompt());
    m_prompt = nullptr;

    wxRect message;
    wxRect frame;
    wxRect seen;
    int still = 0;
    wxTimer watch;
    watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        for (Window window : message.IsEmpty() ? probe.OwnWindows() : std::vector<Window>()) {
            if (probe.TransientFor(window) == None)
                continue;
            // The window manager places the box when it maps it, later on a busy machine:
            // it is read once it has kept its place for a few ticks.
            const wxRect place = probe.ScreenRect(window);
            still = place == seen ? still + 1 : 0;
            seen = place;
            if (still < 4)
                continue;
            message = place;
            frame = probe.ScreenRect(probe.TransientFor(window));
            probe.Close(window);
            return;
        }
    });
    watch.Start(50);
    StartUp({Doc("damaged.MZF").string()});
    watch.Stop();

    ASSERT_FALSE(message.IsEmpty());
    const wxPoint offset = (message.GetPosition() + message.GetSize() / 2) - (frame.GetPosition() + frame.GetSize() / 2);
    // Centred on the frame's inside, up to the decorations round the box.
    EXPECT_LE(std::abs(offset.x), 40);
    EXPECT_LE(std::abs(offset.y), 40);
    EXPECT_TRUE(Documents().empty());
}

TEST_F(StartUpTest, TheWindowComesBackWhereItWasAndAsLarge)
{
    const wxRect stored(150, 90, 900, 640);
    AppSettings& settings = GetAppSettings();
    settings.WriteInt("WindowX", stored.x);
    settings.WriteInt("WindowY", stored.y);
    settings.WriteInt("WindowWidth", stored.width);
    settings.WriteInt("WindowHeight", stored.height);
    for (int run = 0; run < 2; ++run) {
        StartUp({"/nonexistent/none.MZF"});
        WaitForTheFrame();
        EXPECT_EQ(m_frame->GetClientSize(), stored.GetSize()) << "run " << run;
        StopProgram();
        EXPECT_EQ(wxRect(settings.GetInt("WindowX", 0), settings.GetInt("WindowY", 0), settings.GetInt("WindowWidth", 0),
                         settings.GetInt("WindowHeight", 0)),
                  stored)
            << "run " << run;
    }
}

// The first size, and a size and place stored on a larger screen, are fitted to the work
// area of a smaller screen, the window manager's decorations included.
TEST_F(StartUpTest, TheWindowOpensWithinTheWorkAreaOfItsScreen)
{
    WindowManagerProbe probe;
    if (!probe.HasWindowManager())
        GTEST_SKIP() << "no window manager manages the display";
    const wxRect area(20, 30, 1200, 690);
    KeepDialogsOnScreen([area](const wxWindow&) { return area; });
    struct RestoreWorkArea {
        ~RestoreWorkArea() { KeepDialogsOnScreen(); }
    } restore;
    AppSettings& settings = GetAppSettings();
    for (int run = 0; run < 2; ++run) {
        if (run == 1) {
            settings.WriteInt("WindowX", 500);
            settings.WriteInt("WindowY", 300);
            settings.WriteInt("WindowWidth", 1500);
            settings.WriteInt("WindowHeight", 1000);
        }
        StartUp({"/nonexistent/none.MZF"});
        WaitForTheFrame();
        Window frame = None;
        for (Window window : probe.OwnWindows()) {
            if (probe.Title(window).starts_with(CMainFrame::kTitle) && probe.TransientFor(window) == None)
                frame = window;
        }
        ASSERT_NE(frame, None);
        const wxRect outer = probe.OuterRect(frame);
        EXPECT_TRUE(area.Contains(outer)) << "run " << run << ": " << outer.x << "," << outer.y << " " << outer.width
                                          << " x " << outer.height;
        StopProgram();
    }
}

TEST_F(StartUpTest, ADamagedPaneLayoutIsPassedOverQuietly)
{
    // Any toolkit assertion fails the test.
    GetAppSettings().WriteString("PaneLayout", "layout2|name=Shapes;colour=red;caption=x|dock_size(4,0,0)=x|");
    StartUp({"/nonexistent/none.MZF"});
    Idle();
    EXPECT_TRUE(m_frame->IsShown());
}

} // namespace
} // namespace kelmora::apptest
